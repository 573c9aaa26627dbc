#include "common/CliRun.h"
#include "common/TestRegistry.h"

#include <QDir>
#include <QTest>

using qvxtest::runQvx;

// qvx --help, --version and every verb's --help, with the options each verb
// accepts, and unknown options refused with exit 2.
class CliHelpTest : public QObject {
    Q_OBJECT

  private slots:
    void everyVerbsHelp_namesEveryOptionItAccepts() {
        // What the verbs read from their arguments.
        const QStringList port{"--port"}, board{"--port", "--yes"};
        const std::map<QString, QStringList> accepted = {
            {"info", {}},
            {"resave", {}},
            {"arrange", {"--grid"}},
            {"compile", {}},
            {"hex", {}},
            {"remote", {}},
            {"convert", {"--pattern", "--entries", "--items"}},
            {"sim", {"--link", "--state", "--fresh", "--pace"}},
            {"pose send", {"--port", "--item"}},
            {"pose home", {"--port", "--item"}},
            {"pose sleep", port},
            {"pose teach", {"--port", "--item", "--pattern"}},
            {"pose link", {"--port", "--item", "--pattern", "--plus", "--minus", "--sync"}},
            {"board table", board},
            {"board write", board + QStringList{"--slot", "--verify"}},
            {"board read", board + QStringList{"--out"}},
            {"board diff", board + QStringList{"--slot"}},
            {"board delete", board},
            {"board names", board + QStringList{"--set"}},
            {"board options",
             board + QStringList{"--reply-at-end", "--transmitter", "--wrx1", "--start-switch",
                                 "--power-on", "--alarm", "--alarm-volts", "--svp"}},
            {"board servos", board + QStringList{"--read", "--show", "--copy", "--set"}},
            {"board trim", board + QStringList{"--save", "--load", "--set"}},
            {"board analog", board + QStringList{"--ref", "--mix", "--sensor", "--auto"}},
            {"board receiver", board + QStringList{"--ref", "--auto"}},
        };
        const qvxtest::CliRun top = runQvx({"--help"});
        QCOMPARE(top.code, 0);
        for (const auto& [verb, options] : accepted) {
            const QStringList words = verb.split(u' ');
            QVERIFY2(top.out.contains(QStringLiteral("  ") + words[0] + QStringLiteral(" ")),
                     qPrintable(verb));
            for (const QString& help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
                const qvxtest::CliRun r = runQvx(words + QStringList{help});
                QCOMPARE(r.code, 0);
                QVERIFY2(r.out.startsWith(QStringLiteral("Usage: qvx ") + words[0]),
                         qPrintable(r.out));
                // Each verb describes its own options only.
                QCOMPARE(r.out.count(QStringLiteral("\n  --")), options.size());
                for (const QString& o : options)
                    QVERIFY2(r.out.contains(o + u' ') || r.out.contains(o + u'\n'),
                             qPrintable(verb + u' ' + o));
                for (const QString& line : r.out.split(u'\n'))
                    QVERIFY2(line.size() <= 80, qPrintable(line));
            }
            const qvxtest::CliRun bad = runQvx(words + QStringList{"--no-such-option", "x"});
            QCOMPARE(bad.code, 2);
            QCOMPARE(bad.err, QStringLiteral("qvx %1: unknown option --no-such-option (see qvx %1 "
                                             "--help)\n")
                                  .arg(verb));
        }
    }

    // In Japanese every help keeps to 80 terminal columns (a CJK character
    // takes two), messages are Japanese, and what scripts read is the same as
    // in English.
    void japanese_helpFitsAndListingsStay() {
        qvxtest::CliSetup ja, c;
        ja.env.insert(QStringLiteral("LC_ALL"), QStringLiteral("ja_JP.UTF-8"));
        c.env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        const auto columns = [](const QString& line) {
            int width = 0;
            for (const char32_t u : line.toStdU32String())
                width += u >= 0x1100 && !(u >= 0xFF61 && u <= 0xFFDC) ? 2 : 1;
            return width;
        };
        const QList<QStringList> helps{{"--help"},
                                       {"board", "--help"},
                                       {"check", "--help"},
                                       {"timeline", "--help"},
                                       {"board", "--port", "x", "analog", "--help"},
                                       {"pose", "--port", "x", "teach", "--help"}};
        for (const QStringList& args : helps) {
            const qvxtest::CliRun r = runQvx(args, ja);
            QCOMPARE(r.code, 0);
            QVERIFY2(r.out.startsWith(QStringLiteral("使い方: qvx ")), qPrintable(r.out));
            for (const QString& line : r.out.split(u'\n'))
                QVERIFY2(columns(line) <= 80, qPrintable(line));
        }
        QCOMPARE(
            runQvx({"board", "write", "x.QMX"}, ja).err,
            QStringLiteral("qvx board write: --port が必要です (qvx board write --help を参照)\n"));
        const QString wave = QDir::cleanPath(
            QStringLiteral(QVX_TEST_DATA_DIR "/../../../docs/screenshots/wave.QMX"));
        for (const QStringList& listing :
             QList<QStringList>{{"info", wave}, {"hex", wave}, {"check", wave, "--model", ""}}) {
            const qvxtest::CliRun inJapanese = runQvx(listing, ja), inEnglish = runQvx(listing, c);
            QVERIFY(!inEnglish.out.isEmpty());
            QCOMPARE(inJapanese.out, inEnglish.out);
        }
    }

    void toolOptions_versionAndRefusals() {
        const qvxtest::CliRun v = runQvx({"--version"});
        QCOMPARE(v.code, 0);
        QVERIFY(v.out.startsWith(QStringLiteral("qvx 3.")));
        QCOMPARE(runQvx({"--bogus"}).code, 2);
        QCOMPARE(runQvx({}).code, 2);
        QCOMPARE(runQvx({"nothing"}).code, 2);
        // A negative number is a value, not an option: the remote verb gets it
        // (and fails only because no editor listens).
        const qvxtest::CliRun r = runQvx({"remote", "message", "0", "-1"});
        QCOMPARE(r.code, 1);
    }
};

QVX_TEST_CLASS(CliHelpTest)
#include "CliHelpTest.moc"
