#pragma once

// Every sample file, for the tests and the fuzzing seeds.

#include "tests/codecs/gif_tiff_samples.h"
#include "tests/codecs/png_jpeg_samples.h"
#include "tests/codecs/sample_files.h"
#include "tests/codecs/tga_ico_samples.h"

namespace qv::test {

inline std::vector<Sample> LibrarySamples() {
    std::vector<Sample> s;
    for (auto* group : {&PngSamples, &JpegSamples, &GifSamples, &TiffSamples}) {
        for (Sample& x : (*group)()) s.push_back(std::move(x));
    }
    return s;
}

inline std::vector<Sample> AllSamples() {
    std::vector<Sample> s = HandMadeSamples();
    for (Sample& x : LibrarySamples()) s.push_back(std::move(x));
    return s;
}

}  // namespace qv::test
