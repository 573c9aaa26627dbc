#include "common/CallbackGuard.h"
#include "common/TestRegistry.h"

#include <QDialog>
#include <QTest>
#include <QTimer>

// Test classes that run only when TestRunnerTest starts them in a child process.

// Checks that fail inside callbacks on purpose.
class CallbackProbe : public QObject {
    Q_OBJECT
  private slots:
    void answererFails_dialogIsClosed() {
        QDialog dlg;
        QTimer::singleShot(0, &dlg,
                           qvxtest::checked([] { QVERIFY2(false, "check in the answerer"); }));
        dlg.exec();
        qInfo("returned from the dialog");
    }

    void uncheckedAnswererFails_dialogIsClosed() {
        QDialog dlg;
        QTimer::singleShot(0, &dlg, [] { QVERIFY2(false, "check in a plain answerer"); });
        dlg.exec();
        qInfo("returned from the dialog");
    }

    void timerCheckFails_whileTheBodyPasses() {
        bool fired = false;
        QTimer::singleShot(0, this, qvxtest::checked([&] {
                               fired = true;
                               QCOMPARE(1 + 1, 3);
                           }));
        QTRY_VERIFY(fired);
    }

    void callbackChecksPass_functionPasses() {
        QDialog dlg;
        QTimer::singleShot(0, &dlg, qvxtest::checked([&] {
                               QVERIFY(dlg.isVisible());
                               dlg.accept();
                           }));
        QCOMPARE(dlg.exec(), int(QDialog::Accepted));
    }
};

// Two classes with one function name in common, for choosing functions by name.
class ProbeA : public QObject {
    Q_OBJECT
  private slots:
    void shared() { QVERIFY(true); }
    void onlyInA() { QVERIFY(true); }
};

class ProbeB : public QObject {
    Q_OBJECT
  private slots:
    void shared() { QVERIFY(true); }
    void onlyInB() { QVERIFY(true); }
    void onlyInB_data() {
        QTest::addColumn<int>("n");
        QTest::newRow("one") << 1;
    }
};

QVX_TEST_CLASS_ON_REQUEST(CallbackProbe)
QVX_TEST_CLASS_ON_REQUEST(ProbeA)
QVX_TEST_CLASS_ON_REQUEST(ProbeB)
#include "Probes.moc"
