#pragma once

#include <QString>

#include "ui/caption_art.h"
#include "ui/hover_control.h"

namespace qv::ui {

// A skinned push button. Its caption is drawn by the engine in the caption face; a glyph
// button shows one arrow glyph instead. The command goes out when the mouse button goes down
// (not when it comes up), and only while the button is enabled.
class SkinButton : public HoverControl {
    Q_OBJECT
public:
    explicit SkinButton(const QString& text = {}, QWidget* parent = nullptr);

    // The window text; shown unless the button has a glyph.
    QString text() const { return text_; }
    void SetText(const QString& text);

    void SetGlyph(int glyph, bool mirrored);

    // A caption that is not meant to be pressed: no hover, no pressed look.
    void SetPassive(bool passive) { passive_ = passive; }

    bool pressed() const { return pressed_; }
    // Lets the button go, as when a menu it opened closes.
    void Release();

signals:
    // The mouse went down on the enabled button at `pos` (its own coordinates).
    void Pressed(const QPoint& pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString text_;
    CaptionArt art_;
    bool has_glyph_ = false;
    bool pressed_ = false;
    bool passive_ = false;
};

}  // namespace qv::ui
