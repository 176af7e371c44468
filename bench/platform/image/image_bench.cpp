// Codec speed on a pane-sized picture (1024 x 768): what saving a view image and loading a
// texture of that size cost.
#include <benchmark/benchmark.h>

#include "platform/image/bmp_reader.h"
#include "platform/image/bmp_writer.h"
#include "platform/image/jpeg_reader.h"
#include "platform/image/jpeg_writer.h"

namespace {

image::Image Picture() {
    image::Image img{1024, 768, {}};
    img.argb.reserve(1024 * 768);
    for (int y = 0; y < 768; ++y)
        for (int x = 0; x < 1024; ++x)
            img.argb.push_back(0xFF000000u | uint32_t(x / 4) << 16 | uint32_t(y / 3) << 8 |
                               uint32_t((x ^ y) & 0xFF));
    return img;
}

void BM_EncodeJpeg(benchmark::State& state) {
    image::Image img = Picture();
    for (auto _ : state) benchmark::DoNotOptimize(image::EncodeJpeg(img, 75));
    state.SetItemsProcessed(state.iterations() * 1024 * 768);
}
BENCHMARK(BM_EncodeJpeg)->Unit(benchmark::kMillisecond);

void BM_DecodeJpeg(benchmark::State& state) {
    auto file = *image::EncodeJpeg(Picture(), 75);
    for (auto _ : state) {
        auto px = image::DecodeJpeg(file);
        benchmark::DoNotOptimize(image::JpegPixelsToImage(*px));
    }
    state.SetItemsProcessed(state.iterations() * 1024 * 768);
}
BENCHMARK(BM_DecodeJpeg)->Unit(benchmark::kMillisecond);

void BM_EncodeBmp(benchmark::State& state) {
    image::Image img = Picture();
    for (auto _ : state) benchmark::DoNotOptimize(image::EncodeBmp(img, 24));
    state.SetItemsProcessed(state.iterations() * 1024 * 768);
}
BENCHMARK(BM_EncodeBmp)->Unit(benchmark::kMillisecond);

void BM_ReadBmp(benchmark::State& state) {
    auto file = *image::EncodeBmp(Picture(), 24);
    for (auto _ : state) benchmark::DoNotOptimize(image::ReadBmp(file));
    state.SetItemsProcessed(state.iterations() * 1024 * 768);
}
BENCHMARK(BM_ReadBmp)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
