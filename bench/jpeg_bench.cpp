// The JPEG decoder against a plain libjpeg-turbo decode of the same bytes: the same library at
// the same default parameters, reading one scan line per call into a whole-picture RGB buffer
// and no error handling beyond libjpeg's own. What is left between the two is this program's
// own cost: the limit checks, the guarded session and the way rows reach the output.

#include "bench/bench_inputs.h"
#include "picture/decode/jpeg_decoder.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>  // jpeglib.h uses FILE without declaring it
#include <vector>

#include <jpeglib.h>

namespace {

const tessvane::ByteBuffer& largeJpeg() {
    static const tessvane::ByteBuffer bytes = tessvane::bench::benchInput("large.jpg");
    return bytes;
}

void setPixelCounters(benchmark::State& state, std::int64_t pixels) {
    state.SetItemsProcessed(state.iterations() * pixels);
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(largeJpeg().size()));
}

void BM_decodeJpeg(benchmark::State& state) {
    const tessvane::ByteBuffer& bytes = largeJpeg();
    std::int64_t pixels = 0;
    for (auto _ : state) {
        auto picture = tessvane::decode::decodeJpeg(bytes);
        if (!picture.ok()) {
            state.SkipWithError("large.jpg did not decode");
            return;
        }
        pixels = std::int64_t{picture->width} * picture->height;
        benchmark::DoNotOptimize(picture->pixels);
    }
    setPixelCounters(state, pixels);
}
BENCHMARK(BM_decodeJpeg)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_plainLibjpegTurbo(benchmark::State& state) {
    const tessvane::ByteBuffer& bytes = largeJpeg();
    std::int64_t pixels = 0;
    for (auto _ : state) {
        jpeg_decompress_struct decompressor{};
        jpeg_error_mgr errors{};
        decompressor.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&decompressor);
        jpeg_mem_src(&decompressor, bytes.data(), static_cast<unsigned long>(bytes.size()));
        jpeg_read_header(&decompressor, TRUE);
        jpeg_start_decompress(&decompressor);
        const std::size_t rowBytes = std::size_t{decompressor.output_width} * decompressor.output_components;
        std::vector<unsigned char> rgb(rowBytes * decompressor.output_height);
        while (decompressor.output_scanline < decompressor.output_height) {
            JSAMPROW row = rgb.data() + rowBytes * decompressor.output_scanline;
            jpeg_read_scanlines(&decompressor, &row, 1);
        }
        pixels = std::int64_t{decompressor.output_width} * decompressor.output_height;
        jpeg_finish_decompress(&decompressor);
        jpeg_destroy_decompress(&decompressor);
        benchmark::DoNotOptimize(rgb);
    }
    setPixelCounters(state, pixels);
}
BENCHMARK(BM_plainLibjpegTurbo)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
