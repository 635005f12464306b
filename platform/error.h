// The one error type the program raises; its text is what the user sees.
#pragma once

#include <stdexcept>
#include <string>

namespace zentick {

class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace zentick
