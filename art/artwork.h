// Every shipped picture and sound, made in memory and written to a folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "base/result.h"

namespace art {

struct ArtFile {
  std::string name;
  std::vector<uint8_t> bytes;
};

// In a fixed order; the same bytes on every run.
std::vector<ArtFile> MakeArtwork();

// Writes every file into `dir`, creating it when missing.
tkt::Status WriteArtwork(const std::filesystem::path& dir);

}  // namespace art
