// What one running clock is made of; tests reach in here to look.
#pragma once

#include <memory>

#include "app/shared.h"
#include "clock/bmp_clock.h"
#include "platform/win32/clock_window.h"
#include "platform/win32/desktop_ui.h"
#include "platform/win32/files.h"
#include "platform/win32/graphics.h"
#include "platform/win32/handles.h"
#include "platform/win32/program.h"
#include "platform/win32/system.h"
#include "platform/win32/tray.h"
#include "platform/win32/window_host.h"
#include "skins/skin.h"
#include "voice/announcer.h"
#include "windows/bic_skin.h"
#include "windows/face_window.h"
#include "windows/hands_window.h"

namespace zentick::win32 {

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
  Win32Timer bic_timer;
  HandsClockWindow bic_window;
  clock::TBmpClock bic;
  BicSkinTarget bic_skin;
  Win32Timer time_baoshi;
  Win32Timer timer1;
  voice::Announcer announcer;
  Win32MenuPopper menus;
  Win32AppShell shell;
  HandsWindow hands;
  FaceWindow face;
  UINT taskbar_created = 0;
};

}  // namespace zentick::win32
