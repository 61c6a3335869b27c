#pragma once

namespace qv {
class LeFile;
}

namespace qv::ui {

// Shows one message naming every face `lf` uses that is not installed and the face drawn
// instead; nothing when all are there.
void TellMissingFaces(LeFile& lf);

}  // namespace qv::ui
