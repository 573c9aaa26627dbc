#include "base/CommaList.h"
#include "base/Cp932.h"
#include "common/CliRun.h"
#include "common/SimBoard.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "document/DocumentFile.h"
#include "document/IniFile.h"
#include "flows/FlowFixture.h"
#include "pose/PatternFile.h"
#include "pose/PoseData.h"

#include <QDir>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

using namespace qvx;

namespace {

using Words = BigEndian::Words;

using Run = qvxtest::CliRun;

Words words(std::initializer_list<quint16> first, quint16 rest) {
    Words w;
    w.fill(rest);
    size_t k = 0;
    for (quint16 v : first)
        w[k++] = v;
    return w;
}

// The document the tests work on: two POS items around a SET item.
//   Item0 "Stand": positions inside and outside the editor's range, the teach
//                  code, an output, FREE, an unused channel, an SP value and a
//                  jump code.
//   Item1 "Count": a SET item.
//   Item2 "Arms":  servo positions with one FREE channel (CH5).
Chart sampleChart() {
    qvxtest::ChartMaker m;
    const int stand = m.item(QStringLiteral("Stand"), KindPos, 40);
    m.chart.items[size_t(stand)].values = words({16500, 20000, 100, Pose::kTeach, Pose::kOutputHigh,
                                                 Pose::kFree, 0, Pose::kSpBase + 5, 0x8107 + 3},
                                                Pose::kNeutral);
    const int count = m.item(QStringLiteral("Count"), KindSet, 1, 0);
    m.chart.items[size_t(count)].values[0] = 0x8207 + 3;
    const int arms = m.item(QStringLiteral("Arms"), KindPos, 30);
    m.chart.items[size_t(arms)].values =
        words({16384, 16384, 16000, 16800, Pose::kFree, 16200}, Pose::kNeutral);
    m.next(stand, count);
    m.next(count, arms);
    return m.chart;
}

// What the pose window sends for "Stand": positions clamped to the editor's
// range, words it shows as NONE (the teach code, the jump code) as 0.
const Words kStandSent = words({16500, Pose::kBarMax, Pose::kBarMin, 0, Pose::kOutputHigh,
                                Pose::kFree, 0, Pose::kSpBase + 5, 0},
                               Pose::kNeutral);

// A simulated board behind a pseudo-terminal, a document and a settings
// folder in a temporary directory, and qvx run against them.
struct PoseCli : qvxtest::SimBoard {
    QString doc = dir.filePath(QStringLiteral("poses.qmx"));
    qvxtest::RecordingServices services;

    void clearFrames() { takeFrames(); }
    int frameCount() { return int(frames().size()); }
    MotionRecord live() {
        return sim([](BoardSimulator& s) { return s.working().livePose; });
    }
    quint16 option() {
        return sim([](BoardSimulator& s) { return s.working().option; });
    }

    // Runs qvx with the arguments as given. With a file size limit, the files
    // qvx writes cannot grow past it (a save that must fail, even for root).
    Run qvx(const QStringList& args, rlim_t fileLimit = 0) {
        qvxtest::CliSetup setup;
        setup.configDir(dir.filePath(QStringLiteral("config")));
        if (fileLimit > 0)
            setup.inChild = [fileLimit] {
                std::signal(SIGXFSZ, SIG_IGN);
                rlimit limit{fileLimit, fileLimit};
                setrlimit(RLIMIT_FSIZE, &limit);
            };
        return qvxtest::runQvx(args, setup);
    }
    // qvx pose --port PORT ARGS
    Run pose(const QStringList& args, rlim_t fileLimit = 0) {
        return qvx(QStringList{QStringLiteral("pose"), QStringLiteral("--port"), port} + args,
                   fileLimit);
    }

    // The document's header and canvas (smaller in height than the editor's
    // smallest canvas) must come back from every save unchanged.
    static constexpr QSize kCanvas{800, 300};
    static QString name() { return QStringLiteral("Poses"); }

    bool writeDocument(const Chart& chart) {
        Chart c = chart;
        MotionHeader header;
        header.MotionName = name();
        header.MotionPort = 0x00ABCD;
        DocumentContext ctx{c, header, services};
        ctx.canvas = kCanvas;
        return DocumentFile::SaveDocument(ctx, doc, false);
    }
    // Reads the document, checking the parts no pose operation changes.
    Chart readDocument() {
        Chart c;
        MotionHeader header;
        DocumentContext ctx{c, header, services};
        if (!DocumentFile::LoadDocument(ctx, doc)) return {};
        if (header.MotionName != name() || header.MotionPort != 0x00ABCD ||
            ctx.loadedCanvas != kCanvas) {
            qWarning() << "the document's header or canvas changed:" << header.MotionName
                       << header.MotionPort << ctx.loadedCanvas;
            return {};
        }
        return c;
    }
    QByteArray docBytes() const { return qvxtest::readFile(doc); }

    // PATTERN.ini in the settings folder, written as the pattern editor does.
    bool writeLinkPatterns(const QList<QPair<QString, QStringList>>& patterns) {
        QDir().mkpath(dir.filePath(QStringLiteral("config")));
        IniFile ini(PatternFile::PathIn(dir.filePath(QStringLiteral("config"))));
        QStringList names;
        for (const auto& [name, actions] : patterns) {
            names << name;
            QStringList quoted;
            for (const QString& a : actions)
                quoted << u'"' + a + u'"';
            ini.writeString(QStringLiteral("NewLinkList"), name, quoted.join(u','));
        }
        ini.writeString(QStringLiteral("NewLink"), QStringLiteral("NewLinkList"),
                        CommaList::join(names));
        return ini.save();
    }
};

// The document after a run equals the one before except for item n, which
// holds the given speed and words; links and header unchanged.
void checkOnlyItemChanged(const Chart& before, const Chart& after, int n, quint8 lead,
                          const Words& values) {
    QVERIFY(before.itemCount() > 0);
    QCOMPARE(after.itemCount(), before.itemCount());
    for (int i = 0; i < before.itemCount(); ++i) {
        const Item& b = before.items[size_t(i)];
        const Item& a = after.items[size_t(i)];
        QCOMPARE(a.name, b.name);
        QCOMPARE(a.kind, b.kind);
        QCOMPARE(QPoint(a.left, a.top), QPoint(b.left, b.top));
        QCOMPARE(a.lead, i == n ? lead : b.lead);
        QCOMPARE(a.values, i == n ? values : b.values);
    }
    QCOMPARE(after.linkCount(), before.linkCount());
    for (int i = 0; i < before.linkCount(); ++i) {
        QCOMPARE(after.links[size_t(i)].origin, before.links[size_t(i)].origin);
        QCOMPARE(after.links[size_t(i)].final, before.links[size_t(i)].final);
    }
    QCOMPARE(after.startItem, before.startItem);
}

} // namespace

// qvx pose against a simulated board behind a pseudo-terminal: what the board
// holds afterwards, what the document holds, and the exit status.
class CliPoseTest : public QObject {
    Q_OBJECT
  private slots:
    void sendAndSethome_carryTheShownPoseAndLeaveTheDocument() {
        PoseCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        QVERIFY(cli.writeDocument(sampleChart()));
        const QByteArray original = cli.docBytes();

        Run r = cli.pose({"send", cli.doc, "--item", "0"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(QStringLiteral("Stand")));
        MotionRecord live = cli.live();
        QCOMPARE(live.lead, quint8(40));
        QCOMPARE(live.words, kStandSent);

        // The home position takes the 24 shown words; the speed is no part of it.
        const Words before = cli.sim([](BoardSimulator& s) { return s.stored().home; });
        QVERIFY(before != kStandSent);
        r = cli.pose({"sethome", cli.doc, "--item", "0"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(cli.sim([](BoardSimulator& s) { return s.stored().home; }), kStandSent);

        // Neither changes the item, so the file is not written.
        QCOMPARE(cli.docBytes(), original);
    }

    void get_itemTakesTheLivePoseKeepingItsSpeed() {
        PoseCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        QVERIFY(cli.writeDocument(sampleChart()));
        const Chart before = cli.readDocument();
        Words pose;
        for (size_t k = 0; k < pose.size(); ++k)
            pose[k] = quint16(15800 + 40 * k);
        pose[6] = Pose::kOutputLow;
        cli.sim([&](BoardSimulator& s) {
            s.working().livePose.lead = 7;
            s.working().livePose.words = pose;
        });

        Run r = cli.pose({"get", cli.doc, "--item", "2"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(QStringLiteral("took the live pose")));
        checkOnlyItemChanged(before, cli.readDocument(), 2, 30, pose);

        // Taking the same pose again changes nothing, and the file is left alone.
        QVERIFY(qvxtest::writeFile(cli.doc, cli.docBytes() + "; kept\r\n"));
        const QByteArray marked = cli.docBytes();
        r = cli.pose({"get", cli.doc, "--item", "2"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(QStringLiteral("already held")));
        QCOMPARE(cli.docBytes(), marked);
    }

    void sleepAndHome_wakeTheBoardAndLoadTheItemOnlyWithADocument() {
        PoseCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        QVERIFY(cli.writeDocument(sampleChart()));
        const Chart before = cli.readDocument();
        const QByteArray original = cli.docBytes();
        Words home;
        for (size_t k = 0; k < home.size(); ++k)
            home[k] = quint16(16100 + 10 * k);
        cli.sim([&](BoardSimulator& s) { s.stored().home = home; });

        Run r = cli.pose({"sleep"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(r.out.trimmed(), QStringLiteral("Sleep"));
        QVERIFY(cli.option() & BoardCommands::kOptSleep);
        r = cli.pose({"sleep"});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out.trimmed(), QStringLiteral("RUN"));
        QCOMPARE(cli.option() & BoardCommands::kOptSleep, 0);

        // The main window's button: asleep and paused before, home and awake after.
        QCOMPARE(cli.pose({"sleep"}).code, 0);
        cli.sim([](BoardSimulator& s) { s.working().option |= BoardCommands::kOptPause; });
        r = cli.pose({"home"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(cli.option() & (BoardCommands::kOptSleep | BoardCommands::kOptPause), 0);
        QCOMPARE(cli.live().lead, Pose::kHomeSpeed);
        QCOMPARE(cli.live().words, home);
        QCOMPARE(cli.docBytes(), original);

        // The pose window's button also loads the home pose into the item at speed 100.
        cli.sim([](BoardSimulator& s) { s.working().livePose = MotionRecord{}; });
        r = cli.pose({"home", cli.doc, "--item", "0"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(cli.live().words, home);
        QCOMPARE(cli.option() & BoardCommands::kOptSleep, 0);
        checkOnlyItemChanged(before, cli.readDocument(), 0, Pose::kHomeSpeed, home);
    }

    void teachTwice_releasesThenStoresTheAnglesMovedByHand() {
        PoseCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        QVERIFY(cli.writeDocument(sampleChart()));
        const Chart before = cli.readDocument();
        // TCH on CH3 and CH4; a lower-case "tch" on CH6 makes no teach channel.
        QStringList teach(Pose::kChannels), other(Pose::kChannels);
        teach[2] = teach[3] = QStringLiteral("TCH");
        teach[5] = QStringLiteral("tch");
        other[0] = QStringLiteral("TCH");
        QVERIFY(cli.writeLinkPatterns(
            {{QStringLiteral("Other"), other}, {QStringLiteral("Arm teach"), teach}}));
        const QStringList args{"teach", cli.doc, "--item", "2", "--pattern", "Arm teach"};

        // First press: CH3 and CH4 go limp on the robot and are FREE in the document.
        Run r = cli.pose(args);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(QStringLiteral("released CH3 CH4")));
        const Words released =
            words({16384, 16384, Pose::kFree, Pose::kFree, Pose::kFree, 16200}, Pose::kNeutral);
        QCOMPARE(cli.live().lead, quint8(30));
        QCOMPARE(cli.live().words, released);
        checkOnlyItemChanged(before, cli.readDocument(), 2, 30, released);

        // The user moves the released servos (and the one that was FREE already).
        cli.sim([](BoardSimulator& s) {
            s.setPresentPosition(2, 15800);
            s.setPresentPosition(3, 17000);
            s.setPresentPosition(4, 16900);
        });

        // Second press: the teach channels go to the board as the teach code,
        // and every FREE channel takes its measured angle.
        r = cli.pose(args);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(QStringLiteral("took the angles of CH3 CH4 CH5")));
        QCOMPARE(cli.live().lead, quint8(1));
        QCOMPARE(
            cli.live().words,
            words({16384, 16384, Pose::kTeach, Pose::kTeach, Pose::kFree, 16200}, Pose::kNeutral));
        checkOnlyItemChanged(before, cli.readDocument(), 2, 30,
                             words({16384, 16384, 15800, 17000, 16900, 16200}, Pose::kNeutral));
    }

    void link_stepsTheItem_sendingOnlyWithSync() {
        PoseCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        QVERIFY(cli.writeDocument(sampleChart()));
        const Chart before = cli.readDocument();
        QStringList actions(Pose::kChannels);
        actions[2] = QStringLiteral("MOV(10)");
        actions[3] = QStringLiteral("MOV(-10)");
        actions[4] = QStringLiteral("MOV(10)"); // FREE: not moved
        actions[6] = QStringLiteral("SET(2)");
        QStringList broken = actions;
        broken[8] = QStringLiteral("PRM(x)");
        QVERIFY(cli.writeLinkPatterns({{QStringLiteral("Arms"), actions}, {QStringLiteral("Broken"), broken},
                                       {QStringLiteral("Short"), QStringList(3)}}));
        const QStringList args{"link", cli.doc, "--item", "2", "--pattern", "Arms"};

        // Without --sync the document changes and the board hears nothing.
        cli.clearFrames();
        Run r = cli.pose(args + QStringList{"--plus"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QCOMPARE(cli.frameCount(), 0);
        Words stepped = words({16384, 16384, 16010, 16790, Pose::kFree, 16200, Pose::kSet2}, Pose::kNeutral);
        checkOnlyItemChanged(before, cli.readDocument(), 2, 30, stepped);

        // With --sync the step goes to the robot at speed 1 first.
        r = cli.pose(args + QStringList{"--minus", "--sync"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        stepped = words({16384, 16384, 16000, 16800, Pose::kFree, 16200, Pose::kSet2}, Pose::kNeutral);
        QCOMPARE(cli.live().lead, quint8(1));
        QCOMPARE(cli.live().words, stepped);
        checkOnlyItemChanged(before, cli.readDocument(), 2, 30, stepped);

        // A board that does not answer: the item stays, the file is not written.
        const QByteArray saved = cli.docBytes();
        cli.sim([](BoardSimulator& s) { s.setSilent(true); });
        QCOMPARE(cli.pose(args + QStringList{"--plus", "--sync"}).code, 1);
        QCOMPARE(cli.docBytes(), saved);
        cli.sim([](BoardSimulator& s) { s.setSilent(false); });

        // Patterns that cannot be used are refused whole.
        for (const char* pattern : {"Broken", "Short"}) {
            r = cli.pose({"link", cli.doc, "--item", "2", "--pattern", pattern, "--plus"});
            QCOMPARE(r.code, 1);
            QVERIFY2(r.err.contains(QString::fromLatin1(pattern)), qPrintable(r.err));
            QCOMPARE(cli.docBytes(), saved);
        }
        QCOMPARE(cli.pose(args).code, 2); // no direction
        QCOMPARE(cli.pose(args + QStringList{"--plus", "--minus"}).code, 2);
    }

    void boardNames_printed_andSetAsTheNamesDialogDoes() {
        PoseCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        cli.sim([](BoardSimulator& s) { s.stored().channelNames[1] = QByteArray("Elbow").leftJustified(32, '\0'); });
        const QStringList names{"board", "--port", cli.port, "names"};
        Run r = cli.qvx(names);
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QVERIFY(r.out.contains(QStringLiteral("CH2\tElbow\n")));

        // The settings folder names CH3; the file names CH1 and leaves CH2 and CH3 empty.
        const QString config = cli.dir.filePath(QStringLiteral("config"));
        QDir().mkpath(config);
        IniFile settings(config + QStringLiteral("/QVX3J.ini"));
        settings.writeString(QStringLiteral("QVX3"), QStringLiteral("CH3"), QStringLiteral("1,0,48,-2147483633,0,1,Knee"));
        QVERIFY(settings.save());
        const QString list = cli.dir.filePath(QStringLiteral("names.txt"));
        QVERIFY(qvxtest::writeFile(list, QStringLiteral("右肩 R\r\n\n\n").toUtf8()));
        r = cli.qvx(names + QStringList{"--set", list});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const auto stored = cli.sim([](BoardSimulator& s) { return s.stored().channelNames; });
        QCOMPARE(stored[0], Cp932::encode(QStringLiteral("右肩 R")).leftJustified(32, '\0'));
        QCOMPARE(stored[1], QByteArray("CH2").leftJustified(32, '\0'));
        QCOMPARE(stored[2], QByteArray("Knee").leftJustified(32, '\0'));
        QVERIFY(settings.load());
        QVERIFY(settings.readString(QStringLiteral("QVX3"), QStringLiteral("CH1"), {}).endsWith(QStringLiteral("\"右肩 R\"")));

        // A failed write stops there and says so.
        cli.sim([](BoardSimulator& s) { s.setSilent(true); });
        r = cli.qvx(names + QStringList{"--set", list});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("CH1")), qPrintable(r.err));
        cli.sim([](BoardSimulator& s) { s.setSilent(false); });
        QVERIFY(qvxtest::writeFile(list, QByteArray("x\n").repeated(25)));
        QCOMPARE(cli.qvx(names + QStringList{"--set", list}).code, 2);
        QCOMPARE(cli.qvx({"board", "--port", cli.port, "table", "--set", list}).code, 2);
    }

    void boardNames_aNameThatCannotBeRead_failsAndWritesNothing() {
        PoseCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        const QString list = cli.dir.filePath(QStringLiteral("names.txt"));
        QVERIFY(qvxtest::writeFile(list, "Hip\n"));
        const QStringList names{"board", "--port", cli.port, "names"};
        for (const QStringList& args : {names + QStringList{"--set", list}, names}) {
            cli.clearFrames();
            // The answer to CH4's name has a wrong checksum.
            cli.sim(
                [](BoardSimulator& s) { s.injectFault(BoardSimulator::Fault::BadChecksum, 1, 3); });
            const Run r = cli.qvx(args);
            QCOMPARE(r.code, 1);
            QCOMPARE(r.err,
                     QStringLiteral("qvx board names failed: reading the name of CH4 failed: "
                                    "the board's answer had a wrong checksum%1\n")
                         .arg(args.contains("--set") ? "; nothing was written" : ""));
            QCOMPARE(r.out, QString());
            // Four names asked for, none written, the settings file untouched.
            const QByteArray commands = cli.sim([](BoardSimulator& s) {
                QByteArray c;
                for (const QByteArray& f : s.frames)
                    c += f[0];
                return c;
            });
            QCOMPARE(commands, QByteArray(4, char(0xD0)));
            QVERIFY(!QFile::exists(cli.dir.filePath(QStringLiteral("config/QVX3J.ini"))));
        }
    }

    void usageErrors_exitTwoBeforeAnythingGoesToTheBoard_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("message");
        const QString doc = QStringLiteral("DOC");
        QTest::newRow("unknown verb")
            << QStringList{"jump"} << "qvx pose: no action jump (see qvx pose --help)\n";
        QTest::newRow("no item") << QStringList{"send", doc} << "qvx pose send: --item is required";
        QTest::newRow("item not a number")
            << QStringList{"get", doc, "--item", "x"} << "not a number";
        QTest::newRow("item past the end")
            << QStringList{"send", doc, "--item", "3"} << "has no item 3";
        QTest::newRow("negative item")
            << QStringList{"send", doc, "--item", "-1"} << "has no item -1";
        QTest::newRow("SET item") << QStringList{"get", doc, "--item", "1"} << "is a SET item";
        QTest::newRow("file without item")
            << QStringList{"home", doc} << "qvx pose home: --item is required";
        QTest::newRow("file for sleep")
            << QStringList{"sleep", doc, "--item", "0"} << "qvx pose sleep: unknown option --item";
        QTest::newRow("teach without pattern")
            << QStringList{"teach", doc, "--item", "2"} << "qvx pose teach: --pattern is required";
        QTest::newRow("pattern for send")
            << QStringList{"send", doc, "--item", "0", "--pattern", "Arms"}
            << "qvx pose send: unknown option --pattern (see qvx pose send --help)\n";
        QTest::newRow("unknown pattern")
            << QStringList{"teach", doc, "--item", "2", "--pattern", "Legs"}
            << "no link pattern \"Legs\"";
        QTest::newRow("pose table")
            << QStringList{"send", "TABLE", "--item", "0"} << "is a pose table";
    }
    void usageErrors_exitTwoBeforeAnythingGoesToTheBoard() {
        QFETCH(QStringList, args);
        QFETCH(QString, message);
        PoseCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        QVERIFY(cli.writeDocument(sampleChart()));
        QVERIFY(cli.writeLinkPatterns({{QStringLiteral("Arms"), QStringList(Pose::kChannels)}}));
        const QString table = cli.dir.filePath(QStringLiteral("poses.csv"));
        QStringList head{"NO", "NAME", "SPEED"}, row{"1", "p", "3"};
        for (int k = 1; k <= Pose::kChannels; ++k)
            head << QStringLiteral("CH%1").arg(k), row << "0";
        QVERIFY(qvxtest::writeFile(
            table, (head.join(u',') + "\r\n" + row.join(u',') + "\r\n").toLatin1()));
        args.replaceInStrings(QStringLiteral("DOC"), cli.doc);
        args.replaceInStrings(QStringLiteral("TABLE"), table);
        const QByteArray original = cli.docBytes(), originalTable = qvxtest::readFile(table);
        cli.clearFrames();

        const Run r = cli.pose(args);
        QCOMPARE(r.code, 2);
        QVERIFY2(r.err.contains(message), qPrintable(r.err));
        QCOMPARE(cli.frameCount(), 0);
        QCOMPARE(cli.docBytes(), original);
        QCOMPARE(qvxtest::readFile(table), originalTable);
        // Without a port nothing is tried at all.
        QCOMPARE(cli.qvx(QStringList{"pose"} + args).code, 2);
    }

    void failures_exitOneAndSaveOnlyWhatTheFlowHadChanged() {
        PoseCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        QVERIFY(cli.writeDocument(sampleChart()));
        const Chart before = cli.readDocument();
        const QByteArray original = cli.docBytes();
        cli.sim([](BoardSimulator& s) { s.working().livePose.words.fill(16000); });

        // A port that is not there.
        Run r =
            cli.qvx({"pose", "--port", cli.dir.filePath("none"), "get", cli.doc, "--item", "2"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("does not exist")), qPrintable(r.err));
        QCOMPARE(cli.docBytes(), original);

        // The live pose cannot be read: the item keeps its pose and the file is not written.
        cli.sim([](BoardSimulator& s) { s.injectFault(BoardSimulator::Fault::BadAck); });
        r = cli.pose({"get", cli.doc, "--item", "2"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.endsWith(QStringLiteral(
                     "qvx pose get failed: the board's answer had a wrong checksum\n")),
                 qPrintable(r.err));
        QCOMPARE(cli.docBytes(), original);

        // The item changed but the file cannot be written: a failure, and the old file stays.
        // (The limit leaves room for the serial port's small lock file.)
        QVERIFY(original.size() > 512);
        r = cli.pose({"get", cli.doc, "--item", "2"}, rlim_t(original.size() - 1));
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("It can't be kept in the designated place")),
                 qPrintable(r.err));
        QCOMPARE(cli.docBytes(), original);

        // The last answer of the home sequence fails after the item took the
        // home pose: the item is saved; the sequence ends there, the robot
        // asleep, and the failure says so.
        cli.clearFrames();
        QCOMPARE(cli.pose({"home"}).code, 0);
        const int answers = cli.frameCount();
        const Words home = cli.sim([](BoardSimulator& s) { return s.stored().home; });
        // The fault hits the reading of the option word for bit 1 (the wake
        // reads and writes it as well, after it).
        cli.sim([&](BoardSimulator& s) {
            s.injectFault(BoardSimulator::Fault::BadAck, 1, answers - 4);
        });
        r = cli.pose({"home", cli.doc, "--item", "0"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.endsWith(QStringLiteral("qvx pose home failed: the board's answer had a "
                                               "wrong checksum. ") +
                                BoardCommands::LeftAsleepText() + " (item 0 had changed; saved " +
                                cli.doc + ")\n"),
                 qPrintable(r.err));
        QVERIFY(cli.option() & BoardCommands::kOptSleep);
        checkOnlyItemChanged(before, cli.readDocument(), 0, Pose::kHomeSpeed, home);
        // The same when the last step, the wake, fails.
        cli.sim([&](BoardSimulator& s) {
            s.injectFault(BoardSimulator::Fault::BadAck, 1, answers - 2);
        });
        r = cli.pose({"home"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.endsWith(QStringLiteral("qvx pose home failed: The robot could not be "
                                               "woken: the board's answer had a wrong checksum. ") +
                                BoardCommands::LeftAsleepText() + "\n"),
                 qPrintable(r.err));
        QVERIFY(cli.option() & BoardCommands::kOptSleep);

        // A document that reads only in part is not worked on (saving it would lose the rest).
        const QByteArray whole = cli.docBytes();
        QVERIFY(qvxtest::writeFile(cli.doc, whole.left(whole.indexOf("[Item2]")) +
                                                "[Item2]\r\nType=0\r\nPrm=30,1,2\r\n"));
        const QByteArray broken = cli.docBytes();
        cli.clearFrames();
        r = cli.pose({"home", cli.doc, "--item", "0"});
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(QStringLiteral("not read completely")), qPrintable(r.err));
        QCOMPARE(cli.frameCount(), 0);
        QCOMPARE(cli.docBytes(), broken);
    }
};

QVX_TEST_CLASS(CliPoseTest)
#include "CliPoseTest.moc"
