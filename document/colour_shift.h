#pragma once

#include <vector>

#include "document/colour_model.h"

namespace qv {

class LeFile;

// `base` moved by the control positions ph, ps, pl (0..1, 0.5 leaving it as it is): the hue
// turned by up to half a circle with a period of 239, saturation and lightness scaled by up to
// two and kept within 0..240.
Hls ShiftColour(Hls base, float ph, float ps, float pl);

// The colours that "Shift Logo Colors" moves, each with the value it had when the set was
// built, so that every shift starts from the same bases and a control back at 0 undoes it.
//
// Entries point into the document's objects: the set is invalid as soon as an object is added,
// removed or the document is replaced, and must then be built again.
class ColourShift {
public:
    static constexpr int kMaxEntries = 1000;

    struct Entry {
        Hls* colour;
        Hls base;
    };

    // The two settings of the bar, shared by the whole program and kept until it ends.
    static bool CurrentOnly();  // "Shift Current Object Colors Only", initially off
    static void SetCurrentOnly(bool on);
    static bool Background();  // "Shift Background Color", initially on
    static void SetBackground(bool on);

    // Collects the background (when that setting is on), then fill, outline, shadow and both
    // gradient colours of the current object (when that setting is on) or of every object.
    int Build(LeFile& lf);

    // Appends one colour; false, with nothing added, once the set holds kMaxEntries.
    bool Add(Hls& colour);

    // Writes every base shifted by the control values (-100..100) into its colour.
    int Apply(int hue, int sat, int light);

    const std::vector<Entry>& entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
};

}  // namespace qv
