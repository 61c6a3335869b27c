#include "ui/colour/colour_controls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <algorithm>

#include "app/guard.h"
#include "ui/colour/color_btn.h"
#include "ui/colour/colour_math.h"
#include "ui/colour/hl_picker.h"
#include "ui/colour/hue_slider.h"
#include "ui/colour/sl_slider.h"

namespace qv::ui {

ColourControls::ColourControls(QWidget* parent)
    : QWidget(parent),
      selector_(new QComboBox),
      field_(new SLSlider),
      strip_(new HueSlider),
      swatch_(new ColorBtn),
      palette_(new HLPicker) {
    field_->setFixedSize(field_->sizeHint());
    strip_->setFixedSize(strip_->sizeHint());
    palette_->setFixedSize(palette_->sizeHint());
    swatch_->setFixedSize(swatch_->sizeHint());

    // Digits only: nothing negative can be typed, and three digits reach past 255.
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), this);
    auto* rgb = new QHBoxLayout;
    rgb->addWidget(swatch_);
    rgb->addSpacing(6);
    const char* labels[3] = {"R:", "G:", "B:"};
    for (size_t k = 0; k < 3; ++k) {
        auto* edit = new QLineEdit(QStringLiteral("0"));
        edit->setValidator(digits);
        edit->setMaxLength(3);
        edit->setAlignment(Qt::AlignRight);
        edit->setFixedWidth(40);
        edits_[k] = edit;
        rgb->addWidget(new QLabel(QString::fromLatin1(labels[k])));
        rgb->addWidget(edit);
    }
    hex_ = new QLineEdit;
    hex_->setMaxLength(12);  // room for spaces around a pasted code
    hex_->setPlaceholderText(QStringLiteral("#rrggbb"));
    hex_->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("#0000000")) + 12);
    rgb->addSpacing(6);
    rgb->addWidget(new QLabel(QStringLiteral("Hex:")));
    rgb->addWidget(hex_);
    rgb->addStretch();

    auto* grid = new QGridLayout(this);
    grid->addWidget(selector_, 0, 0, 1, 2);
    grid->addWidget(field_, 1, 0, Qt::AlignTop);
    grid->addWidget(palette_, 1, 1, Qt::AlignTop);
    grid->addWidget(strip_, 2, 0);
    grid->addLayout(rgb, 2, 1);
    grid->setRowStretch(3, 1);

    connect(strip_, &HueSlider::Changed, this, &ColourControls::OnStrip);
    connect(field_, &SLSlider::Changed, this, &ColourControls::OnField);
    connect(palette_, &HLPicker::Picked, this, &ColourControls::OnPalette);
    connect(selector_, &QComboBox::currentIndexChanged, this, &ColourControls::OnSelector);
    connect(hex_, &QLineEdit::textEdited, this, &ColourControls::OnHexEdited);
    connect(&poll_, &QTimer::timeout, this, &ColourControls::PollEdits);
    poll_.start(kPollInterval);
    Follow(true, true, true);
}

void ColourControls::SetTargets(std::vector<ColourTarget> targets, int selected) {
    targets_ = std::move(targets);
    {
        const QSignalBlocker block(selector_);
        selector_->clear();
        for (const ColourTarget& t : targets_) selector_->addItem(t.description);
        selected_ = targets_.empty() ? -1 : std::clamp(selected, 0, int(targets_.size()) - 1);
        selector_->setCurrentIndex(selected_);
    }
    if (selected_ >= 0 && targets_[size_t(selected_)].triple) {
        SetColour(*targets_[size_t(selected_)].triple);
    }
}

void ColourControls::SetColour(const Hls& colour) {
    colour_ = colour;
    Follow(true, true, true);
}

void ColourControls::OnSelector(int index) {
    if (index < 0 || index >= int(targets_.size())) return;
    selected_ = index;
    if (targets_[size_t(index)].triple) SetColour(*targets_[size_t(index)].triple);
}

void ColourControls::OnStrip(float fraction) {
    colour_.h = HueFromStrip(fraction);
    Follow(false, false, true);
    UpdateLogo();
}

void ColourControls::OnField(float saturation_fraction, float lightness_fraction) {
    colour_.s = SaturationFromField(saturation_fraction);
    colour_.l = LightnessFromField(lightness_fraction);
    Follow(false, false, true);
    UpdateLogo();
}

void ColourControls::OnPalette(const Hls& colour) {
    colour_ = colour;
    Follow(true, true, true);
    UpdateLogo();
}

void ColourControls::OnHexEdited(const QString& text) {
    const std::optional<Rgb8> rgb = ParseHexColour(text.toStdString());
    if (!rgb) return;  // not a whole code yet
    const int values[3] = {rgb->r, rgb->g, rgb->b};
    for (size_t k = 0; k < 3; ++k) edits_[k]->setText(QString::number(values[k]));
    PollEdits();
}

void ColourControls::TakeRgb(int r, int g, int b) {
    const int values[3] = {ClampRgb(r), ClampRgb(g), ClampRgb(b)};
    for (size_t k = 0; k < 3; ++k) edits_[k]->setText(QString::number(values[k]));
    PollEdits();
}

void ColourControls::ShowHex(const std::array<int, 3>& rgb) {
    // Never under the user's cursor: what is being typed there stays as typed.
    if (hex_->hasFocus()) return;
    hex_->setText(QString::fromStdString(
        HexColour(Rgb8{uint8_t(rgb[0]), uint8_t(rgb[1]), uint8_t(rgb[2])})));
}

void ColourControls::PollEdits() {
    std::array<int, 3> typed = stored_;
    for (size_t k = 0; k < 3; ++k) {
        const int value = ReadRgbEdit(edits_[k]->text().toLatin1().constData());
        // An edit emptied to type a new number keeps its old value until digits arrive.
        if (value < 0) continue;
        typed[k] = ClampRgb(value);
        if (value != typed[k]) edits_[k]->setText(QString::number(typed[k]));
    }
    if (typed == stored_) return;
    stored_ = typed;
    ShowHex(stored_);
    colour_ = RgbToHls(float(typed[0]), float(typed[1]), float(typed[2]));
    // The edits keep what was typed: a round trip through the colour model could change them
    // under the cursor.
    Follow(true, true, false);
    UpdateLogo();
}

void ColourControls::Follow(bool move_strip, bool move_field, bool write_edits) {
    const ColourPosition at = PositionOf(colour_);
    if (move_strip) strip_->SetFraction(at.hue);
    if (move_field) field_->SetPosition(at.saturation, at.lightness);
    field_->SetHue(colour_.h);
    strip_->update();
    swatch_->SetColour(colour_);
    if (!write_edits) return;
    const Rgb8 rgb = ShownRgb(colour_);
    stored_ = {rgb.r, rgb.g, rgb.b};
    for (size_t k = 0; k < 3; ++k) edits_[k]->setText(QString::number(stored_[k]));
    ShowHex(stored_);
}

void ColourControls::UpdateLogo() {
    if (selected_ >= 0 && targets_[size_t(selected_)].triple) {
        *targets_[size_t(selected_)].triple = colour_;
    }
    QV_CHECK_T("UpdateLogo()", (emit ColourChanged(colour_), true));
}

}  // namespace qv::ui
