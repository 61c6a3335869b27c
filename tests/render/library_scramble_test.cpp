#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "render/library_scramble.h"

namespace qv {
namespace {

// The textbook form: byte i of the file uses key position i mod 17.
std::vector<uint8_t> PlainDescramble(std::vector<uint8_t> data, size_t offset) {
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<uint8_t>(data[i] - kLibraryKey[(offset + i) % kLibraryKeyLength]);
    }
    return data;
}

std::vector<uint8_t> RandomBytes(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> v(n);
    for (auto& b : v) b = static_cast<uint8_t>(rng());
    return v;
}

TEST(LibraryScramble, MatchesThePlainLoopForAnyLengthAndOffset) {
    for (size_t n : {0u, 1u, 16u, 17u, 18u, 1087u, 1088u, 1089u, 5000u}) {
        for (size_t offset : {0u, 1u, 16u, 17u, 100u}) {
            SCOPED_TRACE(testing::Message() << "n=" << n << " offset=" << offset);
            std::vector<uint8_t> data = RandomBytes(n, static_cast<unsigned>(n * 31 + offset));
            const std::vector<uint8_t> expected = PlainDescramble(data, offset);
            DescrambleLibrary(data.data(), data.size(), offset);
            EXPECT_EQ(data, expected);
            ScrambleLibrary(data.data(), data.size(), offset);
            EXPECT_EQ(data, RandomBytes(n, static_cast<unsigned>(n * 31 + offset)));
        }
    }
}

TEST(LibraryScramble, KeyPositionIsNeverResetAcrossPieces) {
    std::vector<uint8_t> whole = RandomBytes(3000, 7);
    std::vector<uint8_t> pieces = whole;
    DescrambleLibrary(whole.data(), whole.size());
    // Descrambling in pieces at their file offsets gives the same bytes.
    DescrambleLibrary(pieces.data(), 5, 0);
    DescrambleLibrary(pieces.data() + 5, 1200, 5);
    DescrambleLibrary(pieces.data() + 1205, 1795, 1205);
    EXPECT_EQ(whole, pieces);
    // A zero byte at file offset 20 scrambles to key[3], whatever came before it.
    std::vector<uint8_t> zeros(40, 0);
    ScrambleLibrary(zeros.data(), zeros.size());
    EXPECT_EQ(zeros[20], static_cast<uint8_t>(kLibraryKey[3]));
    EXPECT_EQ(zeros[34], static_cast<uint8_t>(kLibraryKey[0]));
}

}  // namespace
}  // namespace qv
