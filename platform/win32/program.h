// The composition root: every adapter and behaviour object of one running
// clock, wired together, and the main program's order.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

namespace zentick::win32 {

class Program {
 public:
  // `exe_path` names the program's own file; tests point it into a temporary folder.
  explicit Program(std::string exe_path);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Main program steps 1 to 3: the title, the face window with its creation
  // handler (which brings up the hands window), the settings dialog.
  void Start();
  // Step 4: shows the face window and dispatches messages until it closes.
  int Run();
  // Shows what Run shows, without the loop (for tests that pump themselves).
  void ShowFace();

  HWND Application() const;
  HWND Face() const;
  HWND Hands() const;

  struct Parts;
  Parts& parts() { return *parts_; }

 private:
  std::unique_ptr<Parts> parts_;
};

std::string ExecutablePath();

}  // namespace zentick::win32
