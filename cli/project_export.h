#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/text_edits.h"
#include "document/colour_model.h"
#include "output/logo_export.h"

namespace qv::cli {

// What an export does beyond the export dialog's settings.
struct ExportOptions {
    ExportSettings settings;
    int width = 0;  // the output width in pixels, 0 when the scale decides
    int height = 0;
    std::optional<Hls> background;  // replaces the document's background for this export
    std::vector<TextEdit> texts;
};

// The name that stands for standard output.
inline constexpr const char* kStandardOutput = "-";

// One project to one image file (or standard output), as the export dialog does it; messages
// on stderr. Returns the exit status: 0 when the logo was drawn as designed and written; 1 when
// it could not be (then no file is left behind and an existing one is untouched); 2 when the
// request does not fit the project (the output is the project itself, a text number beyond its
// text objects, a size its scale cannot reach).
int ExportProject(const std::string& project, const std::string& output, const ExportOptions& options);

// Whether two names lead to the same existing file, links followed.
bool SameFile(const std::string& a, const std::string& b);

// Says on stderr, one line per face, which faces `lf` names that are not installed and what
// is drawn instead. The export goes on: a missing face is not a failure.
void WarnMissingFaces(const std::string& project, LeFile& lf);

}  // namespace qv::cli
