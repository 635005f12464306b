#include "app/shared.h"

namespace zentick {

std::string DirectoryWithBackslash(const std::string& exe_path) {
  const std::size_t cut = exe_path.find_last_of("\\/:");
  std::string dir = cut == std::string::npos ? std::string() : exe_path.substr(0, cut + 1);
  if (dir.empty() || dir.back() != '\\') dir += '\\';
  return dir;
}

}  // namespace zentick
