#include "windows/hands_window.h"

#include "app/settings_keys.h"
#include "platform/error.h"
#include "windows/event_guard.h"

namespace zentick {

HandsWindow::HandsWindow(Shared& shared, const Ports& ports, std::string exe_path)
    : shared_(shared), p_(ports), exe_path_(std::move(exe_path)) {}

void HandsWindow::Show() {
  p_.self.Show();
  Guarded(p_.report, [this] { FormShow(); });
}

void HandsWindow::FormShow() {
  shared_.AppDir = DirectoryWithBackslash(exe_path_);
  shared_.Settings =
      std::make_unique<SettingsFile>(p_.files, p_.ansi, shared_.AppDir + "Zentick.ini");
  shared_.SkinName = shared_.Ini().Read(keys::kBmpFilename);
  LoadSkin(shared_.SkinName);

  shared_.HotkeyAtom = p_.hot_keys.AddAtom("ID123");
  p_.hot_keys.Register(p_.self.Id(), shared_.HotkeyAtom, kHotKeyModifiers, kHotKeyKey);
  hot_key_held_ = true;

  if (shared_.Ini().Read(keys::kEmbeddedDesktop)) {
    const WindowId progman = p_.desktop.FindProgMan();
    p_.desktop.SetParent(p_.self.Id(), p_.desktop.FirstChild(p_.desktop.FirstChild(progman)));
  }
}

void HandsWindow::FormClose() { ReleaseHotKey(); }

void HandsWindow::ReleaseHotKey() {
  if (!hot_key_held_) return;
  hot_key_held_ = false;
  p_.hot_keys.Unregister(p_.self.Id(), shared_.HotkeyAtom);
  p_.hot_keys.DeleteAtom(static_cast<std::uint16_t>(shared_.HotkeyAtom));
}

void HandsWindow::WMHotKey(std::uint32_t id) {
  if (id != shared_.HotkeyAtom || shared_.HotkeyAtom == 0) return;
  p_.tray.SetVisible(!p_.tray.Visible());
  shared_.Ini().Write(keys::kTrayIconVisible, p_.tray.Visible());
}

void HandsWindow::LoadSkin(const std::string& name) {
  shared_.AppDir = DirectoryWithBackslash(exe_path_);
  const std::string folder = shared_.AppDir + "Skins\\";
  const DecodedImage image = p_.images.DecodePng(folder + name);
  if (!image.ok()) throw Error(image.error);

  p_.self.SetSize(image.width, image.height);
  p_.clock.SetClockSize(image.width, image.height);
  skin_file_ = std::make_unique<SettingsFile>(p_.files, p_.ansi, folder + DescriptorName(name));
  p_.clock.ApplyLayout(ReadSkinLayout(*skin_file_, image.width, image.height));
}

}  // namespace zentick
