#include "board/BoardLink.h"
#include "board/SerialTransport.h"
#include "common/CliRun.h"
#include "common/RecordingServices.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

using namespace qvx;

namespace {

// A device that will not open, refused for lack of permission or not.
class RefusingTransport : public BoardTransport {
  public:
    explicit RefusingTransport(bool denied) : m_denied(denied) {}
    bool open(QString* error) override {
        if (error) *error = QStringLiteral("Permission denied");
        return false;
    }
    bool openDenied() const override { return m_denied; }
    void close() override {}
    bool isOpen() const override { return false; }
    QIODevice* device() override { return nullptr; }
    void discardInput() override {}

  private:
    bool m_denied;
};

qvxtest::CliRun qvxBoard(const QString& port) {
    return qvxtest::runQvx(
        {QStringLiteral("board"), QStringLiteral("--port"), port, QStringLiteral("stop")});
}

} // namespace

// What `qvx board --port PATH` says when PATH cannot be opened: "does not
// exist" only when nothing is there, otherwise why it cannot serve as a port.
class PortOpenFailureTest : public QObject {
    Q_OBJECT

  private slots:
    void cli_namesTheReasonAPortCannotBeOpened_data() {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("expected");
        QTest::newRow("missing") << "missing"
                                 << "%1 does not exist\n";
        QTest::newRow("dangling link") << "dangling"
                                       << "%1 does not exist\n";
        QTest::newRow("directory") << "directory"
                                   << "%1 is a directory, not a serial device\n";
        QTest::newRow("regular file") << "file"
                                      << "%1 is a regular file, not a serial device\n";
        QTest::newRow("not a terminal") << "/dev/null"
                                        << "%1 cannot be opened as a serial device: ";
    }
    void cli_namesTheReasonAPortCannotBeOpened() {
        QFETCH(QString, form);
        QFETCH(QString, expected);
        QTemporaryDir dir;
        QString port = dir.filePath(QStringLiteral("port"));
        if (form == QLatin1String("dangling")) {
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("gone")), port));
        } else if (form == QLatin1String("directory")) {
            QVERIFY(QDir().mkdir(port));
        } else if (form == QLatin1String("file")) {
            QVERIFY(qvxtest::writeFile(port, "not a device"));
        } else if (form.startsWith(u'/')) {
            port = form;
        }

        const qvxtest::CliRun r = qvxBoard(port);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.startsWith(expected.arg(port)), qPrintable(r.err));
        if (form != QLatin1String("missing") && form != QLatin1String("dangling"))
            QVERIFY2(!r.err.contains(QStringLiteral("does not exist")), qPrintable(r.err));
    }

    void cli_deviceWithoutPermission_namesTheDialoutGroup() {
        if (::geteuid() == 0) QSKIP("root may open every device");
        QString port;
        for (const QString& candidate :
             {QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS1")})
            if (QFileInfo::exists(candidate) &&
                ::access(QFile::encodeName(candidate), R_OK | W_OK) != 0)
                port = candidate;
        if (port.isEmpty()) QSKIP("no serial device here that this user may not open");
        const qvxtest::CliRun r = qvxBoard(port);
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, SerialTransport::OpenFailureText(
                            port, SerialTransport::OpenProblem::NoPermission) +
                            u'\n');
    }

    void window_deniedPort_saysSoOnceAndNamesTheDialoutGroup() {
        for (bool denied : {true, false}) {
            qvxtest::RecordingServices services;
            BoardLink link;
            link.setServices(&services);
            QVERIFY(!link.OpenTransport(3, std::make_unique<RefusingTransport>(denied)));
            QCOMPARE(services.statuses.size(), 1);
            const QString text = services.statuses.first();
            if (denied) {
                QCOMPARE(text, BoardLink::PermissionText(QStringLiteral("COM3")));
                QVERIFY(text.startsWith(QStringLiteral("COM3: permission denied")));
                QVERIFY(text.contains(QStringLiteral("dialout")));
            } else {
                QCOMPARE(text, QStringLiteral("COM3 does not exist"));
            }
        }
    }

    void openFailureText_eachProblemInWords() {
        const QString p = QStringLiteral("/dev/ttyUSB3");
        using P = SerialTransport::OpenProblem;
        QCOMPARE(SerialTransport::OpenFailureText(p, P::Missing),
                 QStringLiteral("/dev/ttyUSB3 does not exist"));
        const QString denied = SerialTransport::OpenFailureText(p, P::NoPermission);
        QVERIFY2(
            denied.startsWith(QStringLiteral("/dev/ttyUSB3 cannot be opened: permission denied")),
            qPrintable(denied));
        QVERIFY2(denied.contains(QStringLiteral("dialout")), qPrintable(denied));
        QCOMPARE(SerialTransport::OpenFailureText(p, P::Other,
                                                  QStringLiteral("Device or resource busy")),
                 QStringLiteral(
                     "/dev/ttyUSB3 cannot be opened as a serial device: Device or resource busy"));
    }

    void diagnose_looksAtWhatLiesAtThePath() {
        QTemporaryDir dir;
        using P = SerialTransport::OpenProblem;
        QCOMPARE(SerialTransport::Diagnose(dir.filePath(QStringLiteral("none"))), P::Missing);
        QCOMPARE(SerialTransport::Diagnose(dir.filePath(QStringLiteral("none/deeper"))),
                 P::Missing);
        QCOMPARE(SerialTransport::Diagnose(dir.path()), P::Directory);
        const QString file = dir.filePath(QStringLiteral("file"));
        QVERIFY(qvxtest::writeFile(file, "x"));
        QCOMPARE(SerialTransport::Diagnose(file), P::RegularFile);
        QCOMPARE(SerialTransport::Diagnose(file + QStringLiteral("/below")), P::Missing);
        QCOMPARE(SerialTransport::Diagnose(QStringLiteral("/dev/null")), P::Other);
    }
};

QVX_TEST_CLASS(PortOpenFailureTest)
#include "PortOpenFailureTest.moc"
