// The hands window TFrmZentick: lies over the face, holds the clock control,
// the skin loading and the global hot key.
#pragma once

#include <memory>
#include <string>

#include "app/shared.h"
#include "platform/desktop.h"
#include "platform/error_report.h"
#include "platform/file_system.h"
#include "platform/hot_keys.h"
#include "platform/image_decoder.h"
#include "platform/tray_icon.h"
#include "platform/window.h"
#include "skins/skin.h"

namespace zentick {

inline constexpr unsigned kHotKeyModifiers = kModAlt | kModControl | kModShift;  // 7
inline constexpr unsigned kHotKeyKey = 0x49;                                     // I

class HandsWindow {
 public:
  struct Ports {
    Window& self;
    Desktop& desktop;
    HotKeys& hot_keys;
    ErrorReport& report;
    FileSystem& files;
    AnsiCodec& ansi;
    ImageDecoder& images;
    SkinTarget& clock;  // BIC
    TrayIcon& tray;
  };
  HandsWindow(Shared& shared, const Ports& ports, std::string exe_path);

  Window& Self() { return p_.self; }
  SkinTarget& Clock() { return p_.clock; }

  // The system window comes up (layered with the key colour), then FormShow
  // runs; an error inside it is reported and showing completes.
  void Show();
  void FormShow();
  void FormClose();
  // Releases the hot key and its atom once, whichever way the program ends.
  void ReleaseHotKey();

  // WM_HOTKEY: our hot key shows or hides the tray icon; others are ignored.
  void WMHotKey(std::uint32_t id);

  void LoadSkin(const std::string& name);
  const SettingsFile* SkinFile() const { return skin_file_.get(); }

 private:
  Shared& shared_;
  Ports p_;
  std::string exe_path_;
  std::unique_ptr<SettingsFile> skin_file_;
  bool hot_key_held_ = false;
};

}  // namespace zentick
