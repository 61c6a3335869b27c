#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "document/obj_style.h"
#include "render/effects.h"

namespace qv {

// The direction of a gradient: weights of the x and y axes in units of 1/9000 (they sum to
// 9000) and whether each axis runs backwards. Colour 1 sits at the left for 0 degrees, the top
// for 90, the right for 180 and the bottom for 270; angles between blend the axes linearly.
struct GradientWeights {
    uint32_t wx;
    uint32_t wy;
    bool mirror_x;
    bool mirror_y;
};
GradientWeights GradientWeightsFor(int angle);

// The weight of colour 2 (0..9000) at raster row i, column j.
uint32_t GradientColour2Weight(const GradientWeights& g, int i, int j, int szx, int szy);

// The C library's rand() brought to 0..32767, the range the dither is defined on; glibc's
// generator returns 31 bits, which would otherwise make the dither reach the whole byte range.
int Rand15();

// The dither of the gradients can be taped: while a DitherTape records, every value drawn from
// the C library is kept; while it replays, the values come back in the same order instead.
// Two renderings of one logo then carry exactly the same dither (the transparent export renders
// the logo twice and must match the ordinary export).
class DitherTape {
public:
    enum class Mode { kRecord, kReplay };
    explicit DitherTape(Mode mode);
    ~DitherTape();
    DitherTape(const DitherTape&) = delete;
    DitherTape& operator=(const DitherTape&) = delete;
    void Replay();  // switches a recording tape to replay from its start
    int Next();

private:
    Mode mode_;
    std::vector<int> values_;
    size_t position_ = 0;
    DitherTape* previous_;
};

// Pass 2 with the gradient: colour and opacity interpolated together, times the coverage, plus
// a dither of 0..7 per pixel drawn from the C library's rand().
void DrawGradient(const ObjStyle& lt, const RasterPlacement& r, uint32_t* dta, int dw, int dh);

}  // namespace qv
