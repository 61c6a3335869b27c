#pragma once

#include <QImage>
#include <QWidget>

#include "document/le_file.h"
#include "render/pixel_buffer.h"

namespace qv::ui {

class EditorHost;
class ObjectPreview;

// The canvas: the composed logo on a grained, shaded background. A click makes the object under
// the cursor current (frontmost first) and dragging moves it; the drag is one undo step.
class CanvasView : public QWidget {
    Q_OBJECT
public:
    static constexpr int OUT_WND_MRG = 20;

    explicit CanvasView(QWidget* parent = nullptr);

    void SetHost(EditorHost* host) { mw_ = host; }
    void SetPreview(ObjectPreview* preview) { ow_ = preview; }
    void SetDocument(LeFile* le) { le_ = le; }
    LeFile* document() const { return le_; }

    // While an option bar is open a click drags without changing the current object and
    // releasing records no undo step: the bar's own Ok does.
    void SetBarMode(bool on) { bar_mode_ = on; }
    bool barMode() const { return bar_mode_; }

    // Rebuilds the shaded background for the present size.
    void RebuildBackground();
    const PixelBuffer& background() const { return bg_; }

    bool dragging() const { return dragging_; }
    int dragIndex() const { return drag_index_; }

    // The object whose box holds the logo point (mx, my), frontmost first; -1 for none.
    static int HitTest(const LeFile& lf, int mx, int my);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QPoint LogoPoint(const QPoint& client) const;
    // Recomposes with the preview's size kept, then repaints the canvas and the preview.
    void Recompose(int w, int h);

    LeFile* le_ = nullptr;
    EditorHost* mw_ = nullptr;
    ObjectPreview* ow_ = nullptr;
    bool bar_mode_ = false;
    PixelBuffer bg_;
    QImage bg_image_;
    bool dragging_ = false;
    int drag_index_ = -1;
    int grab_x_ = 0;
    int grab_y_ = 0;
    int* pox_ = nullptr;
    int* poy_ = nullptr;
};

}  // namespace qv::ui
