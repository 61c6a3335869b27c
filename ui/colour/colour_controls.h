#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <array>
#include <vector>

#include "document/colour_model.h"

class QComboBox;
class QLineEdit;

namespace qv::ui {

class ColorBtn;
class HLPicker;
class HueSlider;
class SLSlider;

// One colour the Colors bar can edit: where its triple lives and what the selector calls it.
struct ColourTarget {
    Hls* triple = nullptr;
    QString description;
};

// The colour part of the Colors bar: the target selector, the field, the hue strip, the swatch,
// the palette and the "R:", "G:", "B:" edits, all kept in step. Every change by the user is
// written into the selected target and announced with ColourChanged, on which the bar
// recomposes the logo.
class ColourControls : public QWidget {
    Q_OBJECT
public:
    // How often the RGB edits are read: quick enough to feel immediate while typing.
    static constexpr int kPollInterval = 100;  // ms

    explicit ColourControls(QWidget* parent = nullptr);

    // Fills the selector and loads the selected target's colour into every control.
    void SetTargets(std::vector<ColourTarget> targets, int selected);
    int selected() const { return selected_; }
    int targetCount() const { return int(targets_.size()); }

    // The colour being edited.
    const Hls& colour() const { return colour_; }
    // Loads a colour into every control, as the selector does; nothing is written or announced.
    void SetColour(const Hls& colour);

    // Takes a colour picked elsewhere (the eyedropper), as if its red, green and blue had been
    // typed: written into the target and announced.
    void TakeRgb(int r, int g, int b);

    // One tick of the poll timer: an edit above 255 is set back to 255, and typed values that
    // differ from the last ones become the colour.
    void PollEdits();
    // The red, green and blue the edits were last known to hold.
    const std::array<int, 3>& storedRgb() const { return stored_; }

    QComboBox* selector() const { return selector_; }
    SLSlider* field() const { return field_; }
    HueSlider* strip() const { return strip_; }
    ColorBtn* swatch() const { return swatch_; }
    HLPicker* palette() const { return palette_; }
    // 0 red, 1 green, 2 blue.
    QLineEdit* rgbEdit(int channel) const { return edits_[size_t(channel)]; }
    // "#rrggbb" of the colour; a hex code typed or pasted here sets the RGB edits.
    QLineEdit* hexEdit() const { return hex_; }
    QTimer& pollTimer() { return poll_; }

signals:
    void ColourChanged(const qv::Hls& colour);

private:
    void OnStrip(float fraction);
    void OnField(float saturation_fraction, float lightness_fraction);
    void OnPalette(const Hls& colour);
    void OnSelector(int index);
    void OnHexEdited(const QString& text);
    void ShowHex(const std::array<int, 3>& rgb);

    // Sets the strip, the field and the swatch from the colour; with `write_edits` the edits
    // too, and their values become the stored ones.
    void Follow(bool move_strip, bool move_field, bool write_edits);
    // Writes the colour into the selected target and tells the bar.
    void UpdateLogo();

    std::vector<ColourTarget> targets_;
    int selected_ = -1;
    Hls colour_;
    std::array<int, 3> stored_{0, 0, 0};

    QComboBox* selector_;
    SLSlider* field_;
    HueSlider* strip_;
    ColorBtn* swatch_;
    HLPicker* palette_;
    std::array<QLineEdit*, 3> edits_{};
    QLineEdit* hex_ = nullptr;
    QTimer poll_;
};

}  // namespace qv::ui
