#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/le_file.h"

namespace qv {

inline constexpr int32_t kProjectMagic = 14815;
inline constexpr int32_t kProjectVersion = 2;

// The messages of the project reader and writer.
inline constexpr const char* kWrongVersionMessage =
    "File could not be opened by this version of the software.";
inline constexpr const char* kCannotOpenPrefix = "File could not be opened: ";
inline constexpr const char* kCannotSavePrefix = "File could not be saved: ";

// The bytes of a project file holding `lf`.
std::vector<uint8_t> WriteProjectBytes(const LeFile& lf);

enum class ProjectReadResult {
    kOk,
    kWrongVersion,  // not a project file, a newer version, or a record this version cannot read
    kDamaged,       // the file ends early or a count or length runs past its end
};

// Reads project bytes into `lf`. On any failure `lf` is left exactly as it was: a file that
// cannot be read whole does not replace the document.
ProjectReadResult ReadProjectBytes(const uint8_t* data, size_t size, LeFile& lf);

// Writes the document; the previous file stays intact unless everything was written. False,
// after the message "File could not be saved: " + path, on failure.
bool SaveProject(const std::string& path, const LeFile& lf);

// Reads a project file into the document. False, after the message for it, on failure; the
// document is then unchanged.
bool LoadProject(const std::string& path, LeFile& lf);

}  // namespace qv
