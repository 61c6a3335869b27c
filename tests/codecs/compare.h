#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "codecs/image.h"

namespace qv::test {

// Lossless decodes must match exactly; lossy ones must be close on average and nowhere far
// off, which still catches a flipped, shifted or discoloured picture.
inline ::testing::AssertionResult SamePicture(const Image& actual, const Image& expected,
                                              bool lossy = false) {
    if (!actual.IsValid()) return ::testing::AssertionFailure() << "no valid image";
    if (actual.width != expected.width || actual.height != expected.height) {
        return ::testing::AssertionFailure()
               << "size " << actual.width << "x" << actual.height << ", expected " << expected.width
               << "x" << expected.height;
    }
    if (actual.has_alpha != expected.has_alpha) {
        return ::testing::AssertionFailure() << "has_alpha " << actual.has_alpha;
    }
    double total = 0;
    for (int row = 0; row < actual.height; ++row) {
        for (int x = 0; x < actual.width; ++x) {
            const uint32_t a = actual.GetPixel(x, row), e = expected.GetPixel(x, row);
            if (!lossy && a != e) {
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", row " << row << ") is 0x" << std::hex << a
                       << ", expected 0x" << e;
            }
            for (int shift = 0; shift < 32; shift += 8) {
                const int d = std::abs(int((a >> shift) & 255) - int((e >> shift) & 255));
                total += d;
                if (d > 48) {
                    return ::testing::AssertionFailure()
                           << "pixel (" << x << ", row " << row << ") is 0x" << std::hex << a
                           << ", expected about 0x" << e;
                }
            }
        }
    }
    const double mean = total / (4.0 * actual.width * actual.height);
    if (mean > 4.0) return ::testing::AssertionFailure() << "mean error " << mean;
    return ::testing::AssertionSuccess();
}

}  // namespace qv::test
