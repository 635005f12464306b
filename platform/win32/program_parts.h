// What one running clock is made of; tests reach in here to look.
#pragma once

#include <memory>

#include "app/shared.h"
#include "platform/win32/files.h"
#include "platform/win32/graphics.h"
#include "platform/win32/handles.h"
#include "platform/win32/program.h"
#include "platform/win32/system.h"
#include "platform/win32/tray.h"
#include "platform/win32/window_host.h"
#include "skins/skin.h"
#include "windows/face_window.h"
#include "windows/hands_window.h"

namespace zentick::win32 {

// Holds what the skin gives the clock control until it paints.
class HeldClockLayout : public SkinTarget {
 public:
  void SetClockSize(int width, int height) override { size = {width, height}; }
  void ApplyLayout(const SkinLayout& l) override { layout = l; }
  void SetSecJump(bool jump) override { sec_jump = jump; }
  Size size{25, 17};
  SkinLayout layout;
  bool sec_jump = false;
};

struct Program::Parts {
  explicit Parts(std::string exe);

  std::string exe_path;
  Shared shared;
  Win32FileSystem files;
  Win32AnsiCodec ansi;
  Win32Clock clock;
  Win32HotKeys hot_keys;
  Win32ErrorReport report;
  WicImageDecoder images;
  Win32Sound sound;
  OwnedWindow application;  // the hidden owner, as a toolkit's application window
  Win32Desktop desktop;
  WindowHost face_host;
  WindowHost hands_host;
  OwnedIcon icon;
  Win32Tray tray;
  LayeredFaceSurface surface;
  HeldClockLayout bic;
  HandsWindow hands;
  FaceWindow face;
  UINT taskbar_created = 0;
};

}  // namespace zentick::win32
