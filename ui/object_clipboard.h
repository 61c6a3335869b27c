#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <string>
#include <vector>

#include "document/le_file.h"
#include "render/pixel_buffer.h"

class QMimeData;

namespace qv::ui {

// The private clipboard format of one object: its record as the bytes of a one-object project.
inline constexpr const char* kObjectMimeType = "application/x-qorvan-logo-object";

inline constexpr const char* kPastedObjectDamagedMessage =
    "The object on the clipboard could not be read.";
inline constexpr const char* kPastedPictureNotSavedMessage =
    "The pasted picture could not be saved in the user's data folder.";

// A PNG with transparency of a picture whose top byte is straight alpha; empty on failure.
std::vector<uint8_t> PngWithAlpha(const PixelBuffer& with_alpha);

// Object n of `lf` for the clipboard: its record in the private format, and a PNG of it alone
// for other programs. Null when there is no object n.
QMimeData* ObjectMimeData(const LeFile& lf, int n);

// Appends the objects of a record in the private format to `lf`, each made current; one that
// would sit exactly on an object of the same kind is moved 10 pixels down and right, so that
// the copy shows. Returns how many were added; damaged bytes add nothing and show
// kPastedObjectDamagedMessage, a full logo shows its own message.
int PasteObjectRecord(const QByteArray& record, LeFile& lf);

// Keeps a pasted picture as a PNG in `folder` (created when missing) under a new name and
// returns its path; empty, after kPastedPictureNotSavedMessage, when it cannot be written.
std::string StorePastedPicture(const QImage& picture, const std::string& folder);

// The folder pasted pictures go to, so that projects can refer to them.
std::string PastedPictureFolder();

// What a dropped file is taken for, by its extension.
bool IsProjectPath(const QString& path);
bool IsPicturePath(const QString& path);

}  // namespace qv::ui
