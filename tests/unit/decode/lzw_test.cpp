#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "picture/decode/lzw_decoder.h"
#include "tests/unit/decode/gif_bytes.h"

namespace tessvane::decode {
namespace {

using testing::Bytes;
using testing::CodePacker;

// Decodes into an output of the given size (the whole expected output, or more).
DecodeResult<Bytes> decodeAll(const Bytes& codes, int minimumCodeSize, std::size_t capacity) {
    LzwDecoder lzw(codes, minimumCodeSize);
    Bytes out(capacity, 0xEE);
    const auto written = lzw.read(out);
    if (!written) {
        return written.failure();
    }
    out.resize(written.value());
    return out;
}

// With minimum code size 2: literals 0 to 3, clear 4, end 5, first free code 6.
constexpr unsigned kClear2 = 4;
constexpr unsigned kEnd2 = 5;

struct CodeCase {
    const char* name;
    unsigned minimumCodeSize;
    std::vector<unsigned> codes;    // packed at the widths a decoder expects
    std::optional<Bytes> expected;  // none: the stream must be refused as corruptData
};

class LzwCodeStream : public ::testing::TestWithParam<CodeCase> {};

TEST_P(LzwCodeStream, DecodesOrRefuses) {
    const CodeCase& c = GetParam();
    CodePacker packer(c.minimumCodeSize);
    for (const unsigned code : c.codes) {
        packer.code(code);
    }
    const auto result = decodeAll(packer.bytes(), static_cast<int>(c.minimumCodeSize), 64);
    if (c.expected) {
        ASSERT_TRUE(result.ok());
        EXPECT_EQ(result.value(), *c.expected);
    } else {
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.failure(), DecodeFailure::corruptData);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LzwCodeStream,
    ::testing::Values(CodeCase{"literals", 2, {kClear2, 0, 1, 2, 3, kEnd2}, Bytes{0, 1, 2, 3}},
                      // No clear code first: the decoder starts with a fresh table anyway.
                      CodeCase{"noLeadingClear", 2, {3, 2, kEnd2}, Bytes{3, 2}},
                      // 0 then 1 defines 6 = "0 1"; 6 then repeats it, defining 7 = "1 0".
                      CodeCase{"definedEntry", 2, {kClear2, 0, 1, 6, 7, kEnd2}, Bytes{0, 1, 0, 1, 1, 0}},
                      // KwKwK: code 6 arrives while it is being defined; it is "0" + its own first byte.
                      CodeCase{"kwkwk", 2, {kClear2, 0, 6, kEnd2}, Bytes{0, 0, 0}},
                      // A longer KwKwK chain: 6 = "1 1", then 7 = "1 1 1" arrives as it is defined.
                      CodeCase{"kwkwkChain", 2, {kClear2, 1, 6, 7, kEnd2}, Bytes{1, 1, 1, 1, 1, 1}},
                      // The end code stops decoding; what follows is not read.
                      CodeCase{"endStops", 2, {kClear2, 2, kEnd2, 3, 3}, Bytes{2}},
                      // A clear code in the middle resets the code width and forgets entry 6.
                      CodeCase{"clearResets", 2, {kClear2, 0, 1, kClear2, 3, 2, 6, kEnd2}, Bytes{0, 1, 3, 2, 3, 2}},
                      // Minimum code size 1 (two literals, clear 2, end 3) and 11 (the widest accepted).
                      CodeCase{"minimumSizeOne", 1, {2, 1, 0, 1, 1, 3}, Bytes{1, 0, 1, 1}},
                      CodeCase{"minimumSizeEleven", 11, {2048, 255, 7, 2049}, Bytes{255, 7}},
                      // Code 7 when the next free code is 6: not defined yet.
                      CodeCase{"undefinedCode", 2, {kClear2, 0, 7, kEnd2}, std::nullopt},
                      // The first code after a clear has to be a literal.
                      CodeCase{"firstCodeNotLiteral", 2, {kClear2, 6, kEnd2}, std::nullopt},
                      // After a clear, entry 6 from before is gone; here it is not the KwKwK code either.
                      CodeCase{"entryFromBeforeClear", 2, {kClear2, 0, 1, 6, kClear2, 2, 7, kEnd2}, std::nullopt},
                      // Minimum code size 9: literal 300 cannot be an 8-bit index.
                      CodeCase{"literalPast255", 9, {512, 300, 513}, std::nullopt}),
    [](const ::testing::TestParamInfo<CodeCase>& row) { return std::string(row.param.name); });

TEST(LzwDecoder, RefusesMinimumCodeSizesOutsideOneToEleven) {
    const Bytes codes = testing::literalCodes(2, Bytes{1, 2});
    for (const int size : {-1, 0, 12, 13, 255}) {
        SCOPED_TRACE(size);
        EXPECT_FALSE(LzwDecoder::acceptsMinimumCodeSize(size));
        const auto result = decodeAll(codes, size, 8);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.failure(), DecodeFailure::corruptData);
    }
}

TEST(LzwDecoder, DataEndingMidCodeKeepsWhatCameBefore) {
    CodePacker packer(8);
    packer.codes({256, 10, 20, 30});  // clear, three 9-bit literals: 36 bits, 5 bytes
    Bytes codes = packer.bytes();
    ASSERT_EQ(codes.size(), 5U);
    codes.pop_back();  // 32 bits left: the last code lacks 4 of its 9 bits
    LzwDecoder lzw(codes, 8);
    Bytes out(8, 0xEE);
    const auto written = lzw.read(out);
    ASSERT_TRUE(written.ok());
    EXPECT_EQ(written.value(), 2U);
    EXPECT_THAT(Bytes(out.begin(), out.begin() + 2), ::testing::ElementsAre(10, 20));
    EXPECT_EQ(out[2], 0xEE) << "nothing is written past what was decoded";
    EXPECT_FALSE(lzw.sawEndCode());
    EXPECT_EQ(lzw.read(out).value(), 0U) << "an ended stream gives nothing more";
}

TEST(LzwDecoder, StringLongerThanTheOutputContinuesInTheNextRead) {
    // 0, then 6 = "0 0", 7 = "0 0 0", 8 = "0 0 0 0", each KwKwK: ten zeros, then a 3.
    CodePacker packer(2);
    packer.codes({kClear2, 0, 6, 7, 8, 3, kEnd2});
    const Bytes codes = packer.bytes();
    LzwDecoder lzw(codes, 2);
    Bytes all;
    for (int call = 0; call < 20; ++call) {
        Bytes out(3, 0xEE);
        const auto written = lzw.read(out);
        ASSERT_TRUE(written.ok());
        all.insert(all.end(), out.begin(), out.begin() + static_cast<std::ptrdiff_t>(written.value()));
        if (written.value() < out.size()) {
            break;
        }
    }
    EXPECT_EQ(all, (Bytes{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 3}));
    EXPECT_TRUE(lzw.sawEndCode());
}

TEST(LzwDecoder, FailureIsSticky) {
    CodePacker packer(2);
    packer.codes({kClear2, 0, 7});
    const Bytes codes = packer.bytes();
    LzwDecoder lzw(codes, 2);
    Bytes out(8);
    EXPECT_FALSE(lzw.read(out).ok());
    EXPECT_FALSE(lzw.read(out).ok());
}

// The table fills at 4096 codes. Then the code width stays at 12 bits and no entry is
// added (GIF89a's deferred clear) until the encoder sends a clear code.
TEST(LzwDecoder, FullTableKeepsTwelveBitCodesUntilClear) {
    CodePacker packer(2);
    packer.code(kClear2);
    Bytes expected;
    // Literals cycling 0 1 2 3: every one after the first defines an entry, the pair it
    // ends; 4090 entries (6 to 4095) fill the table.
    unsigned count = 0;
    while (packer.nextCode() < 4096) {
        packer.code(count % 4);
        expected.push_back(static_cast<std::uint8_t>(count % 4));
        ++count;
    }
    packer.code(count % 4);  // the code that would have defined 4096
    expected.push_back(static_cast<std::uint8_t>(count % 4));
    ++count;
    ASSERT_EQ(packer.width(), 12U);
    // Entry 4095 was defined by literal 4090, as the pair of literals 4089 and 4090.
    packer.code(4095);
    expected.push_back(static_cast<std::uint8_t>(4089 % 4));
    expected.push_back(static_cast<std::uint8_t>(4090 % 4));
    // Entry 6 is still the first pair, "0 1": the full table was not cleared.
    packer.code(6);
    testing::append(expected, {0, 1});
    // A literal at 12 bits, then the clear: back to 3-bit codes and a fresh table.
    packer.code(2);
    expected.push_back(2);
    packer.code(kClear2);
    ASSERT_EQ(packer.width(), 3U);
    packer.codes({1, 6, kEnd2});  // 6 is now KwKwK "1 1"
    testing::append(expected, {1, 1, 1});

    const auto result = decodeAll(packer.bytes(), 2, expected.size() + 16);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.value(), expected);
}

TEST(LzwDecoder, KwKwKCodeCanDefineTheLastEntry) {
    // With 4095 the next free code, a code 4095 is the KwKwK case for the table's last entry.
    CodePacker packer(2);
    packer.code(kClear2);
    unsigned count = 0;
    while (packer.nextCode() < 4095) {
        packer.code(count++ % 4);
    }
    const unsigned lastLiteral = (count - 1) % 4;
    packer.code(4095);  // KwKwK: previous literal twice
    packer.code(kEnd2);
    const Bytes codes = packer.bytes();
    LzwDecoder lzw(codes, 2);
    Bytes out(count + 8);
    const auto written = lzw.read(out);
    ASSERT_TRUE(written.ok());
    ASSERT_EQ(written.value(), count + 2);
    EXPECT_EQ(out[count], lastLiteral);
    EXPECT_EQ(out[count + 1], lastLiteral);
}

}  // namespace
}  // namespace tessvane::decode
