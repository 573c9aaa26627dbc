#include "common/CliRun.h"
#include "common/RecordingServices.h"
#include "common/SimBoard.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "compiler/ChartMaker.h"
#include "document/DocumentFile.h"
#include "document/MotionHeader.h"
#include "preview/PreviewRig.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using namespace qvx;
using qvxtest::CliRun;

// qvx preview as a process: the same item twice gives the same picture, two
// poses two pictures; refused inputs leave no picture.
class CliPreviewTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    QString path(const char* name) const { return m_dir.filePath(QLatin1String(name)); }
    QString m_doc;

    CliRun preview(const QStringList& more) {
        qvxtest::CliSetup setup;
        setup.configDir(m_dir.path());
        return qvxtest::runQvx(QStringList{QStringLiteral("preview"), m_doc} + more, setup);
    }

  private slots:
    void initTestCase() {
        // Item0 and Item2 raise the right arm forwards and backwards; Item1 is a SET item.
        qvxtest::ChartMaker m;
        const int forward = m.item(QStringLiteral("Forward"), KindPos, 40);
        m.chart.items[std::size_t(forward)].values = qvxtest::poseWords({{3, -600}});
        const int count = m.item(QStringLiteral("Count"), KindSet, 1, 0x8207);
        const int back = m.item(QStringLiteral("Back"), KindPos, 40);
        m.chart.items[std::size_t(back)].values = qvxtest::poseWords({{3, 600}});
        // Linked, so that it compiles into records for a board.
        m.next(forward, count);
        m.next(count, back);
        m_doc = path("poses.qmx");
        qvxtest::RecordingServices services;
        MotionHeader header;
        DocumentContext ctx{m.chart, header, services};
        QVERIFY(DocumentFile::SaveDocument(ctx, m_doc, false));
        QVERIFY(qvxtest::writeFile(path("other.urdf"), "<?xml version=\"1.0\"?>\n<sdf/>\n"));
    }

    void sameItem_samePicture_otherPose_otherPicture() {
        const QStringList size{QStringLiteral("--size"), QStringLiteral("200x150")};
        const CliRun first = preview(QStringList{QStringLiteral("--item"), QStringLiteral("0"),
                                                 QStringLiteral("--png"), path("a.png")} +
                                     size);
        QCOMPARE(first.err, QString());
        QCOMPARE(first.code, 0);
        QCOMPARE(first.out, QStringLiteral("item 0 drawn to %1\n").arg(path("a.png")));
        QCOMPARE(preview(QStringList{QStringLiteral("--item"), QStringLiteral("0"),
                                     QStringLiteral("--png"), path("b.png")} +
                         size)
                     .code,
                 0);
        QCOMPARE(preview(QStringList{QStringLiteral("--item"), QStringLiteral("2"),
                                     QStringLiteral("--png"), path("c.png")} +
                         size)
                     .code,
                 0);
        const QByteArray a = qvxtest::readFile(path("a.png"));
        QCOMPARE(QImage::fromData(a).size(), QSize(200, 150));
        QCOMPARE(qvxtest::readFile(path("b.png")), a);
        QVERIFY(qvxtest::readFile(path("c.png")) != a);
    }

    void refused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<QString>("message");
        const QString failed = QStringLiteral("qvx preview failed: ");
        const QString see = QStringLiteral(" (see qvx preview --help)\n");
        QTest::newRow("SET item") << QStringList{QStringLiteral("--item"), QStringLiteral("1")} << 1
                                  << failed + QStringLiteral(
                                                  "%DOC%: item 1 (\"Count\") is a SET item, not "
                                                  "a POS item\n");
        QTest::newRow("no such item") << QStringList{QStringLiteral("--item"), QStringLiteral("7")}
                                      << 1 << failed + QStringLiteral("%DOC% has no item 7\n");
        QTest::newRow("bad size")
            << QStringList{QStringLiteral("--item"), QStringLiteral("0"), QStringLiteral("--size"),
                           QStringLiteral("9000x10")}
            << 2
            << QStringLiteral("qvx preview: the size \"9000x10\" is not WIDTHxHEIGHT, each from 16 "
                              "to 4096") +
                   see;
        QTest::newRow("bad view")
            << QStringList{QStringLiteral("--item"), QStringLiteral("0"), QStringLiteral("--view"),
                           QStringLiteral("back")}
            << 2
            << QStringLiteral("qvx preview: the view \"back\" is not front, side, top or iso") +
                   see;
        QTest::newRow("faulty mapping")
            << QStringList{QStringLiteral("--item"), QStringLiteral("0"),
                           QStringLiteral("--config"),
                           QStringLiteral("[RobotChannels]\r\nCH2=0,1,0,neck_pitch\r\n")}
            << 1
            << failed + QStringLiteral(
                            "settings file %DIR%/QVX3J.ini, section [RobotChannels], key CH2: "
                            "the sign \"0\" is not 1 or -1\n");
        QTest::newRow("bad model")
            << QStringList{QStringLiteral("--item"), QStringLiteral("0"), QStringLiteral("--model"),
                           QStringLiteral("%DIR%/other.urdf")}
            << 1
            << failed +
                   QStringLiteral("cannot read the robot model %DIR%/other.urdf, line 2: the file "
                                  "holds no <robot> element\n");
    }
    void refused() {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, message);
        QFile::remove(path("out.png"));
        args.replaceInStrings(QStringLiteral("%DIR%"), m_dir.path());
        // --config is the test's own: the settings file's text for this row.
        const qsizetype config = args.indexOf(QStringLiteral("--config"));
        if (config >= 0) {
            QVERIFY(qvxtest::writeFile(path("QVX3J.ini"), args[config + 1].toLatin1()));
            args.remove(config, 2);
        }
        const CliRun run = preview(args << QStringLiteral("--png") << path("out.png"));
        QCOMPARE(run.err, message.replace(QLatin1String("%DOC%"), m_doc)
                              .replace(QLatin1String("%DIR%"), m_dir.path()));
        QCOMPARE(run.code, code);
        QCOMPARE(run.out, QString());
        QVERIFY(!QFile::exists(path("out.png")));
    }

    // A channel mapping that names a joint the model lacks is reported; the
    // other channels still draw.
    // --record draws a record read from the board exactly as the item it was
    // compiled from; what the board cannot give is a failure naming why, and
    // a wrong --record sends nothing.
    void record_drawnAsItsItem_andRefusedWhenNotAPose() {
        QFile::remove(path("QVX3J.ini")); // the mapping a row above left
        qvxtest::SimBoard board;
        QVERIFY2(board.host, qPrintable(board.error));
        const QStringList port{QStringLiteral("--port"), board.port};
        QCOMPARE(qvxtest::runQvx(QStringList{"board", "write", m_doc, "--slot", "0"} + port).code,
                 0);
        board.takeFrames();
        const auto fromBoard = [&](const QString& record, const char* png) {
            qvxtest::CliSetup setup;
            setup.configDir(m_dir.path());
            return qvxtest::runQvx(
                QStringList{"preview", "--record", record, "--png", path(png)} + port, setup);
        };
        CliRun r = fromBoard(QStringLiteral("0:1"), "record.png");
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, QStringLiteral("M1 record 1 drawn to %1\n").arg(path("record.png")));
        QCOMPARE(preview({"--item", "0", "--png", path("item.png")}).code, 0);
        QCOMPARE(qvxtest::readFile(path("record.png")), qvxtest::readFile(path("item.png")));
        // Only reads: the table entry and the record.
        QCOMPARE(board.takeCommands(), QByteArray::fromHex("f5fc"));

        const QString failed = QStringLiteral("qvx preview failed: ");
        const std::pair<const char*, QString> refused[] = {
            {"0:2", failed + "M1 record 2 is no pose (a setting, branch, jump or end)\n"},
            {"0:9", failed + "M1 holds 4 records; there is no record 9\n"},
            {"1:1", failed + "M2 holds no motion\n"},
        };
        for (const auto& [record, message] : refused) {
            r = fromBoard(QLatin1String(record), "none.png");
            QCOMPARE(r.err, message);
            QCOMPARE(r.code, 1);
            QVERIFY(!QFile::exists(path("none.png")));
        }
        board.takeFrames();
        r = fromBoard(QStringLiteral("80:1"), "none.png");
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.startsWith(QStringLiteral("qvx preview: --record must be M:R")));
        QVERIFY(board.takeFrames().isEmpty());
    }

    void mappingWithUnknownJoint_isReportedAndTheRestDrawn() {
        QVERIFY(qvxtest::writeFile(path("QVX3J.ini"),
                                   "[RobotChannels]\r\nCH1=1,0.13,0,tail\r\nCH3=1,0.13,0,"
                                   "r_shoulder_pitch\r\n"));
        const CliRun run = preview({QStringLiteral("--item"), QStringLiteral("0"),
                                    QStringLiteral("--png"), path("m.png")});
        QFile::remove(path("QVX3J.ini"));
        QCOMPARE(run.code, 0);
        QVERIFY(run.err.startsWith(
            QStringLiteral("CH1 drives joint \"tail\", which the robot model ")));
        QVERIFY(QFile::exists(path("m.png")));
    }
};

QVX_TEST_CLASS(CliPreviewTest)
#include "CliPreviewTest.moc"
