// The BMP decoder on arbitrary bytes (each input sits in a buffer of exactly its size, so AddressSanitizer
// catches any read past it). A picture it returns has sane dimensions and pixels, and writing it as a
// 24-bit file and reading that back gives the same picture.
#include <cstddef>
#include <cstdint>
#include <span>

#include "faceformat/bmp.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto image = faceformat::DecodeBmp(std::span<const uint8_t>(data, size));
  if (!image) return 0;
  FUZZ_CHECK(image->width > 0 && image->width <= faceformat::kMaxBmpSide);
  FUZZ_CHECK(image->height > 0 && image->height <= faceformat::kMaxBmpSide);
  FUZZ_CHECK(image->pixels.size() == size_t(image->width) * size_t(image->height));
  FUZZ_CHECK(image->pixels.size() <= size_t(faceformat::kMaxBmpPixels));
  for (uint32_t p : image->pixels) FUZZ_CHECK((p >> 24) == 0);
  // Uncompressed pixel data cannot be bigger than the file: at least one bit a pixel. (A run-length coded
  // picture can be: an end of the bitmap at once leaves every pixel at palette entry 0.)
  const bool rle = size >= 34 && (data[30] == 1 || data[30] == 2) && data[31] == 0 && data[32] == 0 && data[33] == 0;
  FUZZ_CHECK(rle || image->pixels.size() <= size * 8);

  const std::vector<uint8_t> written = faceformat::EncodeBmp24(*image);
  auto back = faceformat::DecodeBmp(written);
  FUZZ_CHECK(back.ok());
  FUZZ_CHECK(*back == *image);
  return 0;
}
