#include "region_win.h"

#include <vector>

#include "faceformat/bmp.h"
#include "text_win.h"

namespace tkt {

namespace {

UniqueRgn LeafRegion(std::span<const faceformat::RegionRect> rects) {
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
  return UniqueRgn(ExtCreateRegion(nullptr, DWORD(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace

UniqueRgn BuildWindowRegion(std::span<const faceformat::RegionRect> bands) {
  if (bands.empty()) return UniqueRgn(CreateRectRgn(0, 0, 0, 0));
  std::vector<UniqueRgn> level;
  level.reserve(bands.size() / kLeafRects + 1);
  for (size_t i = 0; i < bands.size(); i += kLeafRects) {
    UniqueRgn leaf = LeafRegion(bands.subspan(i, std::min(kLeafRects, bands.size() - i)));
    if (!leaf) return {};
    level.push_back(std::move(leaf));
  }
  while (level.size() > 1) {
    std::vector<UniqueRgn> next;
    next.reserve(level.size() / 2 + 1);
    for (size_t i = 0; i + 1 < level.size(); i += 2) {
      if (CombineRgn(level[i].get(), level[i].get(), level[i + 1].get(), RGN_OR) == ERROR) return {};
      next.push_back(std::move(level[i]));
    }
    if (level.size() % 2) next.push_back(std::move(level.back()));
    level = std::move(next);
  }
  return std::move(level.front());
}

UniqueRgn BuildRegionOneByOne(std::span<const faceformat::RegionRun> runs) {
  if (runs.empty()) return UniqueRgn(CreateRectRgn(0, 0, 0, 0));
  const auto& first = runs.front();
  UniqueRgn face(CreateRectRgn(first.left, first.row, first.left + first.length, first.row + 1));
  for (size_t i = 1; i < runs.size() && face; ++i) {
    const auto& r = runs[i];
    UniqueRgn strip(CreateRectRgn(r.left, r.row, r.left + r.length, r.row + 1));
    CombineRgn(face.get(), face.get(), strip.get(), RGN_OR);
  }
  return face;
}

faceformat::Result<int> ApplyFaceRegion(HWND window, const std::string& regionPath, const std::string& bitmapPath,
                                        faceformat::Image& face) {
  auto picture = faceformat::ReadBmpFile(std::filesystem::path(AnsiToWide(bitmapPath)));
  if (!picture) return faceformat::Error{"face picture: " + picture.error().what, picture.error().where};
  auto runs = faceformat::ReadRegionFile(std::filesystem::path(AnsiToWide(regionPath)));
  if (!runs) return faceformat::Error{"region file: " + runs.error().what, runs.error().where};
  auto bands = faceformat::BuildRegionBands(*runs);
  if (!bands) return faceformat::Error{"region file: " + bands.error().what, bands.error().where};
  UniqueRgn region = BuildWindowRegion(*bands);
  if (!region) return faceformat::Error{"the window region could not be built"};
  face = std::move(*picture);
  const int result = SetWindowRgn(window, region.get(), TRUE);
  if (result) region.release();  // the window owns it now
  return result;
}

}  // namespace tkt
