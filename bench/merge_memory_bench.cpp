// The merge over and over on the program's window, as a user clicking "合并" a thousand times
// would: the time of one merge, and the process's resident memory before and after, which
// stays flat because each merge releases its two pictures once they are drawn. The registry is
// checked after every merge; one that still holds a picture stops the run with an error.
// Runs on Qt's offscreen platform unless another one is asked for.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QBuffer>
#include <QImage>
#include <cstdint>
#include <cstdio>
#include <memory>

#include "app/handler_table.h"
#include "app/start_up.h"
#include "canvas/merge_pictures.h"
#include "canvas/picture_registry.h"
#include "ui/control_ids.h"
#include "ui/property_tables.h"
#include "ui/runtime.h"
#include "ui/shell.h"
#include "ui/window_template.h"

namespace {

using namespace tessvane;

constexpr int kMerges = 1000;
// Merges before the first reading, so the allocator's and Qt's one-off growth is not counted.
constexpr int kWarmUpMerges = 50;

// Resident memory in KiB, from the second field of /proc/self/statm (in pages).
double residentKib() {
    std::FILE* statm = std::fopen("/proc/self/statm", "r");
    if (statm == nullptr) {
        return 0;
    }
    long size = 0;
    long resident = 0;
    const int read = std::fscanf(statm, "%ld %ld", &size, &resident);
    std::fclose(statm);
    return read == 2 ? static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1024.0 : 0;
}

ByteBuffer bmpOfSide(int side) {
    QImage image(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            image.setPixel(x, y, qRgb(x % 256, y % 256, (x ^ y) % 256));
        }
    }
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return ByteBuffer(data.begin(), data.end());
}

// The program's window, loaded once for the whole run.
void loadWindowOnce() {
    static bool loaded = false;
    if (loaded) {
        return;
    }
    app::registerControlKinds();
    if (!ui::loadTemplate(ui::mainWindowTemplate(), &app::programHandler) || !ui::loadWindow(ui::kMainWindow)) {
        std::fprintf(stderr, "the program's window did not load\n");
        std::exit(1);
    }
    QApplication::processEvents();
    loaded = true;
}

// A thousand merges with a large picture of the given side (the small box keeps its built-in
// picture): a leak of the decoded pictures would show as about 3 × side² bytes per merge.
void BM_thousandMerges(benchmark::State& state) {
    loadWindowOnce();
    const int side = static_cast<int>(state.range(0));
    ui::setProperty(ui::kMainWindow, ui::kLargePictureBox, ui::picbox_property::picture, bmpOfSide(side));
    std::size_t mostHeld = 0;
    double before = 0;
    double after = 0;
    for (auto _ : state) {
        for (int i = 0; i < kWarmUpMerges; ++i) {
            canvas::mergePictures();
        }
        QApplication::processEvents();
        before = residentKib();
        for (int i = 0; i < kMerges; ++i) {
            canvas::mergePictures();
            mostHeld = std::max(mostHeld, canvas::pictureRegistry().size());
        }
        QApplication::processEvents();
        after = residentKib();
    }
    if (mostHeld != 0) {
        state.SkipWithError("the registry still held pictures after a merge");
    }
    state.counters["rss_before_KiB"] = before;
    state.counters["rss_after_KiB"] = after;
    state.counters["rss_growth_KiB"] = after - before;
    state.counters["registry_most_held"] = static_cast<double>(mostHeld);
    state.counters["merges"] = benchmark::Counter(static_cast<double>(kMerges), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_thousandMerges)->Arg(100)->Arg(400)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ui::endRun();
    return 0;
}
