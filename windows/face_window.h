// The face window TAlphaClock: the main window, showing the skin with its
// per-pixel alpha; it carries the hands window along wherever it moves.
#pragma once

#include <cstdint>
#include <string>

#include "app/shared.h"
#include "platform/app_shell.h"
#include "platform/desktop.h"
#include "platform/error_report.h"
#include "platform/face_surface.h"
#include "platform/image_decoder.h"
#include "platform/tray_icon.h"
#include "platform/window.h"
#include "voice/announcer.h"
#include "windows/hands_window.h"
#include "windows/menu.h"

namespace zentick {

struct BlendFunction {
  std::uint8_t BlendOp = 0;  // AC_SRC_OVER
  std::uint8_t BlendFlags = 0;
  std::uint8_t SourceConstantAlpha = 255;
  std::uint8_t AlphaFormat = 0;
};

// Where the face window stands before start-up moves it.
inline constexpr Rect kFaceDesignBounds{100, 100, 100 + 128, 100 + 128};

// Straight 0xAARRGGBB pixels to the premultiplied BGRA that layered windows take.
PremultipliedImage Premultiply(const DecodedImage& image);
// The constant alpha for an opacity: 0..255 as given, anything else 255.
std::uint8_t ConstantAlphaFor(int opacity);

class FaceWindow {
 public:
  struct Ports {
    Window& self;
    Desktop& desktop;
    TrayIcon& tray;
    FaceSurface& surface;
    ImageDecoder& images;
    ErrorReport& report;
    AppShell& shell;
    MenuPopper& menus;
    voice::Announcer& voice;  // the hands window's SpeakTime
  };
  enum class Button { kLeft, kRight, kMiddle };
  FaceWindow(Shared& shared, const Ports& ports, HandsWindow& hands, std::string exe_path);

  void FormCreate();
  void FormMove();  // WM_MOVE
  void FormKeyUp() { FollowFace = false; }
  void UpdateFace(const std::string& path, int opacity);

  // Mouse input, with the cursor in screen coordinates.
  void FormMouseDown(Button button, Point cursor);
  void FormMouseMove(Point cursor);
  void FormMouseUp(Button button);
  // A right-click on the face: the menu opens while one is attached.
  void FormContextMenu();
  // A right-button press on the tray icon: the same menu, always.
  void TrayRightClick();

  void MontopClick();
  void MInDesktopClick();
  void MmouseClick();
  void RunCommand(int command);
  MenuModel Popup() const { return BuildPopup(Montop, Mmouse, MInDesktop); }

  // Menu ticks and whether right-clicking the face opens the menu.
  bool Montop = false;
  bool MInDesktop = false;
  bool Mmouse = false;
  bool PopupAttached = true;

  bool FollowFace = false;
  BlendFunction FaceBlend;
  bool DraggingFace = false;
  Point DragOffset;

 private:
  Shared& shared_;
  Ports p_;
  void WriteModes();
  void StorePosition();  // Left, then Top
  void BringOntoAMonitor();

  HandsWindow& hands_;
  std::string exe_path_;
};

}  // namespace zentick
