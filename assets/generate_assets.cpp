// Writes the program's two built-in pictures into a folder (the current one by default):
//   built_in_picture.bmp  the 30 × 45 picture the small picture box starts with: a 24-bit,
//                         bottom-up BMP of exactly 4194 bytes showing the front of a phone;
//   tessvane.ico          the program icon: 16 × 16, 32 × 32 and 48 × 48 images of 16 colours
//                         (4 bits per pixel, a 16-entry palette, colour image and AND mask).
// The pictures are drawn from shapes sampled many times per pixel, so the output is the same
// on every run and every machine; the files are committed and this program only runs by hand.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void putU16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFFu));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFFu));
}

void putU32(Bytes& out, std::uint32_t value) {
    putU16(out, value & 0xFFFFu);
    putU16(out, value >> 16);
}

struct Colour {
    double red = 0;
    double green = 0;
    double blue = 0;
};

[[nodiscard]] Colour mix(const Colour& under, const Colour& over, double amount) {
    return {under.red + (over.red - under.red) * amount, under.green + (over.green - under.green) * amount,
            under.blue + (over.blue - under.blue) * amount};
}

[[nodiscard]] Colour scaled(const Colour& colour, double factor) {
    return {colour.red * factor, colour.green * factor, colour.blue * factor};
}

[[nodiscard]] double clamp01(double value) { return std::clamp(value, 0.0, 1.0); }

[[nodiscard]] double smoothStep(double edge0, double edge1, double value) {
    const double t = clamp01((value - edge0) / (edge1 - edge0));
    return t * t * (3.0 - 2.0 * t);
}

// Signed distance from a point to a rounded rectangle: negative inside, positive outside.
struct RoundedRect {
    double left = 0;
    double top = 0;
    double right = 0;
    double bottom = 0;
    double radius = 0;

    [[nodiscard]] double distance(double x, double y) const {
        const double centreX = (left + right) / 2.0;
        const double centreY = (top + bottom) / 2.0;
        const double qx = std::abs(x - centreX) - ((right - left) / 2.0 - radius);
        const double qy = std::abs(y - centreY) - ((bottom - top) / 2.0 - radius);
        const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
        return outside + std::min(std::max(qx, qy), 0.0) - radius;
    }

    [[nodiscard]] bool contains(double x, double y) const { return distance(x, y) < 0.0; }
};

constexpr int kPhoneWidth = 30;
constexpr int kPhoneHeight = 45;
// Each pixel averages an 8 × 8 grid of samples, which gives the rounded outline and the
// screen's edges their anti-aliased steps.
constexpr int kSamplesPerAxis = 8;

constexpr RoundedRect kBody{.left = 0.0, .top = 0.0, .right = 30.0, .bottom = 45.0, .radius = 5.5};
constexpr RoundedRect kScreen{.left = 2.5, .top = 6.0, .right = 27.5, .bottom = 37.5, .radius = 1.2};
constexpr RoundedRect kBar{.left = 10.0, .top = 20.5, .right = 20.0, .bottom = 23.5, .radius = 1.5};

// The colour of the phone at one point of the frame, in 0..255 per channel.
[[nodiscard]] Colour phoneSample(double x, double y) {
    const Colour white{255, 255, 255};
    if (!kBody.contains(x, y)) {
        return white;
    }

    // The screen glows orange near its upper middle, turns red further out and darkens
    // towards the bottom.
    const double screenDistance = kScreen.distance(x, y);
    // The glow's centre sits a little left of the middle, so no two halves of the screen
    // share their shades.
    const double glowX = (x - 13.0 + 0.25 * (y - 13.0)) / 13.5;
    const double glowY = (y - 13.0) / 18.0;
    const double glow = clamp01(1.0 - std::sqrt(glowX * glowX + glowY * glowY));
    const double depth = clamp01((y - kScreen.top) / (kScreen.bottom - kScreen.top));
    const Colour orange{255, 178, 60};
    const Colour red{214, 38, 22};
    // The screen's sides fall off a little, as a backlight does towards its edges.
    const double sides = 1.0 - 0.14 * std::pow(std::abs(x - 14.0) / 13.0, 2.0);
    const double fade = (1.0 - 0.72 * std::pow(depth, 1.3)) * sides;
    const Colour screenLit = scaled(mix(red, orange, smoothStep(0.0, 1.0, glow)), fade);

    if (screenDistance < 0.0) {
        Colour colour = screenLit;
        // The glass catches a faint diagonal sheen across its upper left.
        const double sheen = 0.16 * smoothStep(9.0, 0.0, x + 0.8 * (y - kScreen.top));
        colour = mix(colour, white, sheen);
        const double barDistance = kBar.distance(x, y);
        if (barDistance < 0.0) {
            const Colour dark{34, 12, 10};
            colour = mix(colour, dark, 0.92 * smoothStep(0.0, -0.6, barDistance));
        }
        return colour;
    }

    // The body is nearly black, a shade lighter at the top, with a warm spill of light
    // from the screen on the bezel around it.
    const double top = 1.0 - y / 45.0;
    const double left = 1.0 - x / 30.0;
    const double shade = 9.0 * top + 5.0 * left;
    Colour body{10.0 + shade, 10.0 + shade, 12.0 + 1.1 * shade};
    const double spill = 0.22 * std::exp(-screenDistance / 1.1);
    body = mix(body, screenLit, spill);

    // A soft light grey gloss in the upper left corner.
    const double glossX = (x - 2.5) / 10.0;
    const double glossY = (y - 2.5) / 8.0;
    const double gloss = 0.78 * std::exp(-(glossX * glossX + glossY * glossY) * 2.2);
    const Colour lightGrey{206, 208, 212};
    body = mix(body, lightGrey, gloss);

    // A thin rim just inside the outline lets the rounded edge read against the gloss.
    const double rim = 0.35 * smoothStep(-1.2, -0.2, kBody.distance(x, y)) * (1.0 - gloss);
    return mix(body, Colour{70, 70, 74}, rim);
}

[[nodiscard]] std::uint8_t toByte(double value) {
    return static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
}

[[nodiscard]] Bytes makeBuiltInPicture() {
    // BMP rows are padded to a multiple of 4 bytes: 30 × 3 = 90 pixel bytes, then 2 zero bytes.
    constexpr std::uint32_t kRowBytes = 92;
    constexpr std::uint32_t kImageBytes = kRowBytes * kPhoneHeight;
    constexpr std::uint32_t kPixelOffset = 14 + 40;

    Bytes out;
    out.reserve(kPixelOffset + kImageBytes);
    // File header: signature, file size, two reserved words, offset of the pixel data.
    out.push_back('B');
    out.push_back('M');
    putU32(out, kPixelOffset + kImageBytes);
    putU16(out, 0);
    putU16(out, 0);
    putU32(out, kPixelOffset);
    // Information header. A positive height stores the rows bottom-up.
    putU32(out, 40);
    putU32(out, kPhoneWidth);
    putU32(out, kPhoneHeight);
    putU16(out, 1);   // planes
    putU16(out, 24);  // bits per pixel
    putU32(out, 0);   // no compression
    putU32(out, kImageBytes);
    putU32(out, 3780);  // 96 pixels per inch, as pixels per metre
    putU32(out, 3780);
    putU32(out, 0);  // colours used: none, there is no table at 24 bits
    putU32(out, 0);  // important colours

    for (int row = kPhoneHeight - 1; row >= 0; --row) {
        for (int column = 0; column < kPhoneWidth; ++column) {
            Colour sum;
            for (int sy = 0; sy < kSamplesPerAxis; ++sy) {
                for (int sx = 0; sx < kSamplesPerAxis; ++sx) {
                    const double x = column + (sx + 0.5) / kSamplesPerAxis;
                    const double y = row + (sy + 0.5) / kSamplesPerAxis;
                    const Colour sample = phoneSample(x, y);
                    sum.red += sample.red;
                    sum.green += sample.green;
                    sum.blue += sample.blue;
                }
            }
            const Colour pixel = scaled(sum, 1.0 / (kSamplesPerAxis * kSamplesPerAxis));
            out.push_back(toByte(pixel.blue));
            out.push_back(toByte(pixel.green));
            out.push_back(toByte(pixel.red));
        }
        out.push_back(0);
        out.push_back(0);
    }
    return out;
}

struct PaletteEntry {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
};

// The sixteen colours of the classic VGA palette; the icon uses black, white, dark cyan,
// light grey and grey from it.
constexpr std::array<PaletteEntry, 16> kPalette{{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};

constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kDarkCyan = 6;
constexpr std::uint8_t kLightGrey = 7;
constexpr std::uint8_t kGrey = 8;
constexpr std::uint8_t kWhite = 15;

// One icon image as palette indices and transparency, top row first.
struct IconImage {
    int size = 0;
    std::vector<std::uint8_t> indices;
    std::vector<bool> transparent;
};

// Distance from a point to the segment from (x0, y0) to (x1, y1).
[[nodiscard]] double segmentDistance(double x, double y, double x0, double y0, double x1, double y1) {
    const double dx = x1 - x0;
    const double dy = y1 - y0;
    const double t = clamp01(((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy));
    return std::hypot(x - (x0 + t * dx), y - (y0 + t * dy));
}

// The emblem in a unit square (0..1 on both axes, y downward): which palette colour a point
// inside the rounded square has.
[[nodiscard]] std::uint8_t emblemColour(double u, double v, double pixel) {
    // The white bar across the top.
    if (v >= 0.16 && v <= 0.16 + std::max(0.13, 2.0 * pixel) && u >= 0.14 && u <= 0.86) {
        return kWhite;
    }
    // Three white strokes slanting up to the right below it.
    const double halfStroke = std::max(0.055, 0.62 * pixel);
    for (const double start : {0.16, 0.42, 0.68}) {
        if (segmentDistance(u, v, start, 0.86, start + 0.18, 0.44) <= halfStroke) {
            return kWhite;
        }
    }
    return kDarkCyan;
}

// Decides a pixel by the colour most of its samples take; at 16 colours there is nothing to
// blend edges with, so the shapes are kept crisp.
template <typename Sampler>
[[nodiscard]] IconImage paintIcon(int size, Sampler sampler) {
    constexpr int kIconSamples = 6;
    IconImage image{.size = size,
                    .indices = std::vector<std::uint8_t>(static_cast<std::size_t>(size * size)),
                    .transparent = std::vector<bool>(static_cast<std::size_t>(size * size))};
    for (int row = 0; row < size; ++row) {
        for (int column = 0; column < size; ++column) {
            std::array<int, 17> votes{};  // 16 colours, then "transparent"
            for (int sy = 0; sy < kIconSamples; ++sy) {
                for (int sx = 0; sx < kIconSamples; ++sx) {
                    const double x = column + (sx + 0.5) / kIconSamples;
                    const double y = row + (sy + 0.5) / kIconSamples;
                    ++votes[sampler(x, y)];
                }
            }
            const auto winner = static_cast<int>(std::max_element(votes.begin(), votes.end()) - votes.begin());
            const auto at = static_cast<std::size_t>(row * size + column);
            image.transparent[at] = winner == 16;
            // Under a transparent mask bit the colour image holds black, so drawing through
            // the AND and XOR masks leaves the ground as it was.
            image.indices[at] = winner == 16 ? kBlack : static_cast<std::uint8_t>(winner);
        }
    }
    return image;
}

// 16 × 16: the rounded square fills the icon and its corners are transparent.
[[nodiscard]] IconImage makeSmallIcon() {
    constexpr double kSize = 16.0;
    const RoundedRect square{.left = 0.0, .top = 0.0, .right = kSize, .bottom = kSize, .radius = 3.5};
    return paintIcon(16, [&](double x, double y) -> int {
        if (!square.contains(x, y)) {
            return 16;
        }
        return emblemColour(x / kSize, y / kSize, 1.0 / kSize);
    });
}

// 32 × 32 and 48 × 48: the square at the lower left on a white ground, with a grey shadow
// and a light grey swirl behind it towards the upper right.
[[nodiscard]] IconImage makeLargeIcon(int size) {
    const double s = size;
    const double side = 0.62 * s;
    const RoundedRect square{.left = 0.02 * s,
                             .top = s - 0.06 * s - side,
                             .right = 0.02 * s + side,
                             .bottom = s - 0.06 * s,
                             .radius = 0.13 * s};
    const double shadowOffset = s / 32.0;
    // The swirl: a spiral r = a + b·θ of a little over one turn around a point in the upper
    // right, its stroke widening as it goes out.
    const double centreX = 0.67 * s;
    const double centreY = 0.33 * s;
    constexpr double kPi = 3.14159265358979323846;
    constexpr double kLastAngle = 2.4 * kPi;
    const double a = 0.03 * s;
    const double b = 0.036 * s;
    const double stroke = std::max(2.0, 0.085 * s);
    return paintIcon(size, [&](double x, double y) -> int {
        if (square.contains(x, y)) {
            const double u = (x - square.left) / side;
            const double v = (y - square.top) / side;
            return emblemColour(u, v, 1.0 / side);
        }
        if (square.contains(x - shadowOffset, y - shadowOffset)) {
            return kGrey;
        }
        const double radius = std::hypot(x - centreX, y - centreY);
        double angle = std::atan2(y - centreY, x - centreX);
        if (angle < 0.0) {
            angle += 2.0 * kPi;
        }
        for (int turn = 0; turn < 2; ++turn) {
            const double theta = angle + 2.0 * kPi * turn;
            if (theta > kLastAngle) {
                break;
            }
            const double halfWidth = stroke / 2.0 * (0.35 + 0.65 * theta / kLastAngle);
            if (std::abs(radius - (a + b * theta)) <= halfWidth) {
                return kLightGrey;
            }
        }
        return kWhite;
    });
}

[[nodiscard]] std::uint32_t rowBytes(int size, int bitsPerPixel) {
    // Both the colour rows and the mask rows are padded to a multiple of 4 bytes.
    const auto bits = static_cast<std::uint32_t>(size * bitsPerPixel);
    return (bits + 31u) / 32u * 4u;
}

[[nodiscard]] std::uint32_t iconImageBytes(int size) {
    return 40u + 16u * 4u + (rowBytes(size, 4) + rowBytes(size, 1)) * static_cast<std::uint32_t>(size);
}

void putIconImage(Bytes& out, const IconImage& image) {
    const int size = image.size;
    const std::uint32_t xorRow = rowBytes(size, 4);
    const std::uint32_t andRow = rowBytes(size, 1);
    // The information header's height counts the colour image and the mask together.
    putU32(out, 40);
    putU32(out, static_cast<std::uint32_t>(size));
    putU32(out, static_cast<std::uint32_t>(2 * size));
    putU16(out, 1);
    putU16(out, 4);
    putU32(out, 0);
    putU32(out, (xorRow + andRow) * static_cast<std::uint32_t>(size));
    putU32(out, 0);
    putU32(out, 0);
    putU32(out, 0);  // colours used: 0 means all 16
    putU32(out, 0);
    for (const PaletteEntry& entry : kPalette) {
        out.push_back(entry.blue);
        out.push_back(entry.green);
        out.push_back(entry.red);
        out.push_back(0);
    }
    // Colour image, bottom row first, two pixels per byte with the left one in the high nibble.
    for (int row = size - 1; row >= 0; --row) {
        Bytes line(xorRow, 0);
        for (int column = 0; column < size; ++column) {
            const std::uint8_t index = image.indices[static_cast<std::size_t>(row * size + column)];
            auto& byte = line[static_cast<std::size_t>(column / 2)];
            byte = static_cast<std::uint8_t>(byte | (column % 2 == 0 ? index << 4 : index));
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    // AND mask, bottom row first, most significant bit leftmost; a set bit is transparent.
    for (int row = size - 1; row >= 0; --row) {
        Bytes line(andRow, 0);
        for (int column = 0; column < size; ++column) {
            if (image.transparent[static_cast<std::size_t>(row * size + column)]) {
                auto& byte = line[static_cast<std::size_t>(column / 8)];
                byte = static_cast<std::uint8_t>(byte | (0x80u >> (column % 8)));
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
}

[[nodiscard]] Bytes makeProgramIcon() {
    const std::array<IconImage, 3> images{makeSmallIcon(), makeLargeIcon(32), makeLargeIcon(48)};
    Bytes out;
    // Icon directory: reserved 0, type 1 (icon), number of images.
    putU16(out, 0);
    putU16(out, 1);
    putU16(out, static_cast<std::uint32_t>(images.size()));
    std::uint32_t offset = 6u + 16u * static_cast<std::uint32_t>(images.size());
    for (const IconImage& image : images) {
        const std::uint32_t bytes = iconImageBytes(image.size);
        out.push_back(static_cast<std::uint8_t>(image.size));  // width
        out.push_back(static_cast<std::uint8_t>(image.size));  // height
        out.push_back(16);                                     // colour count
        out.push_back(0);                                      // reserved
        putU16(out, 1);                                        // planes
        putU16(out, 4);                                        // bits per pixel
        putU32(out, bytes);
        putU32(out, offset);
        offset += bytes;
    }
    for (const IconImage& image : images) {
        putIconImage(out, image);
    }
    return out;
}

[[nodiscard]] bool writeFile(const std::string& path, const Bytes& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    const bool written = file != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool closed = file != nullptr && std::fclose(file) == 0;
    if (!written || !closed) {
        std::cerr << "generate_assets: cannot write " << path << '\n';
        return false;
    }
    std::cout << path << ": " << bytes.size() << " bytes\n";
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: generate_assets [output-folder]\n";
        return 2;
    }
    const std::string folder = argc == 2 ? std::string(argv[1]) + "/" : std::string();
    const bool pictureWritten = writeFile(folder + "built_in_picture.bmp", makeBuiltInPicture());
    const bool iconWritten = writeFile(folder + "tessvane.ico", makeProgramIcon());
    return pictureWritten && iconWritten ? 0 : 1;
}
