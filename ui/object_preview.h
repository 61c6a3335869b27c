#pragma once

#include <QImage>
#include <QWidget>

#include "document/le_file.h"
#include "ui/zoom_composer.h"

namespace qv::ui {

class EditorHost;

// The current object alone. Dragging left enlarges it, dragging right shrinks it: one full
// preview width to the left doubles it, one to the right halves it.
class ObjectPreview : public QWidget {
    Q_OBJECT
public:
    explicit ObjectPreview(QWidget* parent = nullptr);

    void SetHost(EditorHost* host) { mw_ = host; }
    // The canvas whose rasters the preview shares when both draw at the same scale.
    void SetCanvas(class CanvasView* canvas) { canvas_ = canvas; }
    void SetDocument(LeFile* le) { le_ = le; }
    void SetBarMode(bool on) { bar_mode_ = on; }
    bool barMode() const { return bar_mode_; }
    bool dragging() const { return dragging_; }

    // The screen's pixel ratio the preview is drawn for; the tests set it.
    void SetPixelRatioOverride(double ratio) { ratio_override_ = ratio; }
    // The preview as shown, at device resolution: the preview buffer itself at ratio 1, else
    // the current object rendered at the ratio on the same checkerboard.
    QImage ShownPreview();

    // Sizes that would leave this range are not taken.
    static constexpr int kMinSize = 5;
    static constexpr int kMaxSize = 3000;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    LeFile* le_ = nullptr;
    EditorHost* mw_ = nullptr;
    bool bar_mode_ = false;
    bool dragging_ = false;
    int* size_ = nullptr;
    int* width_ = nullptr;
    int start_size_ = 0;
    int start_width_ = 0;
    int start_x_ = 0;
    double ratio_override_ = 0;
    ZoomComposer composer_;
    class CanvasView* canvas_ = nullptr;
    PixelBuffer sharp_;
};

}  // namespace qv::ui
