// The application's standard error report: a message box with the app title.
#pragma once

#include <string>

namespace zentick {

class ErrorReport {
 public:
  virtual ~ErrorReport() = default;
  virtual void Show(const std::string& message) = 0;
};

}  // namespace zentick
