// artgen <folder>: draws every picture and the cuckoo sound into the folder.
#include <cstdio>

#include "art/artwork.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: artgen <output folder>\n");
    return 2;
  }
  auto written = art::WriteArtwork(argv[1]);
  if (!written) {
    std::fprintf(stderr, "artgen: %s\n", written.error().what.c_str());
    return 1;
  }
  return 0;
}
