#pragma once

#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "document/le_file.h"
#include "document/undo_track.h"
#include "ui/option_bars.h"

namespace qv::ui {

// What UpdateEditMenu enables, and which captions the option-bar buttons get.
struct EditMenuState {
    bool undo = false;
    bool redo = false;
    bool solid_color = false;
    bool gradient_colors = false;  // both gradient colours
    bool outline_color = false;
    bool shadow_color = false;
    bool background_color = false;
    bool remove = false;           // and Duplicate Object
    bool closer = false;           // and Bring to Front
    bool farther = false;          // and Send To Back
    bool previous_button = false;  // 1109
    bool next_button = false;      // 1110
    bool current_button = false;   // 1108
    bool bar_buttons = false;      // the five option-bar buttons

    // The captions of the option-bar buttons: text-object captions, shape captions, or (for a
    // custom bitmap) the ones they already have.
    enum class Captions { kKeep, kText, kImage };
    Captions captions = Captions::kText;
};

EditMenuState ComputeEditMenuState(const LeFile& lf, const UndoTrack& utrack);

// Caption k (0..4) of the option-bar buttons for a text object or for an image object.
const char* BarButtonCaption(bool image, int k);

// "Current Object: " and the caption without its last three characters.
QString BarButtonTooltip(const QString& caption);

// One entry of the Window popup: its id and text (UTF-8), or a separator (id 0).
struct WindowEntry {
    int id;
    std::string text;
};

// The entries for every text and image object, each group followed by a separator; custom
// bitmaps have none. An object of an unknown kind is reported and skipped.
std::vector<WindowEntry> WindowMenuEntries(const LeFile& lf);

// Entries of 31 characters or more are cut to 26 and " ...".
std::string FitWindowEntry(const std::string& text);

// The bar that ObjectCmd(k) opens for an object of `type` whose gradient is `gradient`; none
// for the first four bars of a custom bitmap. A k outside 0..4 or an unknown type is a fault.
std::optional<BarRequest> ObjectCommandBar(int type, bool gradient, int k);

// The object menu of "Current Object": one entry a object, "(Text)", "(Image)" or "(Custom)".
std::vector<WindowEntry> ObjectMenuEntries(const LeFile& lf);

}  // namespace qv::ui
