#pragma once

#include <QWidget>
#include <vector>

#include "render/pixel_buffer.h"

namespace qv::ui {

// Stands where the object library grid goes until the library browser replaces it. It keeps the
// grid's paging arithmetic (40-pixel cells, items per page, pages), so that the slider and the
// caption are right, and shows the shapes of its page; clicking is the browser's.
class LibraryGridPlaceholder : public QWidget {
    Q_OBJECT
public:
    static constexpr int kCell = 40;

    explicit LibraryGridPlaceholder(QWidget* parent = nullptr);

    // The grid's UpdatePage: items per page and pages for the present size; the page to show,
    // or the page holding shape `sn` when it is not -1. False (nothing changed) while the grid
    // is smaller than 60 x 60.
    bool UpdatePage(int& itmpp, int& pages, int page, int sn = -1);

    // Follows the current shape object (UpdateLibSel). The page it lands on, or -1.
    int ShowShape(int sn);

    int page() const { return page_; }
    int pages() const { return pages_; }
    int itemsPerPage() const { return itmpp_; }
    int selected() const { return sel_; }

    bool enabledFlag() const { return enabled_; }
    void SetEnabledFlag(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void RenderThumbnails();

    int itmpp_ = 0;
    int pages_ = 0;
    int page_ = 0;
    int sel_ = -1;
    bool enabled_ = true;
    bool stale_ = true;
    int fonts_seen_ = 0;
    PixelBuffer picture_;
};

// Stands where the row of style buttons goes; the size handler gives it the row's geometry and
// the places of the buttons.
class StyleRowPlaceholder : public QWidget {
    Q_OBJECT
public:
    explicit StyleRowPlaceholder(QWidget* parent = nullptr);

    // The buttons' rectangles in the row's own coordinates, with their hue offsets.
    void SetButtons(std::vector<QRect> buttons, std::vector<float> hue_offsets);
    const std::vector<QRect>& buttons() const { return buttons_; }
    const std::vector<float>& hueOffsets() const { return hues_; }

    void SetEnabledFlag(bool on) { enabled_ = on; }
    bool enabledFlag() const { return enabled_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::vector<QRect> buttons_;
    std::vector<float> hues_;
    bool enabled_ = true;
};

}  // namespace qv::ui
