// What each UpdateFace costs before the system gets the pixels: reading the
// skin's PNG and premultiplying it, for the default and the largest skin.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/host/spng_decoder.h"
#include "windows/face_window.h"

namespace {

const std::string kSkins = std::string(ZENTICK_SOURCE_DIR) + "/Skins/";

zentick::DecodedImage DecodeOrSkip(benchmark::State& state, const std::string& path) {
  zentick::DecodedImage img = zentick::host::SpngImageDecoder().DecodePng(path);
  if (!img.ok()) state.SkipWithError(img.error.c_str());
  return img;
}

void Pixels(benchmark::State& state, const zentick::DecodedImage& img) {
  state.SetItemsProcessed(state.iterations() * img.width * img.height);
  state.SetLabel(std::to_string(img.width) + "x" + std::to_string(img.height));
}

void BM_Decode(benchmark::State& state, const char* skin) {
  const std::string path = kSkins + skin;
  zentick::host::SpngImageDecoder decoder;
  zentick::DecodedImage img = DecodeOrSkip(state, path);
  for (auto _ : state) {
    img = decoder.DecodePng(path);
    benchmark::DoNotOptimize(img.pixels.data());
  }
  Pixels(state, img);
}

void BM_Premultiply(benchmark::State& state, const char* skin) {
  const zentick::DecodedImage img = DecodeOrSkip(state, kSkins + skin);
  for (auto _ : state) {
    zentick::PremultipliedImage face = zentick::Premultiply(img);
    benchmark::DoNotOptimize(face.pixels.data());
  }
  Pixels(state, img);
}

void BM_DecodeAndPremultiply(benchmark::State& state, const char* skin) {
  const std::string path = kSkins + skin;
  zentick::host::SpngImageDecoder decoder;
  const zentick::DecodedImage first = DecodeOrSkip(state, path);
  for (auto _ : state) {
    zentick::PremultipliedImage face = zentick::Premultiply(decoder.DecodePng(path));
    benchmark::DoNotOptimize(face.pixels.data());
  }
  Pixels(state, first);
}

BENCHMARK_CAPTURE(BM_Decode, Default, "Default.png")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Decode, Large, "Large.png")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Premultiply, Default, "Default.png")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Premultiply, Large, "Large.png")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecodeAndPremultiply, Default, "Default.png")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DecodeAndPremultiply, Large, "Large.png")->Unit(benchmark::kMicrosecond);

}  // namespace
