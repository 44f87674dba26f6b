// Starting the clock's face at 150 % beside 100 %: reading the picture and a region file of 1,000,000 runs,
// scaling both, and shaping a window with the result, as the clock does at start-up. Printed as seconds
// for each scale and their ratio, the best of a few rounds, taken in turns.
//   clock_scale_bench [runs, default 1000000] [rounds, default 3]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "faceformat/bmp.h"
#include "faceformat/region.h"
#include "faceformat/silhouette.h"
#include "region_win.h"

namespace {

using Clock = std::chrono::steady_clock;

// A face of `rows` rows, each with `perRow` one-pixel runs a pixel apart, as a finely dotted picture cuts.
std::vector<faceformat::RegionRun> DottedRuns(int rows, int perRow) {
  std::vector<faceformat::RegionRun> runs;
  runs.reserve(size_t(rows) * size_t(perRow));
  for (int y = 0; y < rows; ++y)
    for (int i = 0; i < perRow; ++i) runs.push_back({2 * i + (y & 1), y, 1});
  return runs;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc > 1 ? std::max(1000, std::atoi(argv[1])) : 1000000;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
  const int perRow = 1000, rows = (count + perRow - 1) / perRow;

  const auto dir = std::filesystem::temp_directory_path() / ("tkt-scale-bench-" + std::to_string(GetCurrentProcessId()));
  std::filesystem::create_directories(dir);
  const auto rgp = dir / "face.rgp", bmp = dir / "face.bmp";
  faceformat::Image picture(2 * perRow + 1, rows, 0x00305070);
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < picture.width; ++x)
      if ((x + y) % 2) picture.at(x, y) = faceformat::kCutColor;
  const bool written = faceformat::WriteBmpFile(bmp, picture).ok() &&
                       faceformat::WriteRegionFile(rgp, DottedRuns(rows, perRow)).ok();

  // A message-only window: Wine hands a shown window's region to the X server, which refuses a million
  // rectangles in one request.
  HWND window = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, picture.width, rows, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  double best[2] = {1e30, 1e30};
  bool ok = written && window;
  const int dpis[2] = {96, 144};
  for (int round = 0; ok && round < rounds; ++round)
    for (int k = 0; k < 2 && ok; ++k) {
      faceformat::Image face;
      const auto start = Clock::now();
      const auto shaped = tkt::ApplyFaceRegion(window, rgp.string(), bmp.string(), face, dpis[k]);
      const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
      ok = shaped.ok();
      if (!ok) std::fprintf(stderr, "at %d DPI: %s\n", dpis[k], shaped.error().what.c_str());
      best[k] = std::min(best[k], seconds);
    }
  if (window) DestroyWindow(window);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  if (!ok) {
    std::printf("the face could not be made\n");
    return 1;
  }
  std::printf("%d runs, %dx%d picture: 100 %% %.3f s, 150 %% %.3f s, ratio %.2f\n", rows * perRow, picture.width,
              rows, best[0], best[1], best[1] / best[0]);
  return 0;
}
