#pragma once

#include <array>
#include <memory>

#include "document/le_file.h"

namespace qv {

inline constexpr int MAX_UNDO = 100;

// Undo and redo by whole-document snapshots in a ring: the slot `pf` holds the present state,
// up to `undoes` slots before it and `redoes` after it hold states that can be restored.
class UndoTrack {
public:
    UndoTrack();

    // Forgets the history; the present document becomes its only state.
    int Reset(const LeFile& lf);
    // Records the present document after a user step; any redo history is dropped.
    int Track(const LeFile& lf);
    // Replaces the document by the previous / next snapshot.
    int Undo(LeFile& lf);
    int Redo(LeFile& lf);

    int undoes = 0;
    int redoes = 0;
    int pf = -1;

private:
    std::array<std::unique_ptr<LeFile>, MAX_UNDO> slots_;
};

}  // namespace qv
