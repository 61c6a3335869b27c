#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <vector>

#include "render/pixel_buffer.h"

namespace qv::ui {

// A grid of shape thumbnails over the shape table, paged by a slider. Both pictures of every
// cell are rendered when the page changes, so painting and hovering only copy pixels.
class ObjLib : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPlainLook = 1;
    static constexpr int kEditorLook = 2;

    explicit ObjLib(QWidget* parent = nullptr, int dxy = 50, int look = kPlainLook);

    // Items per page and pages for the present size, and the page to show: `page`, or the page
    // holding shape `sn` when it is not -1. False (nothing changed) while the grid is smaller
    // than 60 x 60.
    bool UpdatePage(int& itmpp, int& pages, int page, int sn = -1);
    // Follows shape `sn` (UpdateLibSel): turns the page when needed and selects its cell. The
    // page it lands on, or -1 when there is nothing to show.
    int ShowShape(int sn);

    int cell() const { return dxy_; }
    int page() const { return page_; }
    int pages() const { return pages_; }
    int itemsPerPage() const { return itmpp_; }
    int columns() const { return columns_; }
    int rows() const { return rows_; }
    int selected() const { return sel_; }
    int hover() const { return hover_; }
    // The shape shown in cell `ni`: counting on from the page start, 0 past the table's end;
    // while search results are shown, the result there or -1 for an empty cell.
    int ShapeAt(int ni) const;

    // Shows `shapes` (search results, best first) instead of the table, from their first page;
    // the pages then cover every result. ShowAll brings the table back on `page`.
    void ShowFound(const std::vector<int>& shapes);
    void ShowAll(int page);
    bool showingFound() const { return showing_found_; }
    int foundCount() const { return int(found_.size()); }
    // The cell under client point `pos`, -1 outside.
    int CellAt(const QPoint& pos) const;
    // The normal or highlighted picture of cell `ni`; empty before the first page.
    const PixelBuffer& Thumbnail(int ni, bool highlighted) const;
    // The grid as painted now, in device pixels (the widget's size times pixelRatio()).
    PixelBuffer Compose() const;
    // The screen's pixel ratio the thumbnails are drawn at (at least 1); a test may fix it.
    double pixelRatio() const;
    void SetPixelRatioOverride(double ratio) {
        ratio_override_ = ratio;
        RenderThumbnails();
    }

    bool enabledFlag() const { return enabled_; }
    void SetEnabledFlag(bool on);

    // One tick of the hover timer with the cursor at `global`.
    void HoverTick(const QPoint& global);

signals:
    // A click on cell `sel` of the page.
    void Clicked(int sel);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void RenderThumbnails();
    // `v` logical pixels in device pixels at the thumbnails' ratio.
    int Device(int v) const;
    // Where shape `sn` stands in what the grid shows: its table index, or its place among the
    // results; -1 when it is not shown at all.
    int ViewIndexOf(int sn) const;
    int ViewCount() const;

    int dxy_;
    int look_;
    double ratio_override_ = 0;
    double thumb_ratio_ = 1;  // the ratio bmp1_ and bmp2_ were drawn at
    int columns_ = 0;
    int rows_ = 0;
    int itmpp_ = 0;
    int pages_ = 0;
    int page_ = 0;
    int sel_ = -1;
    int hover_ = -1;
    bool enabled_ = true;
    bool showing_found_ = false;
    std::vector<int> found_;
    std::vector<PixelBuffer> bmp1_;  // highlighted
    std::vector<PixelBuffer> bmp2_;  // normal
    PixelBuffer empty_;
    QTimer timer_;
};

}  // namespace qv::ui
