#include "picture/decode/jpeg_session.h"

#include "picture/decode/checked_math.h"
#include "picture/decode/limits.h"

#include <algorithm>
#include <csetjmp>
#include <cstdio>  // jpeglib.h uses FILE without declaring it

#include <jpeglib.h>
// jerror.h after jpeglib.h: it then declares the J_MESSAGE_CODE values.
#include <jerror.h>

// libjpeg reports errors by calling error_exit, which must not return; this file leaves it
// with longjmp back to decodeGuarded. A longjmp skips destructors, so every frame it can
// cross (these functions and libjpeg's own C frames) holds only plain C structs and scalars.
// Memory libjpeg allocated belongs to its pools and goes with jpeg_destroy_decompress; the
// output buffer belongs to the caller.

namespace tessvane::decode {
namespace {

// jpeg_read_scanlines gives at most one row group per call; asking for more rows lets it
// fill as many as it can without a round trip through this loop.
constexpr JDIMENSION kRowsPerCall = 16;

// All state of one run, kept outside the frame that calls setjmp: objects of that frame
// changed after setjmp would have no defined value after the jump.
struct Session {
    jpeg_decompress_struct decompressor;
    jpeg_error_mgr errors;
    jpeg_progress_mgr progress;
    std::jmp_buf jump;
    JpegSessionResult result;
    const std::uint8_t* data;
    std::size_t size;
    JpegOutputProvider provideOutput;
    void* context;
};

Session& sessionOf(j_common_ptr common) { return *static_cast<Session*>(common->client_data); }

[[noreturn]] void leaveOnError(j_common_ptr common) {
    Session& session = sessionOf(common);
    session.result.messageCode = common->err->msg_code;
    std::longjmp(session.jump, 1);
}

// Warnings (a file cut short, extra bytes between markers) and trace messages are not shown:
// the decode goes on with what libjpeg makes of the data.
void ignoreMessage(j_common_ptr, int) {}
void ignoreOutput(j_common_ptr) {}

// Called by libjpeg while it absorbs the scans of a multi-scan file.
void watchScans(j_common_ptr common) {
    Session& session = sessionOf(common);
    if (session.decompressor.input_scan_number > kJpegMaxScans) {
        session.result.outcome = JpegOutcome::tooManyScans;
        common->err->error_exit(common);
    }
}

[[nodiscard]] bool isReadableColour(const jpeg_decompress_struct& decompressor) {
    return (decompressor.out_color_space == JCS_RGB && decompressor.out_color_components == 3) ||
           (decompressor.out_color_space == JCS_GRAYSCALE && decompressor.out_color_components == 1);
}

// A grey row gives each pixel its value in all three colours. libjpeg writes the grey row
// into the last third of its output row, and the expansion runs left to right: pixel x goes
// to bytes 3x..3x+2, which lie before grey value x + 1 at byte 2 × width + x + 1, so no value
// is overwritten before it has been read.
void expandGreyInPlace(std::uint8_t* row, JDIMENSION width) {
    const std::uint8_t* grey = row + std::size_t{width} * 2;
    for (JDIMENSION x = 0; x < width; ++x) {
        const std::uint8_t value = grey[x];
        row[0] = value;
        row[1] = value;
        row[2] = value;
        row += 3;
    }
}

void readPixels(Session& session, std::uint8_t* output) {
    jpeg_decompress_struct& decompressor = session.decompressor;
    const JDIMENSION width = decompressor.output_width;
    const JDIMENSION height = decompressor.output_height;
    const std::size_t rowBytes = std::size_t{width} * 3;
    // Colour rows are written by libjpeg straight into the output, grey ones into the tail
    // of theirs.
    const std::size_t greyOffset = decompressor.out_color_components == 1 ? std::size_t{width} * 2 : 0;

    while (decompressor.output_scanline < height) {
        const JDIMENSION first = decompressor.output_scanline;
        const JDIMENSION wanted = std::min(kRowsPerCall, height - first);
        JSAMPROW rows[kRowsPerCall];
        for (JDIMENSION i = 0; i < wanted; ++i) {
            rows[i] = output + (std::size_t{first} + i) * rowBytes + greyOffset;
        }
        const JDIMENSION got = jpeg_read_scanlines(&decompressor, rows, wanted);
        if (got == 0) {
            // Only a suspending source returns no rows, and the memory source never
            // suspends; stop rather than loop should that ever change.
            session.result.outcome = JpegOutcome::libraryError;
            session.result.messageCode = 0;
            return;
        }
        if (greyOffset != 0) {
            for (JDIMENSION i = 0; i < got; ++i) {
                expandGreyInPlace(output + (std::size_t{first} + i) * rowBytes, width);
            }
        }
    }
    session.result.outcome = JpegOutcome::decoded;
}

void decodeSteps(Session& session) {
    jpeg_decompress_struct& decompressor = session.decompressor;
    jpeg_create_decompress(&decompressor);
    decompressor.mem->max_memory_to_use = kJpegMaxMemoryBytes;
    session.progress.progress_monitor = watchScans;
    decompressor.progress = &session.progress;

    // The memory source refuses empty data and, when the data ends early, supplies an
    // end-of-image marker so a file cut short decodes with what it holds.
    jpeg_mem_src(&decompressor, session.data, static_cast<unsigned long>(session.size));
    (void)jpeg_read_header(&decompressor, TRUE);

    // Every parameter stays at libjpeg's default; the output size is settled here so it can
    // be checked before anything is allocated for it.
    jpeg_calc_output_dimensions(&decompressor);
    session.result.width = decompressor.output_width;
    session.result.height = decompressor.output_height;
    if (!isReadableColour(decompressor)) {
        session.result.outcome = JpegOutcome::otherChannels;
        return;
    }
    if (!fitsLimits(decompressor.output_width, decompressor.output_height, 3)) {
        session.result.outcome = JpegOutcome::frameTooLarge;
        return;
    }
    std::uint8_t* output =
        session.provideOutput(session.context, decompressor.output_width, decompressor.output_height);
    if (output == nullptr) {
        session.result.outcome = JpegOutcome::noOutputMemory;
        return;
    }

    session.result.stage = JpegStage::pixels;
    (void)jpeg_start_decompress(&decompressor);
    readPixels(session, output);
    // The rest of the data (markers after the last scan) is not needed: the decompressor is
    // destroyed without jpeg_finish_decompress, which libjpeg allows.
}

// The one place that calls setjmp. Its frame holds nothing but the reference, which does
// not change after setjmp.
bool decodeGuarded(Session& session) {
    if (setjmp(session.jump) != 0) {
        return false;
    }
    decodeSteps(session);
    return true;
}

}  // namespace

JpegSessionResult runJpegSession(const std::uint8_t* data, std::size_t size, JpegOutputProvider provideOutput,
                                 void* context) noexcept {
    Session session{};
    session.data = data;
    session.size = size;
    session.provideOutput = provideOutput;
    session.context = context;

    // The error manager and client_data survive jpeg_create_decompress; everything else in the
    // decompressor is set up after it.
    session.decompressor.err = jpeg_std_error(&session.errors);
    session.errors.error_exit = leaveOnError;
    session.errors.emit_message = ignoreMessage;
    session.errors.output_message = ignoreOutput;
    session.decompressor.client_data = &session;

    (void)decodeGuarded(session);
    jpeg_destroy_decompress(&session.decompressor);
    return session.result;
}

}  // namespace tessvane::decode
