#include "export/export_picture.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "export/export_name.h"
#include "export/snapshot_canvas.h"
#include "export/write_whole_file.h"
#include "ui/shell.h"

namespace tessvane::exporter {
namespace {

constexpr std::string_view kExportExtension = ".jpg";
constexpr std::string_view kSuccessMessage = "生成图片成功";

// The export names are the numbers 0 to 100000 followed by ".jpg".
constexpr std::int32_t kLowestNumber = 0;
constexpr std::int32_t kHighestNumber = 100000;

// The canvas is exported at its own 100 × 100.
constexpr std::int32_t kSnapshotWidth = 100;
constexpr std::int32_t kSnapshotHeight = 100;

// An existing file is never replaced: a name already taken in the current directory makes the
// export draw another number, this many names in all before it gives up.
constexpr int kNameTries = 100;

std::string drawExportName() {
    const std::string number = intToText(randomInRange(kLowestNumber, kHighestNumber));
    return joinTexts({number, kExportExtension});
}

// Writes the snapshot under a freshly drawn name; true once a file holds it.
bool writeSnapshot() {
    ByteBuffer snapshot;
    std::string name = drawExportName();
    snapshot = snapshotCanvas(ui::kMainWindow, ui::kCanvas, kSnapshotWidth, kSnapshotHeight);
    // A snapshot the graphics system refused would make an empty file: nothing is written.
    if (snapshot.empty()) {
        std::fprintf(stderr, "tessvane: the canvas could not be read, so no picture was written\n");
        return false;
    }
    for (int attempt = 1;; ++attempt) {
        switch (writeNewFile(name, {snapshot})) {
            case WriteOutcome::written:
                return true;
            case WriteOutcome::failed:
                return false;  // writeNewFile has said why
            case WriteOutcome::nameTaken:
                break;
        }
        if (attempt == kNameTries) {
            std::fprintf(stderr,
                         "tessvane: %d export names drawn in a row already exist here, so no picture was written\n",
                         kNameTries);
            return false;
        }
        name = drawExportName();
    }
}

}  // namespace

void exportPicture() {
    // The name and the snapshot are gone before the message is shown; failures show nothing.
    if (writeSnapshot()) {
        (void)ui::showMessageBox(kSuccessMessage, 0);
    }
}

}  // namespace tessvane::exporter
