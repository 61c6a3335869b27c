#pragma once

#include <QString>

#include "ui/hover_control.h"

namespace qv::ui {

class SkinButton;

// The page slider under a library: dragging across it picks a page, its caption button shows
// "Objects Library: page #3 of 12" or the same for styles.
class PageSlider : public HoverControl {
    Q_OBJECT
public:
    static constexpr int kObjects = 1;
    static constexpr int kStyles = 2;

    PageSlider(int kind, QWidget* parent = nullptr);

    int kind() const { return kind_; }
    int page() const { return page_; }
    int pages() const { return pages_; }
    void SetPages(int pages, int page);

    void SetCaptionButton(SkinButton* caption) { caption_ = caption; }
    QString CaptionText() const;
    void UpdateCaption();

    // An arrow's step: moves to page + step when that page exists, then PageChanged.
    void Step(int step);
    // Tells the owner that the page changed.
    void PageChanged();

signals:
    void PageSelected(int kind, int page);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int kind_;
    int page_ = 0;
    int pages_ = 0;
    bool pressed_ = false;
    SkinButton* caption_ = nullptr;
};

// An arrow button of a page slider, stepping it by -1 or +1.
class ArrowButton : public HoverControl {
    Q_OBJECT
public:
    ArrowButton(int step, PageSlider* slider, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    int step_;
    PageSlider* slider_;
    bool pressed_ = false;
};

}  // namespace qv::ui
