#pragma once

#include <QRect>
#include <vector>

#include "document/obj_style.h"
#include "ui/hover_control.h"

namespace qv::ui {

// One style button: a sample shape in the look of `style()`, which is the page's style with
// this button's hue offset applied.
class StyleBtn : public HoverControl {
    Q_OBJECT
public:
    StyleBtn(int n, float hue_offset, QWidget* parent = nullptr);

    int index() const { return n_; }
    float hueOffset() const { return hue_; }
    const ObjStyle& style() const { return lt_style_; }
    // Takes the page's style and shifts its hues by this button's offset.
    void SetStyle(const ObjStyle& page_style);

    bool selected() const { return selected_; }
    void SetSelected(bool on);

    // The sample as painted now: lightened while hovered and not selected.
    // At `ratio` times the button's size, rendered at that scale (the screen's pixel ratio).
    PixelBuffer Picture(double ratio = 1.0) const;

signals:
    void Pressed(int n);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    int n_;
    float hue_;
    ObjStyle lt_style_;
    bool selected_ = false;
};

// The row of style buttons under the canvas, rebuilt for every width of the editor.
class StyleRow : public QWidget {
    Q_OBJECT
public:
    explicit StyleRow(QWidget* parent = nullptr);

    // Deletes the buttons and creates one per rectangle (in the row's coordinates) with its
    // hue offset.
    void Rebuild(const std::vector<QRect>& places, const std::vector<float>& hue_offsets);
    const std::vector<StyleBtn*>& buttons() const { return buttons_; }

    void SetEnabledFlag(bool on);
    bool enabledFlag() const { return enabled_; }

signals:
    void Pressed(int n);

private:
    std::vector<StyleBtn*> buttons_;
    bool enabled_ = true;
};

}  // namespace qv::ui
