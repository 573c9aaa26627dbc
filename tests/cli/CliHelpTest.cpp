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
        const std::map<QString, QStringList> accepted = {
            {"info", {}},
            {"resave", {}},
            {"compile", {}},
            {"hex", {}},
            {"remote", {}},
            {"convert", {"--pattern", "--entries", "--items"}},
            {"sim", {"--link", "--state", "--pace"}},
            {"pose", {"--port", "--item", "--pattern", "--plus", "--minus", "--sync"}},
            {"board",
             {"--port",     "--yes",          "--slot",        "--verify", "--out",
              "--set",      "--reply-at-end", "--transmitter", "--wrx1",   "--start-switch",
              "--power-on", "--alarm",        "--alarm-volts", "--svp",    "--read",
              "--show",     "--copy",         "--save",        "--load",   "--ref",
              "--mix",      "--sensor",       "--auto"}},
        };
        const qvxtest::CliRun top = runQvx({"--help"});
        QCOMPARE(top.code, 0);
        for (const auto& [verb, options] : accepted) {
            QVERIFY2(top.out.contains(QStringLiteral("  ") + verb + QStringLiteral(" ")),
                     qPrintable(verb));
            for (const QString& help : {QStringLiteral("--help"), QStringLiteral("-h")}) {
                const qvxtest::CliRun r = runQvx({verb, help});
                QCOMPARE(r.code, 0);
                QVERIFY2(r.out.startsWith(QStringLiteral("Usage: qvx ") + verb), qPrintable(r.out));
                for (const QString& o : options)
                    QVERIFY2(r.out.contains(o + u' ') || r.out.contains(o + u'\n'),
                             qPrintable(verb + u' ' + o));
            }
            const qvxtest::CliRun bad = runQvx({verb, "--no-such-option", "x"});
            QCOMPARE(bad.code, 2);
            QVERIFY2(bad.err.contains(QStringLiteral("no-such-option")), qPrintable(bad.err));
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
