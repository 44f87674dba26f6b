// tkt-mkini <root> <out-file>: writes the default face (the kaichu sample) for an installation root given as
// a Windows path, e.g. tkt-mkini 'C:\CLOCK' stage/program/tkt.ini
#include <cstdio>

#include "faceformat/settings.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: tkt-mkini <root-as-windows-path> <out-file>\n");
    return 2;
  }
  std::string root = argv[1];
  while (!root.empty() && (root.back() == '\\' || root.back() == '/')) root.pop_back();
  auto ok = faceformat::WriteSettingsFile(argv[2], faceformat::KaichuTemplate(root));
  if (!ok) {
    std::fprintf(stderr, "tkt-mkini: %s: %s\n", argv[2], ok.error().what.c_str());
    return 1;
  }
  return 0;
}
