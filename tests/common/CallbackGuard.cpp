#include "common/CallbackGuard.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

namespace qvxtest {

namespace {

bool blocksTheTest(const QWidget* w) {
    if (!w->isVisible()) return false;
    return w->isModal() || w->windowType() == Qt::Popup;
}

// Closes one window from the event loop rather than from inside the callback
// that is still running on its behalf.
void closeLater(QWidget* w) {
    QPointer<QWidget> target(w);
    QMetaObject::invokeMethod(
        qApp,
        [target] {
            if (!target || !target->isVisible()) return;
            if (auto* dialog = qobject_cast<QDialog*>(target.data()))
                dialog->reject();
            else
                target->close();
        },
        Qt::QueuedConnection);
}

} // namespace

bool unwindIfFailed() {
    if (!QTest::currentTestFunction() || !QTest::currentTestFailed()) return false;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (blocksTheTest(w)) closeLater(w);
    return true;
}

void installCallbackGuard() {
    auto* sweep = new QTimer(qApp);
    sweep->setInterval(20);
    QObject::connect(sweep, &QTimer::timeout, qApp, [] { unwindIfFailed(); });
    sweep->start();
}

} // namespace qvxtest
