// BMP files: read uncompressed 1, 4, 8, 24 and 32-bit pictures (bottom-up or top-down); write 24-bit.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "image.h"
#include "result.h"

namespace faceformat {

// Never reads past the buffer; a damaged or unsupported file is an error.
Result<Image> DecodeBmp(std::span<const uint8_t> bytes);
Result<Image> ReadBmpFile(const std::filesystem::path& path);

std::vector<uint8_t> EncodeBmp24(const Image& image);
Status WriteBmpFile(const std::filesystem::path& path, const Image& image);

}  // namespace faceformat
