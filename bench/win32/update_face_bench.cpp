// Time per UpdateFace on the real window system, for the default and the
// largest shipped skin: the clock started as the program starts it, then the
// face updated as the settings dialog's opacity slider does. The decoding and
// the premultiplication are also timed alone; the rest of a call is the
// system's layered update.
//   update_face_bench [application folder] [calls]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/win32/program.h"
#include "platform/win32/program_parts.h"

namespace {

using Clock = std::chrono::steady_clock;  // QueryPerformanceCounter underneath

std::string WithBackslashes(std::string path) {
  std::replace(path.begin(), path.end(), '/', '\\');
  if (!path.empty() && path.back() != '\\') path += '\\';
  return path;
}

struct Spread {
  double median, p10, p90, max;
};

// Milliseconds a call of `fn(i)`, over `calls` calls after a few unmeasured ones.
template <typename Fn>
Spread Time(int calls, Fn fn) {
  for (int i = 0; i < 10; ++i) fn(i);  // codec loaded, caches filled
  std::vector<double> ms;
  ms.reserve(static_cast<std::size_t>(calls));
  for (int i = 0; i < calls; ++i) {
    const auto start = Clock::now();
    fn(i);
    ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::sort(ms.begin(), ms.end());
  auto at = [&ms](double p) {
    return ms[static_cast<std::size_t>(p * static_cast<double>(ms.size() - 1) + 0.5)];
  };
  return Spread{at(0.5), at(0.1), at(0.9), ms.back()};
}

void Print(const char* skin, const std::string& size, const char* what, const Spread& s) {
  std::printf("%-12s %8s %-12s %8.3f %8.3f %8.3f %8.3f\n", skin, size.c_str(), what, s.median,
              s.p10, s.p90, s.max);
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = WithBackslashes(argc > 1 ? argv[1] : ZENTICK_APP_DIR);
  const int calls = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;

  zentick::win32::Program program(dir + "Zentick.exe");
  int errors = 0;
  program.parts().report.intercept = [&errors](const std::string& m) {
    std::fprintf(stderr, "error: %s\n", m.c_str());
    ++errors;
  };
  program.Start();
  program.ShowFace();
  if (errors) return 1;

  std::printf("%d calls each, application folder %s\n", calls, dir.c_str());
  std::printf("%-12s %8s %-12s %8s %8s %8s %8s  (ms a call)\n", "skin", "size", "part", "median",
              "p10", "p90", "max");
  zentick::FaceWindow& face = program.parts().face;
  zentick::ImageDecoder& images = program.parts().images;
  for (const char* skin : {"Default.png", "Large.png"}) {
    const std::string path = dir + "Skins\\" + skin;
    const zentick::DecodedImage image = images.DecodePng(path);
    if (!image.ok()) {
      std::fprintf(stderr, "error: %s\n", image.error.c_str());
      return 1;
    }
    const std::string size = std::to_string(image.width) + "x" + std::to_string(image.height);
    Print(skin, size, "decode", Time(calls, [&](int) { (void)images.DecodePng(path); }));
    Print(skin, size, "premultiply",
          Time(calls, [&](int) { (void)zentick::Premultiply(image).pixels.size(); }));
    // A slider dragged down, again and again.
    Print(skin, size, "UpdateFace",
          Time(calls, [&](int i) { face.UpdateFace(path, 255 - (i * 5) % 256); }));
  }
  return 0;
}
