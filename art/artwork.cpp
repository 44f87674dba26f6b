#include "art/artwork.h"

#include <system_error>

#include "art/containers.h"
#include "art/faces.h"
#include "art/pictures.h"
#include "art/sound.h"
#include "faceformat/bmp.h"
#include "faceformat/files.h"
#include "faceformat/region.h"
#include "faceformat/silhouette.h"

namespace art {

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return std::vector<uint8_t>(s.begin(), s.end()); }

void AddFace(std::vector<ArtFile>& out, const std::string& name, const faceformat::Image& face) {
  out.push_back({name + ".bmp", faceformat::EncodeBmp24(face)});
  out.push_back({name + ".rgp", Bytes(faceformat::FormatRegionRuns(faceformat::MakeRegionRuns(face)))});
}

std::vector<uint8_t> Icon(bool designer) {
  const Canvas a = DrawIcon(16, designer), b = DrawIcon(32, designer), c = DrawIcon(48, designer);
  return EncodeIco({&a, &b, &c});
}

}  // namespace

std::vector<ArtFile> MakeArtwork() {
  std::vector<ArtFile> out;
  AddFace(out, "kaichu", DrawKaichuFace());
  AddFace(out, "army", DrawArmyFace());
  AddFace(out, "hato", DrawHatoFace());
  AddFace(out, "meca", DrawMecaFace());
  out.push_back({"hato1_close.bmp", faceformat::EncodeBmp24(DrawCuckooDoor(1, false))});
  out.push_back({"hato1_open.bmp", faceformat::EncodeBmp24(DrawCuckooDoor(1, true))});
  out.push_back({"hato2_close.bmp", faceformat::EncodeBmp24(DrawCuckooDoor(2, false))});
  out.push_back({"hato2_open.bmp", faceformat::EncodeBmp24(DrawCuckooDoor(2, true))});
  out.push_back({"logo.bmp", faceformat::EncodeBmp24(DrawLogo())});
  out.push_back({"splash.bmp", faceformat::EncodeBmp24(DrawSplash())});
  out.push_back({"toolbox.bmp", faceformat::EncodeBmp24(DrawToolbox())});
  out.push_back({"arrow.bmp", faceformat::EncodeBmp24(DrawArrowGlyph())});
  out.push_back({"tkt.ico", Icon(false)});
  out.push_back({"tkttool.ico", Icon(true)});
  out.push_back({"hato.wav", EncodeWav(SynthesiseCuckoo(), kCuckooSampleRate)});
  return out;
}

tkt::Status WriteArtwork(const std::filesystem::path& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) return tkt::Error{"cannot create " + dir.string() + ": " + ec.message()};
  for (const ArtFile& f : MakeArtwork()) {
    auto written = faceformat::WriteFileAtomic(
        dir / f.name, std::string_view(reinterpret_cast<const char*>(f.bytes.data()), f.bytes.size()));
    if (!written) return tkt::Error{f.name + ": " + written.error().what};
  }
  return tkt::Success();
}

}  // namespace art
