#pragma once

#include "document/Chart.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

// Small helpers shared by the editor tests.
namespace editortest {

inline int item(qvx::Chart& c, quint8 kind, int x, int y) {
    return c.CreateItem(kind, x, y);
}

inline int link(qvx::Chart& c, int from, int to, QVector<QPoint> points = {},
                quint8 kind = qvx::MainLink) {
    const int i = c.AddLinks(1);
    qvx::Link& l = c.links[size_t(i)];
    l.origin = from;
    l.final = to;
    l.kind = kind;
    l.points = std::move(points);
    return i;
}

// Sends one mouse event the way the window system would, with the given
// buttons held afterwards.
inline void mouse(QWidget* w, QEvent::Type type, QPoint pos, Qt::MouseButton button,
                  Qt::MouseButtons held, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QMouseEvent e(type, QPointF(pos), w->mapToGlobal(QPointF(pos)), button, held, mods);
    QApplication::sendEvent(w, &e);
}

inline void press(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton,
                  Qt::KeyboardModifiers mods = Qt::NoModifier) {
    mouse(w, QEvent::MouseButtonPress, p, b, b, mods);
}
inline void release(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton) {
    mouse(w, QEvent::MouseButtonRelease, p, b, Qt::NoButton);
}
inline void move(QWidget* w, QPoint p, Qt::MouseButtons held = Qt::NoButton,
                 Qt::KeyboardModifiers mods = Qt::NoModifier) {
    mouse(w, QEvent::MouseMove, p, Qt::NoButton, held, mods);
}
inline void click(QWidget* w, QPoint p, Qt::MouseButton b = Qt::LeftButton,
                  Qt::KeyboardModifiers mods = Qt::NoModifier) {
    press(w, p, b, mods);
    release(w, p, b);
}
inline void drag(QWidget* w, QPoint from, QPoint to) {
    press(w, from);
    move(w, to, Qt::LeftButton);
    release(w, to);
}
// The window system's sequence for a double-click: the second press arrives
// as a double-click event.
inline void doubleClick(QWidget* w, QPoint p) {
    click(w, p);
    mouse(w, QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
    release(w, p);
}

} // namespace editortest
