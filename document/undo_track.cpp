#include "document/undo_track.h"

#include "app/guard.h"

namespace qv {

UndoTrack::UndoTrack() {
    for (auto& slot : slots_) slot = std::make_unique<LeFile>();
}

int UndoTrack::Reset(const LeFile& lf) {
    undoes = 0;
    redoes = 0;
    pf = 0;
    slots_[0]->CopyFrom(lf);
    return 0;
}

int UndoTrack::Track(const LeFile& lf) {
    if (undoes < MAX_UNDO - 1) ++undoes;
    ++pf;
    if (pf > MAX_UNDO - 1) pf = 0;
    if (!QV_CHECK_T("pf>=0 && pf<MAX_UNDO", pf >= 0 && pf < MAX_UNDO)) return 0;
    slots_[static_cast<size_t>(pf)]->CopyFrom(lf);
    redoes = 0;
    return 0;
}

int UndoTrack::Undo(LeFile& lf) {
    if (!QV_CHECK_T("undoes>0", undoes > 0)) return 0;
    --pf;
    if (pf < 0) pf += MAX_UNDO;
    if (!QV_CHECK_T("pf>=0 && pf<MAX_UNDO", pf >= 0 && pf < MAX_UNDO)) return 0;
    lf.CopyFrom(*slots_[static_cast<size_t>(pf)]);
    --undoes;
    ++redoes;
    return 0;
}

int UndoTrack::Redo(LeFile& lf) {
    if (!QV_CHECK_T("redoes>0", redoes > 0)) return 0;
    ++pf;
    if (pf > MAX_UNDO - 1) pf = 0;
    if (!QV_CHECK_T("pf>=0 && pf<MAX_UNDO", pf >= 0 && pf < MAX_UNDO)) return 0;
    lf.CopyFrom(*slots_[static_cast<size_t>(pf)]);
    ++undoes;
    --redoes;
    return 0;
}

}  // namespace qv
