// Files of the source tree that the skin tests read.
#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace zentick::testing_files {

inline const std::string kSourceDir = ZENTICK_SOURCE_DIR;
inline const std::string kPngDir = kSourceDir + "/tests/data/png/";
inline const std::string kSkinDir = kSourceDir + "/Skins/";

// The whole file, or an empty string when it cannot be read.
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace zentick::testing_files
