#pragma once

#include <QImage>
#include <QWidget>
#include <functional>
#include <optional>

#include "document/le_file.h"
#include "render/pixel_buffer.h"
#include "ui/canvas_mapping.h"
#include "ui/canvas_snap.h"
#include "ui/zoom_composer.h"

class QKeyEvent;
class QScrollBar;

namespace qv::ui {

class EditorHost;
class ObjectPreview;

// The canvas: the composed logo on a grained, shaded background. A click makes the object under
// the cursor current (frontmost first) and dragging moves it, snapping to the centre lines and
// the other objects; the drag is one undo step. The current object shows a dashed box. The view
// zooms from 10 % to 800 %, composed at the zoom (and the screen's pixel ratio) as the render
// scale, and scrolls; hit-testing and dragging work in logo coordinates.
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

    // The zoom (1 = 100 %) and the view's mapping of client pixels to logo coordinates.
    double zoom() const { return mapping_.zoom; }
    CanvasMapping mapping() const;
    // Zooms to `zoom` keeping the logo point under client pixel `about` in place.
    void SetZoom(double zoom, QPoint about);
    void SetZoom(double zoom) { SetZoom(zoom, QPoint(width() / 2, height() / 2)); }
    void ZoomIn();
    void ZoomOut();
    // The objects' common box fills the view.
    void ZoomToFit();
    void ScrollTo(int x, int y);
    QScrollBar* horizontalBar() const { return hbar_; }
    QScrollBar* verticalBar() const { return vbar_; }

    // The screen's pixel ratio the canvas is composed for; the tests and benchmarks set it.
    void SetPixelRatioOverride(double ratio) { ratio_override_ = ratio; }
    double pixelRatio() const;
    // The canvas's kept rasters when it composes at `scale` now, for the preview to share
    // (slot n is object n); null otherwise.
    ZoomComposer* ComposerAt(float scale);
    // Drops the rasters kept for the zoomed view (the benchmarks time a first composition).
    void ForgetZoomedRasters() { composer_.Clear(); }
    // The logo pixels as shown, at device resolution (what paintEvent puts on the screen
    // under the overlays): the logo buffer itself at 100 % on an ordinary screen.
    QImage ShownLogo();

    // The eyedropper: the next left click on the canvas picks the colour shown under the
    // cursor and hands it to `picked` instead of selecting or dragging. An empty function
    // (or another pick) ends it.
    void StartColourPick(std::function<void(QRgb)> picked);
    bool picking() const { return static_cast<bool>(pick_); }

    // The guide lines of the snap in force during a drag, in logo coordinates.
    const std::optional<int>& guideX() const { return guide_x_; }
    const std::optional<int>& guideY() const { return guide_y_; }

signals:
    void ZoomChanged(double zoom);
    // The current object moved or changed: the status line follows.
    void Changed();
    // Keys the canvas passes on to the editor.
    void NudgeRequested(int dx, int dy);
    void RemoveRequested();
    void StepRequested(bool previous);
    void TypedOn(QKeyEvent* event);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    QPoint LogoPoint(const QPoint& client) const;
    // Recomposes with the preview's size kept, then repaints the canvas and the preview.
    void Recompose(int w, int h);
    // The logo area the zoom and the scroll bars work on, in logo units.
    QSize LogoArea() const;
    bool Plain() const;
    void UpdateScrollBars();
    // Paints the logo at the zoom; false when it has to be shown enlarged instead.
    bool PaintZoomed(QPainter& painter, const QRect& logo_rect);
    void PaintOverlays(QPainter& painter);
    QRect ClientBox(int left, int top, int w, int h) const;

    LeFile* le_ = nullptr;
    EditorHost* mw_ = nullptr;
    ObjectPreview* ow_ = nullptr;
    bool bar_mode_ = false;
    PixelBuffer bg_;
    QImage bg_image_;
    QImage bg_device_;  // the background at the screen's pixel ratio
    bool dragging_ = false;
    int drag_index_ = -1;
    int grab_x_ = 0;
    int grab_y_ = 0;
    int* pox_ = nullptr;
    int* poy_ = nullptr;
    std::optional<int> guide_x_;
    std::optional<int> guide_y_;

    CanvasMapping mapping_;
    double ratio_override_ = 0;
    ZoomComposer composer_;
    PixelBuffer zoomed_;
    QScrollBar* hbar_ = nullptr;
    QScrollBar* vbar_ = nullptr;
    bool syncing_bars_ = false;
    bool panning_ = false;
    bool space_held_ = false;
    QPoint pan_start_;
    QPoint pan_scroll_;
    std::function<void(QRgb)> pick_;
};

}  // namespace qv::ui
