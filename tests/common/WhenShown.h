#pragma once

#include <QTimer>
#include <QWidget>
#include <functional>

namespace qvxtest {

// Runs act once the window is shown: for a modal dialog, inside its own event
// loop, which exec() gives no other way into.
inline void whenOpen(QWidget* window, std::function<void()> act) {
    auto* poll = new QTimer(window);
    QObject::connect(poll, &QTimer::timeout, window, [window, poll, act] {
        if (!window->isVisible()) return;
        poll->stop();
        poll->deleteLater();
        act();
    });
    poll->start(5);
}

// Runs look once the dialog is shown, then closes it.
inline void whenShown(QWidget* dialog, std::function<void()> look) {
    whenOpen(dialog, [dialog, look] {
        look();
        dialog->close();
    });
}

} // namespace qvxtest
