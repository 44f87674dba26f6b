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
  FUZZ_CHECK(image->width > 0 && image->width <= 16384);
  FUZZ_CHECK(image->height > 0 && image->height <= 16384);
  FUZZ_CHECK(image->pixels.size() == size_t(image->width) * size_t(image->height));
  for (uint32_t p : image->pixels) FUZZ_CHECK((p >> 24) == 0);
  // A decoded picture's pixel data cannot be bigger than the file: at least one bit a pixel.
  FUZZ_CHECK(image->pixels.size() <= size * 8);

  const std::vector<uint8_t> written = faceformat::EncodeBmp24(*image);
  auto back = faceformat::DecodeBmp(written);
  FUZZ_CHECK(back.ok());
  FUZZ_CHECK(*back == *image);
  return 0;
}
