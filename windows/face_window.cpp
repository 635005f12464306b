#include "windows/face_window.h"

#include <algorithm>

#include "app/settings_keys.h"

namespace zentick {

PremultipliedImage Premultiply(const DecodedImage& image) {
  PremultipliedImage out;
  if (!image.ok()) return out;
  out.width = image.width;
  out.height = image.height;
  out.pixels.resize(image.pixels.size());
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const std::uint32_t p = image.pixels[i];
    const std::uint32_t a = p >> 24;
    // Rounded a*c/255, exact for every byte pair.
    auto mul = [a](std::uint32_t c) {
      const std::uint32_t t = a * c + 128;
      return (t + (t >> 8)) >> 8;
    };
    out.pixels[i] =
        (a << 24) | (mul((p >> 16) & 0xFF) << 16) | (mul((p >> 8) & 0xFF) << 8) | mul(p & 0xFF);
  }
  return out;
}

std::uint8_t ConstantAlphaFor(int opacity) {
  return (opacity >= 0 && opacity <= 255) ? static_cast<std::uint8_t>(opacity) : 255;
}

FaceWindow::FaceWindow(Shared& shared, const Ports& ports, HandsWindow& hands, std::string exe_path)
    : shared_(shared), p_(ports), hands_(hands), exe_path_(std::move(exe_path)) {}

void FaceWindow::FormCreate() {
  FollowFace = true;
  const Rect design = p_.self.Bounds();
  hands_.Self().SetLeft(design.left);
  hands_.Self().SetTop(design.top);
  hands_.Show();

  FaceBlend.AlphaFormat = 1;  // AC_SRC_ALPHA
  FaceBlend.SourceConstantAlpha = 255;
  const std::string dir = DirectoryWithBackslash(exe_path_);
  SettingsFile& ini = shared_.Ini();

  p_.self.SetLeft(ini.Read(keys::kLeft));
  p_.self.SetTop(ini.Read(keys::kTop));
  shared_.VoicePrefix = ini.Read(keys::kVoiceType);
  const std::string skin = ini.Read(keys::kBmpFilename);
  const int stored_opacity = ini.Read(keys::kAlphaBlendValue);
  // Only a hand-edited file holds a value outside 1..255; showing such a face
  // invisible (and so ungrabbable) would lose the clock, so it shows opaque.
  const int opacity = (stored_opacity >= 1 && stored_opacity <= 255) ? stored_opacity : 255;
  UpdateFace(dir + "Skins\\" + skin, opacity);
  BringOntoAMonitor();

  shared_.MouseEnabled = ini.Read(keys::kEnableMouse);
  MInDesktop = ini.Read(keys::kEmbeddedDesktop);
  Montop = ini.Read(keys::kStayOnTop);
  Mmouse = !shared_.MouseEnabled;
  if (Montop) p_.desktop.SetTopmost(p_.self.Id(), true);
  if (MInDesktop) {
    Montop = false;
    p_.desktop.SetParent(p_.self.Id(), p_.desktop.FindProgMan());
  }
  if (Mmouse) PopupAttached = false;
  hands_.Clock().SetSecJump(ini.Read(keys::kSecondJump));
  ReadAnnounceEvery(ini, shared_.AnnounceEvery);
  p_.tray.SetVisible(ini.Read(keys::kTrayIconVisible));
  p_.desktop.HideApplicationWindow();
}

void FaceWindow::BringOntoAMonitor() {
  Rect r = p_.self.Bounds();
  r.right = std::max(r.right, r.left + 1);  // an empty face still has a place
  r.bottom = std::max(r.bottom, r.top + 1);
  const MonitorPlacement place = p_.desktop.PlacementOf(r);
  if (place.on_a_monitor) return;
  // The monitor it stood on is gone: the nearest one takes it, and the file
  // keeps the stored place until the user moves the clock.
  const Rect& work = place.nearest_work_area;
  const int left = std::max(work.left, std::min(r.left, work.right - r.Width()));
  const int top = std::max(work.top, std::min(r.top, work.bottom - r.Height()));
  p_.self.SetLeft(left);
  p_.self.SetTop(top);
}

void FaceWindow::FormMove() {
  if (!FollowFace) return;
  const Rect r = p_.self.Bounds();
  hands_.Self().SetLeft(r.left);
  hands_.Self().SetTop(r.top);
}

void FaceWindow::UpdateFace(const std::string& path, int opacity) {
  const DecodedImage image = p_.images.DecodePng(path);
  const PremultipliedImage face = Premultiply(image);
  p_.self.SetSize(face.width, face.height);
  FaceBlend.SourceConstantAlpha = ConstantAlphaFor(opacity);
  p_.surface.UpdateLayered(face, FaceBlend.SourceConstantAlpha);
}

void FaceWindow::FormMouseDown(Button button, Point cursor) {
  if (button == Button::kLeft && shared_.MouseEnabled) {
    DraggingFace = true;
    const Rect r = p_.self.Bounds();
    DragOffset = Point{cursor.x - r.left, cursor.y - r.top};
    StorePosition();
  }
  FollowFace = true;
}

void FaceWindow::FormMouseMove(Point cursor) {
  if (!DraggingFace) return;
  p_.self.MoveTo(Point{cursor.x - DragOffset.x, cursor.y - DragOffset.y});
}

void FaceWindow::FormMouseUp(Button button) {
  if (button != Button::kLeft || !DraggingFace) return;
  DraggingFace = false;
  // Stored at the release too, so a drag followed by exit keeps the new place.
  StorePosition();
}

void FaceWindow::StorePosition() {
  const Rect r = p_.self.Bounds();
  shared_.Ini().Write(keys::kLeft, r.left);
  shared_.Ini().Write(keys::kTop, r.top);
}

void FaceWindow::FormContextMenu() {
  if (PopupAttached) RunCommand(p_.menus.Track(Popup()));
}

void FaceWindow::TrayRightClick() { RunCommand(p_.menus.Track(Popup())); }

void FaceWindow::WriteModes() {
  shared_.Ini().Write(keys::kStayOnTop, Montop);
  shared_.Ini().Write(keys::kEmbeddedDesktop, MInDesktop);
}

void FaceWindow::MontopClick() {
  Montop = !Montop;
  const WindowId face = p_.self.Id();
  const WindowId hands = hands_.Self().Id();
  if (Montop) {
    MInDesktop = false;
    p_.desktop.SetParent(hands, 0);
    p_.desktop.SetParent(face, 0);
    p_.desktop.SetTopmost(face, true);
    p_.desktop.SetTopmost(hands, true);
  } else {
    // The owned hands window leaves the topmost band with its owner.
    p_.desktop.SetTopmost(face, false);
  }
  WriteModes();
}

void FaceWindow::MInDesktopClick() {
  MInDesktop = !MInDesktop;
  const WindowId face = p_.self.Id();
  const WindowId hands = hands_.Self().Id();
  if (MInDesktop) {
    Montop = false;
    const WindowId progman = p_.desktop.FindProgMan();
    p_.desktop.SetParent(hands, p_.desktop.FirstChild(p_.desktop.FirstChild(progman)));
    p_.desktop.SetParent(face, p_.desktop.FindProgMan());
  } else {
    p_.desktop.SetParent(face, 0);
    p_.desktop.SetParent(hands, 0);
  }
  WriteModes();
}

void FaceWindow::MmouseClick() {
  Mmouse = !Mmouse;
  shared_.MouseEnabled = !Mmouse;
  PopupAttached = !Mmouse;
  shared_.Ini().Write(keys::kEnableMouse, !Mmouse);
}

void FaceWindow::RunCommand(int command) {
  switch (command) {
    case kCmdMontop:
      MontopClick();
      break;
    case kCmdMmouse:
      MmouseClick();
      break;
    case kCmdMInDesktop:
      MInDesktopClick();
      break;
    case kCmdSpeak:
      p_.voice.SpeakTime();
      break;
    case kCmdSettings:
      p_.shell.ShowSettingsModal();
      break;
    case kCmdFeedback:
      p_.shell.OpenLink(FeedbackMailLink());
      break;
    case kCmdWebPage:
      p_.shell.OpenLink(kWebPage);
      break;
    case kCmdAbout:
      p_.shell.ShowAboutModal();
      break;
    case kCmdExit:
      p_.shell.CloseMainWindow();
      break;
    default:
      break;  // the menu was dismissed
  }
}

}  // namespace zentick
