// Window region building under Wine or Windows: ours (bands, ExtCreateRegion leaves, balanced CombineRgn
// tree) beside one CombineRgn per record, on face-like run sets of 10,000 to 1,000,000 runs.
//   clock_region_bench [seconds allowed for the per-record loop, default 60] [rectangles per leaf]
#include <windows.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "region_win.h"

namespace {

using Clock = std::chrono::steady_clock;

// A ring face: each row has a run left and right of the hole (two runs), rows enough for `count` runs.
std::vector<faceformat::RegionRun> FaceLikeRuns(int count) {
  std::vector<faceformat::RegionRun> runs;
  const int rows = count / 2, r = rows / 2;
  for (int y = 0; y < rows; ++y) {
    const double dy = y - r + 0.5;
    const int half = int(std::sqrt(std::max(0.0, double(r) * r - dy * dy))) + 1;
    const int hole = half / 3;
    runs.push_back({r + hole, y, half - hole});  // right of the hole first, as the maker writes
    runs.push_back({r - half, y, half - hole});
  }
  return runs;
}

double Seconds(Clock::time_point since) { return std::chrono::duration<double>(Clock::now() - since).count(); }

// CPU seconds of this thread: on a busy machine wall time says more about the neighbours than about us.
double ThreadCpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto value = [](const FILETIME& f) { return (double(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e7; };
  return value(kernel) + value(user);
}

}  // namespace

int main(int argc, char** argv) {
  const double limit = argc > 1 ? std::atof(argv[1]) : 60.0;
  const size_t leaf = argc > 2 ? size_t(std::atoi(argv[2])) : tkt::kLeafRects;
  std::printf("%10s %12s %14s %10s\n", "runs", "ours (s)", "per-record (s)", "ratio");
  bool naiveGaveUp = false;
  for (int count : {10000, 100000, 1000000}) {
    const auto runs = FaceLikeRuns(count);
    auto start = Clock::now();
    const double cpuStart = ThreadCpuSeconds();
    auto bands = faceformat::BuildRegionBands(runs);
    const double bandSeconds = Seconds(start);
    tkt::GdiObject<HRGN> ours = bands ? tkt::BuildWindowRegion(*bands, leaf) : tkt::GdiObject<HRGN>{};
    const double oursSeconds = Seconds(start);
    if (bands)
      std::fprintf(stderr, "%d runs: %zu bands in %.3f s, region in %.3f s; %.3f CPU s\n", count, bands->size(),
                   bandSeconds, oursSeconds - bandSeconds, ThreadCpuSeconds() - cpuStart);
    if (!ours) {
      std::printf("%10d building failed\n", count);
      return 1;
    }
    if (naiveGaveUp) {
      std::printf("%10d %12.3f %14s %10s\n", count, oursSeconds, "-", "-");
      continue;
    }
    // The per-record loop, stopped when it runs out of time.
    start = Clock::now();
    tkt::GdiObject<HRGN> naive(
        CreateRectRgn(runs[0].left, runs[0].row, runs[0].left + runs[0].length, runs[0].row + 1));
    size_t done = 1;
    for (; done < runs.size(); ++done) {
      const auto& r = runs[done];
      HRGN strip = CreateRectRgn(r.left, r.row, r.left + r.length, r.row + 1);
      CombineRgn(naive.get(), naive.get(), strip, RGN_OR);
      DeleteObject(strip);
      if ((done & 1023) == 0 && Seconds(start) > limit) break;
    }
    const double naiveSeconds = Seconds(start);
    if (done < runs.size()) {
      naiveGaveUp = true;
      std::printf("%10d %12.3f %9s %4.0f s %10s  (%zu of %d runs done)\n", count, oursSeconds, ">", limit, "-", done,
                  count);
      continue;
    }
    const bool equal = EqualRgn(ours.get(), naive.get());
    std::printf("%10d %12.3f %14.3f %9.0fx %s\n", count, oursSeconds, naiveSeconds, naiveSeconds / oursSeconds,
                equal ? "" : "REGIONS DIFFER");
    if (!equal) return 1;
  }
  return 0;
}
