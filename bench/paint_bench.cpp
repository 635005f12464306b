// One paint of the hands window's clock control, and the allocations it makes.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <iterator>
#include <new>
#include <string>

#include "clock/bmp_clock.h"

namespace {

std::atomic<long long> g_allocations{0};

}  // namespace

// Every allocation of the process goes through here, so a paint that allocates shows.
void* operator new(std::size_t size) {
  g_allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
// GCC takes these replacements for a mismatch of new and free.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace {

using zentick::DateTime;
using zentick::clock::TBmpClock;

class StillTimer : public zentick::Timer {
 public:
  void SetHandler(std::function<void()> on_tick) override { on_tick_ = std::move(on_tick); }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  void SetInterval(unsigned) override {}

 private:
  std::function<void()> on_tick_;
  bool enabled_ = false;
};

// A clock that moves on 100 ms at every reading, so every paint shows a new time.
class SteppingClock : public zentick::ClockSource {
 public:
  DateTime LocalNow() override {
    ms_ = (ms_ + 100) % 86400000;
    DateTime t{2026,
               12,
               11,
               static_cast<int>(ms_ / 3600000),
               static_cast<int>(ms_ / 60000 % 60),
               static_cast<int>(ms_ / 1000 % 60),
               static_cast<int>(ms_ % 1000)};
    return t;
  }
  DateTime UtcNow() override {
    DateTime t = LocalNow();
    t.hour = (t.hour + 16) % 24;
    return t;
  }

 private:
  long long ms_ = 10 * 3600000LL;
};

class NullWindow : public zentick::ClockWindow {
 public:
  bool Exists() const override { return true; }
  void Resize(int, int) override {}
  void Blit(const zentick::PixelView& picture) override {
    benchmark::DoNotOptimize(picture.pixels[picture.width * picture.height / 2]);
  }
  void SetRegion(zentick::WindowShape, int, int, int, int) override {}
  void ShowInfoBox(const std::string&, const std::string&) override {}
};

zentick::clock::Raster BuiltInPicture() {
  std::ifstream in(std::string(ZENTICK_SOURCE_DIR) + "/resources/bmpclock/bmpclock.bmp",
                   std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  return zentick::clock::DecodeBmpFile(bytes).raster;
}

void BM_PaintBic(benchmark::State& state) {
  const int side = static_cast<int>(state.range(0));
  StillTimer timer;
  SteppingClock clock;
  NullWindow window;
  TBmpClock bic(timer, clock, window, BuiltInPicture());
  zentick::clock::ApplyBicForm(bic);
  bic.SetWidth(side);
  bic.SetHeight(side);
  bic.Paint();  // the first paint at this size shapes the window
  const long long before = g_allocations.load();
  for (auto _ : state) bic.Paint();
  const long long allocations = g_allocations.load() - before;
  state.counters["allocs_per_paint"] =
      static_cast<double>(allocations) / static_cast<double>(state.iterations());
  state.counters["allocs_total"] = static_cast<double>(allocations);
}
BENCHMARK(BM_PaintBic)->Arg(128)->Arg(512)->Unit(benchmark::kMicrosecond);

}  // namespace
