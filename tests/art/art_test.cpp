// The generator reproduces the shipped artwork byte for byte, and the artwork is fit for its use.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <queue>
#include <set>
#include <string>
#include <vector>

#include "faceformat/bmp.h"
#include "faceformat/region.h"
#include "faceformat/silhouette.h"

namespace {

namespace fs = std::filesystem;
using faceformat::Image;

const fs::path kShipped = fs::path(TKT_SOURCE_DIR) / "art" / "generated";

const std::vector<std::string> kFiles = {
    "kaichu.bmp",      "kaichu.rgp",     "army.bmp",        "army.rgp",       "hato.bmp",   "hato.rgp",
    "meca.bmp",        "meca.rgp",       "hato1_close.bmp", "hato1_open.bmp", "hato2_close.bmp", "hato2_open.bmp",
    "logo.bmp",        "splash.bmp",     "toolbox.bmp",     "arrow.bmp",      "tkt.ico",    "tkttool.ico",
    "hato.wav"};

std::vector<uint8_t> Bytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return uint32_t(b[at]) | uint32_t(b[at + 1]) << 8 | uint32_t(b[at + 2]) << 16 | uint32_t(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b[at] | b[at + 1] << 8); }

Image Picture(const std::string& name) {
  const auto bytes = Bytes(kShipped / name);
  auto img = faceformat::DecodeBmp(bytes);
  EXPECT_TRUE(img.ok()) << name;
  EXPECT_EQ(U16(bytes, 28), 24) << name << " is not a 24-bit bitmap";
  return img.ok() ? *img : Image();
}

TEST(Artwork, GeneratorReproducesTheShippedFilesByteForByte) {
  char tmpl[] = "/tmp/artgen_XXXXXX";
  ASSERT_NE(mkdtemp(tmpl), nullptr);
  const fs::path out = tmpl;
  const std::string cmd = std::string("\"") + ARTGEN_PATH + "\" \"" + out.string() + "\"";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;

  std::set<std::string> made, shipped;
  for (const auto& e : fs::directory_iterator(out)) made.insert(e.path().filename().string());
  for (const auto& e : fs::directory_iterator(kShipped)) shipped.insert(e.path().filename().string());
  EXPECT_EQ(made, std::set<std::string>(kFiles.begin(), kFiles.end()));
  EXPECT_EQ(shipped, made) << "art/generated is out of step with the generator";
  for (const std::string& name : kFiles) {
    EXPECT_TRUE(Bytes(out / name) == Bytes(kShipped / name)) << name << " differs from the shipped file";
  }
  fs::remove_all(out);
}

// Template hand reach (0.6 pixel per length unit of the longest hand) of each sample face.
const std::map<std::string, double> kHandReach = {{"kaichu", 42}, {"army", 45}, {"hato", 21}, {"meca", 60}};

bool Cut(const Image& img, int x, int y) { return img.at(x, y) == faceformat::kCutColor; }

TEST(Faces, RegionFilesAreTheMakersRunsOfTheirPictures) {
  for (const auto& [face, reach] : kHandReach) {
    const Image img = Picture(face + ".bmp");
    ASSERT_EQ(img.width, 180);
    ASSERT_EQ(img.height, 180);
    auto runs = faceformat::ReadRegionFile(kShipped / (face + ".rgp"));
    ASSERT_TRUE(runs.ok()) << face;
    EXPECT_EQ(*runs, faceformat::MakeRegionRuns(img)) << face;
    EXPECT_TRUE(Cut(img, 0, 179) && Cut(img, 179, 179)) << face << ": the lower corners should be cut away";
  }
}

TEST(Faces, HandsAlwaysTurnOverThePicture) {
  for (const auto& [face, reach] : kHandReach) {
    const Image img = Picture(face + ".bmp");
    const auto bands = faceformat::BuildRegionBands(*faceformat::ReadRegionFile(kShipped / (face + ".rgp")));
    ASSERT_TRUE(bands.ok());
    bool centre = false;
    for (const auto& r : *bands) centre |= r.left <= 90 && 90 < r.right && r.top <= 90 && 90 < r.bottom;
    EXPECT_TRUE(centre) << face << ": the region misses the centre";
    for (int y = 0; y < 180; ++y) {
      for (int x = 0; x < 180; ++x) {
        if (std::hypot(x - 90, y - 90) <= reach + 3) {
          ASSERT_FALSE(Cut(img, x, y)) << face << " at " << x << "," << y;
        }
      }
    }
  }
}

// White pixels the cut-away outside cannot reach (4-neighbours) form holes in the window.
std::vector<int> EnclosedWhiteComponents(const Image& img) {
  std::vector<int> seen(size_t(img.width * img.height), 0);
  auto flood = [&](int sx, int sy, int mark) {
    int count = 0;
    std::queue<std::pair<int, int>> q;
    q.push({sx, sy});
    seen[size_t(sy * img.width + sx)] = mark;
    while (!q.empty()) {
      auto [x, y] = q.front();
      q.pop();
      ++count;
      const int dx[4] = {1, -1, 0, 0}, dy[4] = {0, 0, 1, -1};
      for (int k = 0; k < 4; ++k) {
        const int nx = x + dx[k], ny = y + dy[k];
        if (nx < 0 || ny < 0 || nx >= img.width || ny >= img.height) continue;
        int& s = seen[size_t(ny * img.width + nx)];
        if (s || !Cut(img, nx, ny)) continue;
        s = mark;
        q.push({nx, ny});
      }
    }
    return count;
  };
  for (int x = 0; x < img.width; ++x) {
    for (int y : {0, img.height - 1}) {
      if (Cut(img, x, y) && !seen[size_t(y * img.width + x)]) flood(x, y, 1);
    }
  }
  for (int y = 0; y < img.height; ++y) {
    for (int x : {0, img.width - 1}) {
      if (Cut(img, x, y) && !seen[size_t(y * img.width + x)]) flood(x, y, 1);
    }
  }
  std::vector<int> holes;
  for (int y = 0; y < img.height; ++y) {
    for (int x = 0; x < img.width; ++x) {
      if (Cut(img, x, y) && !seen[size_t(y * img.width + x)]) holes.push_back(flood(x, y, 2));
    }
  }
  return holes;
}

TEST(Faces, NoStrayWhiteInsideAndNoWhiteFringe) {
  for (const auto& [face, reach] : kHandReach) {
    const Image img = Picture(face + ".bmp");
    // Only the pocket watch's bow is open on purpose, once; a speck of white inside a face is a fault.
    const std::vector<int> holes = EnclosedWhiteComponents(img);
    ASSERT_EQ(holes.size(), face == "kaichu" ? 1u : 0u) << face;
    for (int size : holes) EXPECT_GE(size, 40) << face << ": a pinhole of " << size << " pixels";

    // Pixels along the cut edge are dark or coloured, never near-white.
    for (int y = 0; y < 180; ++y) {
      for (int x = 0; x < 180; ++x) {
        if (Cut(img, x, y)) continue;
        const bool edge = x == 0 || y == 0 || x == 179 || y == 179 || Cut(img, x - 1, y) || Cut(img, x + 1, y) ||
                          Cut(img, x, y - 1) || Cut(img, x, y + 1);
        const uint32_t p = img.at(x, y);
        if (edge) {
          ASSERT_FALSE(faceformat::RedOf(p) > 200 && faceformat::GreenOf(p) > 200 && faceformat::BlueOf(p) > 200)
              << face << ": light fringe at " << x << "," << y;
        }
      }
    }
  }
}

TEST(Faces, HatoLeavesRoomForTheReadOutAndTheCuckooDoor) {
  const Image img = Picture("hato.bmp");
  // The template's read-out at (75, 46) and a door picture at (76, 124) must not hang over the cut.
  for (int y = 46; y < 62; ++y) {
    for (int x = 75; x < 116; ++x) ASSERT_FALSE(Cut(img, x, y)) << x << "," << y;
  }
  for (int y = 124; y < 150; ++y) {
    for (int x = 76; x < 106; ++x) ASSERT_FALSE(Cut(img, x, y)) << x << "," << y;
  }
}

TEST(Pictures, SizesAndTheColoursOthersRelyOn) {
  for (const char* door : {"hato1_close.bmp", "hato1_open.bmp", "hato2_close.bmp", "hato2_open.bmp"})
    EXPECT_EQ(Picture(door).width * 100 + Picture(door).height, 3026) << door;
  EXPECT_NE(Picture("hato1_close.bmp"), Picture("hato1_open.bmp"));
  EXPECT_NE(Picture("hato2_close.bmp"), Picture("hato2_open.bmp"));

  const Image logo = Picture("logo.bmp");
  ASSERT_EQ(logo.width, 269);
  ASSERT_EQ(logo.height, 50);
  // The version window fills blocks beyond the logo with its background colour.
  for (int x = 0; x < 269; ++x) {
    EXPECT_EQ(logo.at(x, 0), faceformat::Rgb(192, 192, 192));
    EXPECT_EQ(logo.at(x, 49), faceformat::Rgb(192, 192, 192));
  }

  EXPECT_EQ(Picture("splash.bmp").width, 402);

  const Image box = Picture("toolbox.bmp");
  ASSERT_EQ(box.width, 16);
  ASSERT_EQ(box.height, 15);
  EXPECT_EQ(box.at(0, 14), faceformat::Rgb(192, 192, 192)) << "the lower-left pixel gives the transparent colour";
  const std::set<uint32_t> vga = {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
                                  0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
  for (uint32_t p : box.pixels) EXPECT_TRUE(vga.count(p)) << std::hex << p << " is not a 16-colour palette colour";

  const Image arrow = Picture("arrow.bmp");
  ASSERT_EQ(arrow.width, 7);
  ASSERT_EQ(arrow.height, 4);
  const char* rows[4] = {"#######", ".#####.", "..###..", "...#..."};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 7; ++x) {
      EXPECT_EQ(arrow.at(x, y), rows[y][x] == '#' ? 0u : 0xFFFFFFu) << x << "," << y;
    }
  }
}

TEST(Icons, ThreeSizesWithAlphaAndAMatchingMask) {
  for (const char* name : {"tkt.ico", "tkttool.ico"}) {
    const auto b = Bytes(kShipped / name);
    ASSERT_GE(b.size(), 6u + 3 * 16);
    ASSERT_EQ(U16(b, 4), 3);
    size_t end = 6 + 3 * 16;
    for (int i = 0; i < 3; ++i) {
      const size_t e = 6 + 16 * size_t(i);
      const int n = (i + 1) * 16;
      EXPECT_EQ(b[e], n) << name;
      const uint32_t size = U32(b, e + 8), at = U32(b, e + 12);
      ASSERT_EQ(at, end) << name << ": images must follow each other";
      ASSERT_LE(size_t(at) + size, b.size());
      end = at + size;
      EXPECT_EQ(U32(b, at + 8), uint32_t(2 * n)) << "colour and mask";
      const int stride = ((n + 31) / 32) * 4;
      ASSERT_EQ(size, 40u + uint32_t(n * n * 4 + stride * n));
      // Rows are bottom-up; a pixel is masked exactly when it is less than half opaque.
      int opaque = 0;
      for (int row = 0; row < n; ++row) {
        for (int x = 0; x < n; ++x) {
          const uint8_t alpha = b[at + 40 + size_t(row * n + x) * 4 + 3];
          const bool masked = b[at + 40 + size_t(n * n * 4) + size_t(row * stride + x / 8)] & (0x80 >> (x % 8));
          EXPECT_EQ(masked, alpha < 128) << name << " " << n << " at " << x << "," << row;
          opaque += alpha == 255;
        }
      }
      EXPECT_EQ(b[at + 40 + 3], 0) << name << ": corners are transparent";
      EXPECT_GT(opaque, n * n / 3) << name << ": the picture fills the icon";
    }
    EXPECT_EQ(end, b.size());
  }
}

// Strength of one frequency in a stretch of samples.
double Goertzel(const std::vector<int16_t>& s, size_t from, size_t count, double hz, double rate) {
  const double k = 2 * std::cos(2 * 3.14159265358979 * hz / rate);
  double s1 = 0, s2 = 0;
  for (size_t i = from; i < from + count; ++i) {
    const double s0 = s[i] + k * s1 - s2;
    s2 = s1;
    s1 = s0;
  }
  return std::sqrt(s1 * s1 + s2 * s2 - k * s1 * s2);
}

TEST(Sound, ShortSixteenBitCuckooFallingAThird) {
  const auto b = Bytes(kShipped / "hato.wav");
  ASSERT_GE(b.size(), 44u);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
  EXPECT_EQ(U16(b, 20) * 100 + U16(b, 22), 101) << "mono PCM";
  EXPECT_EQ(U16(b, 34), 16);
  const uint32_t rate = U32(b, 24);
  ASSERT_EQ(U32(b, 40), b.size() - 44);

  std::vector<int16_t> s;
  for (size_t i = 44; i + 1 < b.size(); i += 2) s.push_back(int16_t(U16(b, i)));
  const double seconds = double(s.size()) / rate;
  EXPECT_LT(seconds, 1.0) << "a longer call would swallow the next call of a chime";
  EXPECT_GT(seconds, 0.4);
  int peak = 0;
  for (int16_t v : s) peak = std::max(peak, std::abs(int(v)));
  EXPECT_GT(peak, 10000) << "audible";
  EXPECT_LT(peak, 32000) << "not clipped";
  EXPECT_LT(std::abs(s.front()), 300) << "no click at the start";
  EXPECT_LT(std::abs(s.back()), 300) << "no click at the end";

  // First note high (about 700 Hz), second lower (about 560 Hz).
  const size_t win = rate / 10;
  const size_t first = size_t(0.1 * rate), second = size_t(0.45 * rate);
  EXPECT_GT(Goertzel(s, first, win, 700, rate), 4 * Goertzel(s, first, win, 560, rate));
  EXPECT_GT(Goertzel(s, second, win, 560, rate), 4 * Goertzel(s, second, win, 700, rate));
}

}  // namespace
