// Tells scripts/test.sh whether this machine runs this build's programs: it prints its pointer width and
// whether it runs under WoW64, and exits 0.
#include <windows.h>

#include <cstdio>

int main() {
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  std::printf("%u-bit program, WoW64 %s\n", static_cast<unsigned>(sizeof(void*) * 8), wow64 ? "yes" : "no");
  return 0;
}
