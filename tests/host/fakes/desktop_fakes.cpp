#include "fakes/desktop_fakes.h"

#include <algorithm>

namespace zentick::fakes {
namespace {
std::string Str(int v) { return std::to_string(v); }
}  // namespace

FakeWindow::FakeWindow(FakeDesktop& desktop, std::string window_name, Rect design)
    : name(std::move(window_name)), bounds(design), desktop_(desktop) {}

WindowId FakeWindow::Id() {
  if (id == 0) {
    if (owner) owner->Id();
    id = desktop_.next_id++;
    desktop_.names[id] = name;
    desktop_.Log("Create " + name + " at " + Str(bounds.left) + "," + Str(bounds.top));
  }
  return id;
}

void FakeWindow::SetLeft(int left) {
  const int w = bounds.Width();
  bounds.left = left;
  bounds.right = left + w;
  desktop_.Log(name + ".Left=" + Str(left));
  if (id != 0 && on_move) on_move();
}

void FakeWindow::SetTop(int top) {
  const int h = bounds.Height();
  bounds.top = top;
  bounds.bottom = top + h;
  desktop_.Log(name + ".Top=" + Str(top));
  if (id != 0 && on_move) on_move();
}

void FakeWindow::SetSize(int width, int height) {
  bounds.right = bounds.left + width;
  bounds.bottom = bounds.top + height;
  desktop_.Log(name + ".Size=" + Str(width) + "x" + Str(height));
}

void FakeWindow::MoveTo(Point p) {
  bounds = Rect{p.x, p.y, p.x + bounds.Width(), p.y + bounds.Height()};
  desktop_.Log(name + ".MoveTo " + Str(p.x) + "," + Str(p.y));
  if (id != 0 && on_move) on_move();
}

void FakeWindow::Show() {
  Id();
  visible = true;
  desktop_.Log("Show " + name);
}

void FakeDesktop::SetParent(WindowId child, WindowId new_parent) {
  parent[child] = new_parent;
  Log("SetParent " + NameOf(child) + " -> " + NameOf(new_parent));
}

void FakeDesktop::SetTopmost(WindowId window, bool on) {
  topmost[window] = on;
  Log(std::string(on ? "Topmost " : "NoTopmost ") + NameOf(window));
}

MonitorPlacement FakeDesktop::PlacementOf(const Rect& w) {
  MonitorPlacement p{false, {}};
  long long best = -1;
  for (const Monitor& m : monitors) {
    const Rect& b = m.bounds;
    if (w.left < b.right && b.left < w.right && w.top < b.bottom && b.top < w.bottom) {
      p.on_a_monitor = true;
    }
    // Distance from the window's rectangle to the monitor's, squared.
    const long long dx = std::max({0, b.left - w.right, w.left - b.right});
    const long long dy = std::max({0, b.top - w.bottom, w.top - b.bottom});
    const long long d = dx * dx + dy * dy;
    if (best < 0 || d < best) {
      best = d;
      p.nearest_work_area = m.work_area;
    }
  }
  return p;
}

WindowId FakeDesktop::FindProgMan() { return progman; }

WindowId FakeDesktop::FirstChild(WindowId window) {
  for (const auto& [child, p] : parent) {
    if (p == window && window != 0 && names.count(child) && names[child].starts_with("ProgMan"))
      return child;
  }
  return 0;
}

WindowId FakeDesktop::AddProgMan() {
  progman = next_id++;
  names[progman] = "ProgMan";
  const WindowId child = next_id++;
  names[child] = "ProgMan.child";
  parent[child] = progman;
  const WindowId grandchild = next_id++;
  names[grandchild] = "ProgMan.grandchild";
  parent[grandchild] = child;
  return progman;
}

std::string FakeDesktop::NameOf(WindowId id) const {
  if (id == 0) return "none";
  auto it = names.find(id);
  return it == names.end() ? "?" : it->second;
}

std::uint16_t FakeHotKeys::AddAtom(const std::string& name) {
  const auto atom = static_cast<std::uint16_t>(0xC000 + atoms.size());
  atoms[atom] = name;
  desktop_.Log("AddAtom " + name);
  return atom;
}

void FakeHotKeys::DeleteAtom(std::uint16_t atom) {
  atoms.erase(atom);
  desktop_.Log("DeleteAtom");
}

bool FakeHotKeys::Register(WindowId window, std::uint32_t id, unsigned modifiers, unsigned key) {
  desktop_.Log("RegisterHotKey " + desktop_.NameOf(window) + " " +
               Str(static_cast<int>(modifiers)) + " " + Str(static_cast<int>(key)));
  if (taken_by_another_program) return false;
  registered[id] = window;
  return true;
}

void FakeHotKeys::Unregister(WindowId window, std::uint32_t id) {
  registered.erase(id);
  desktop_.Log("UnregisterHotKey " + desktop_.NameOf(window));
}

void FakeTray::SetVisible(bool visible) {
  visible_ = visible;
  desktop_.Log(std::string("Tray ") + (visible ? "shown" : "hidden"));
}

void FakeFaceSurface::UpdateLayered(const PremultipliedImage& image, std::uint8_t constant_alpha) {
  last = image;
  last_alpha = constant_alpha;
  ++updates;
  desktop_.Log("UpdateLayered " + Str(image.width) + "x" + Str(image.height) + " alpha " +
               Str(constant_alpha));
}

DecodedImage FakeImages::DecodePng(const std::string& path) {
  auto it = images.find(path);
  if (it != images.end()) return it->second;
  DecodedImage missing;
  missing.error = "Cannot open file \"" + path + "\".";
  return missing;
}

void FakeImages::Add(const std::string& path, int width, int height, std::uint32_t pixel) {
  DecodedImage img;
  img.width = width;
  img.height = height;
  img.pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), pixel);
  images[path] = img;
}

void FakeClockControl::SetClockSize(int width, int height) {
  size = {width, height};
  desktop_.Log("BIC.Size=" + Str(width) + "x" + Str(height));
}

void FakeClockControl::ApplyLayout(const SkinLayout& l) {
  layout = l;
  desktop_.Log("BIC.Layout center " + Str(l.center_x) + "," + Str(l.center_y));
}

void FakeClockControl::SetSecJump(bool jump) {
  sec_jump = jump;
  desktop_.Log(std::string("BIC.SecJump=") + (jump ? "1" : "0"));
}

}  // namespace zentick::fakes
