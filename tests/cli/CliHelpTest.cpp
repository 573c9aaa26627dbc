#include "common/CliRun.h"
#include "common/TestRegistry.h"

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
