// BMP files: read 1, 4, 8, 16, 24 and 32-bit pictures (bottom-up or top-down), run-length coded 4 and 8-bit
// ones (BI_RLE4, BI_RLE8); write 24-bit.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "image.h"
#include "base/result.h"

namespace faceformat {

using tkt::Error, tkt::Result, tkt::Status, tkt::Success;

// The largest picture read or written. A face is 180 x 180 and the maker takes up to 500,000 pixels; a whole
// 4K screen (3840 x 2160) still fits, at 32 MiB as 32-bit pixels.
inline constexpr int kMaxBmpSide = 16384;
inline constexpr int64_t kMaxBmpPixels = int64_t(1) << 23;
// The largest file ReadBmpFile reads: such a picture at 32 bits a pixel, the longest headers, a full palette,
// and room for a gap before the pixels or a colour profile after them.
inline constexpr unsigned long long kMaxBmpFileBytes = 4 * (unsigned long long)kMaxBmpPixels + 64 * 1024;

// Never reads past the buffer; a damaged, unsupported or too large file is an error, refused before the picture
// is allocated. Never throws: running out of memory is an error too.
Result<Image> DecodeBmp(std::span<const uint8_t> bytes);
Result<Image> ReadBmpFile(const std::filesystem::path& path);

std::vector<uint8_t> EncodeBmp24(const Image& image);
Status WriteBmpFile(const std::filesystem::path& path, const Image& image);

}  // namespace faceformat
