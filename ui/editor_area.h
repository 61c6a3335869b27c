#pragma once

#include <QWidget>
#include <functional>

#include "render/pixel_buffer.h"

namespace qv::ui {

// The editor's client area: painted in the window colour, and the place where the size handler
// learns the client size.
class EditorArea : public QWidget {
    Q_OBJECT
public:
    explicit EditorArea(QWidget* parent = nullptr);
    std::function<void(int cx, int cy)> resized;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
};

// The 1-pixel rule above the text box and the decorative strip below it.
class DecorStrip : public QWidget {
    Q_OBJECT
public:
    enum Kind { kRule, kStrip };
    DecorStrip(Kind kind, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Kind kind_;
};

// A short note that appears over the editor for a few seconds (a character the document cannot
// hold, a feature on its way) and takes no focus.
class HintBubble : public QWidget {
    Q_OBJECT
public:
    explicit HintBubble(QWidget* parent);
    // Shows `text` with its bottom-left corner at `anchor` (parent coordinates).
    void Show(const QString& text, const QPoint& anchor);
    QString text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString text_;
    class QTimer* timer_;
};

}  // namespace qv::ui
