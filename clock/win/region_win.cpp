#include "region_win.h"

#include <algorithm>
#include <vector>

#include "face/display_scale.h"
#include "faceformat/bmp.h"
#include "wincommon/text.h"

namespace tkt {

namespace {

GdiObject<HRGN> LeafRegion(std::span<const faceformat::RegionRect> rects) {
  std::vector<unsigned char> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = DWORD(rects.size());
  header->nRgnSize = DWORD(rects.size() * sizeof(RECT));
  RECT bound{rects[0].left, rects[0].top, rects[0].right, rects[0].bottom};
  auto* out = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
  for (size_t i = 0; i < rects.size(); ++i) {
    const auto& r = rects[i];
    out[i] = {r.left, r.top, r.right, r.bottom};
    bound.left = std::min<LONG>(bound.left, r.left);
    bound.top = std::min<LONG>(bound.top, r.top);
    bound.right = std::max<LONG>(bound.right, r.right);
    bound.bottom = std::max<LONG>(bound.bottom, r.bottom);
  }
  header->rcBound = bound;
  return GdiObject<HRGN>(ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace

GdiObject<HRGN> BuildWindowRegion(std::span<const faceformat::RegionRect> bands, size_t leafRects) {
  if (bands.empty()) return GdiObject<HRGN>(CreateRectRgn(0, 0, 0, 0));
  leafRects = std::max<size_t>(leafRects, 1);
  // Merged like a binary counter: two regions of the same height join at once, so merges stay balanced
  // and only a few dozen region handles are alive at any time.
  struct Pending {
    GdiObject<HRGN> region;
    int height;
  };
  std::vector<Pending> stack;
  auto mergeTop = [&stack]() {
    Pending right = std::move(stack.back());
    stack.pop_back();
    Pending& left = stack.back();
    if (CombineRgn(left.region.get(), left.region.get(), right.region.get(), RGN_OR) == ERROR) return false;
    left.height = std::max(left.height, right.height) + 1;
    return true;
  };
  for (size_t i = 0; i < bands.size(); i += leafRects) {
    GdiObject<HRGN> leaf = LeafRegion(bands.subspan(i, std::min(leafRects, bands.size() - i)));
    if (!leaf) return {};
    stack.push_back({std::move(leaf), 0});
    while (stack.size() >= 2 && stack[stack.size() - 2].height == stack.back().height)
      if (!mergeTop()) return {};
  }
  while (stack.size() >= 2)
    if (!mergeTop()) return {};
  return std::move(stack.front().region);
}

GdiObject<HRGN> BuildRegionOneByOne(std::span<const faceformat::RegionRun> runs) {
  if (runs.empty()) return GdiObject<HRGN>(CreateRectRgn(0, 0, 0, 0));
  const auto& first = runs.front();
  GdiObject<HRGN> face(CreateRectRgn(first.left, first.row, first.left + first.length, first.row + 1));
  for (size_t i = 1; i < runs.size() && face; ++i) {
    const auto& r = runs[i];
    GdiObject<HRGN> strip(CreateRectRgn(r.left, r.row, r.left + r.length, r.row + 1));
    CombineRgn(face.get(), face.get(), strip.get(), RGN_OR);
  }
  return face;
}

tkt::Result<FaceSource> LoadFaceSource(const std::string& regionPath, const std::string& bitmapPath) {
  auto picture = faceformat::ReadBmpFile(std::filesystem::path(AnsiToWide(bitmapPath)));
  if (!picture) return tkt::Error{"face picture: " + picture.error().what, picture.error().where};
  auto runs = faceformat::ReadRegionFile(std::filesystem::path(AnsiToWide(regionPath)));
  if (!runs) return tkt::Error{"region file: " + runs.error().what, runs.error().where};
  auto bands = faceformat::BuildRegionBands(*runs);
  if (!bands) return tkt::Error{"region file: " + bands.error().what, bands.error().where};
  return FaceSource{std::move(*picture), std::move(*runs), std::move(*bands)};
}

tkt::Result<int> ApplyFaceRegion(HWND window, const FaceSource& source, int dpi, faceformat::Image& face) {
  std::span<const faceformat::RegionRect> bands = source.bands;
  std::vector<faceformat::RegionRect> scaledBands;
  if (dpi != kDesignDpi) {
    auto scaled = ScaleRegionBands(source.runs, source.bands, dpi);
    if (!scaled) return tkt::Error{"region file: " + scaled.error().what, scaled.error().where};
    scaledBands = std::move(*scaled);
    bands = scaledBands;
  }
  GdiObject<HRGN> region = BuildWindowRegion(bands);
  if (!region) return tkt::Error{"the window region could not be built"};
  faceformat::Image scaled = ScalePicture(source.picture, dpi);
  const int result = SetWindowRgn(window, region.get(), TRUE);
  if (result) region.release();  // the window owns it now
  face = std::move(scaled);
  return result;
}

tkt::Result<int> ApplyFaceRegion(HWND window, const std::string& regionPath, const std::string& bitmapPath,
                                        faceformat::Image& face, int dpi) {
  auto source = LoadFaceSource(regionPath, bitmapPath);
  if (!source) return source.error();
  return ApplyFaceRegion(window, *source, dpi, face);
}

}  // namespace tkt
