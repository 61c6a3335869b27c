#pragma once

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace qv::test {

// A left-button event straight to the widget, as the window system sends it while the button
// is held (and so also outside the widget, where a pointer grab keeps it coming).
inline void Mouse(QWidget* widget, QEvent::Type type, const QPoint& pos) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    const Qt::MouseButtons held =
        type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(pos), QPointF(widget->mapToGlobal(pos)), button, held,
                      Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

inline void Press(QWidget* w, int x, int y = 0) {
    Mouse(w, QEvent::MouseButtonPress, {x, y});
}
inline void Move(QWidget* w, int x, int y = 0) {
    Mouse(w, QEvent::MouseMove, {x, y});
}
inline void Release(QWidget* w, int x, int y = 0) {
    Mouse(w, QEvent::MouseButtonRelease, {x, y});
}

}  // namespace qv::test
