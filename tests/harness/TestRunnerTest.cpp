#include "common/TestFiles.h"
#include "common/TestRegistry.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

// The test program's own main(): how it chooses classes and functions, what it
// does with Qt Test's options, and that a failed check inside a callback fails
// its test function instead of hanging it. Each case runs this very program
// again in a child process, on the probe classes beside this file.
class TestRunnerTest : public QObject {
    Q_OBJECT
  private:
    struct Run {
        bool finished = false;
        int exitCode = -1;
        QString out, err;
    };

    static Run run(const QStringList& args) {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), args);
        Run r;
        r.finished = p.waitForFinished(60000);
        if (!r.finished) p.kill(), p.waitForFinished();
        r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        r.err = QString::fromUtf8(p.readAllStandardError());
        return r;
    }

    static QStringList lines(const QString& text) { return text.split(u'\n', Qt::SkipEmptyParts); }

  private slots:
    void failedCheckInCallback_failsItsFunctionWithoutHanging() {
        const Run r = run({"-class", "CallbackProbe"});
        QVERIFY2(r.finished, "a failed check in a callback left the test waiting");
        QVERIFY2(
            r.out.contains(
                "FAIL!  : CallbackProbe::answererFails_dialogIsClosed() 'false' returned FALSE. "
                "(check in the answerer)"),
            qPrintable(r.out));
        QVERIFY(r.out.contains("FAIL!  : CallbackProbe::uncheckedAnswererFails_dialogIsClosed()"));
        QVERIFY(r.out.contains("FAIL!  : CallbackProbe::timerCheckFails_whileTheBodyPasses()"));
        QVERIFY(r.out.contains("PASS   : CallbackProbe::callbackChecksPass_functionPasses()"));
        // Both dialogs were closed, so their test functions went on to the end.
        QCOMPARE(r.out.count("returned from the dialog"), 2);
        QCOMPARE(r.exitCode, 3);
    }

    void functions_listsEveryClassByName() {
        const Run all = run({"-functions"});
        QCOMPARE(all.exitCode, 0);
        QVERIFY(lines(all.out).contains("TestRunnerTest::functions_listsEveryClassByName()"));
        QVERIFY2(!all.out.contains("Probe"), qPrintable(all.out)); // on request only
        QVERIFY(!all.out.contains("initTestCase"));

        const Run probes = run({"-functions", "-class", "ProbeA", "-class", "ProbeB"});
        QCOMPARE(probes.exitCode, 0);
        QCOMPARE(lines(probes.out), (QStringList{"ProbeA::shared()", "ProbeA::onlyInA()",
                                                 "ProbeB::shared()", "ProbeB::onlyInB()"}));
        QVERIFY(!probes.out.contains("Start testing"));
    }

    void functionName_runsOnlyTheClassesThatHaveIt() {
        const Run one = run({"-class", "ProbeA", "-class", "ProbeB", "onlyInB"});
        QCOMPARE(one.exitCode, 0);
        QVERIFY(one.out.contains("PASS   : ProbeB::onlyInB(one)"));
        QVERIFY2(!one.out.contains("ProbeA"), qPrintable(one.out));
        QVERIFY(!one.out.contains("ProbeB::shared"));

        const Run both = run({"-class", "ProbeA", "-class", "ProbeB", "shared"});
        QCOMPARE(both.exitCode, 0);
        QVERIFY(both.out.contains("PASS   : ProbeA::shared()"));
        QVERIFY(both.out.contains("PASS   : ProbeB::shared()"));
        QVERIFY(!both.out.contains("onlyIn"));

        // As -functions prints it, and with a class name: that class only, even
        // one that runs on request only.
        const Run scoped = run({"ProbeB::shared()", "ProbeB::onlyInB:one"});
        QCOMPARE(scoped.exitCode, 0);
        QVERIFY(scoped.out.contains("PASS   : ProbeB::shared()"));
        QVERIFY(scoped.out.contains("PASS   : ProbeB::onlyInB(one)"));
        QVERIFY(!scoped.out.contains("ProbeA"));
        QVERIFY(!scoped.out.contains("TestRunnerTest"));
    }

    void unknownFunctionOrClass_failsWithoutRunningAnything() {
        const Run function = run({"-class", "ProbeA", "-class", "ProbeB", "noSuchFunction"});
        QVERIFY(function.exitCode != 0);
        QVERIFY2(function.err.contains("noSuchFunction"), qPrintable(function.err));
        QVERIFY(!function.out.contains("Start testing"));

        const Run wrongClass = run({"ProbeA::onlyInB"});
        QVERIFY(wrongClass.exitCode != 0);
        QVERIFY(wrongClass.err.contains("ProbeA"));
        QVERIFY(!wrongClass.out.contains("Start testing"));

        const Run cls = run({"-class", "NoSuchClass"});
        QVERIFY(cls.exitCode != 0);
        QVERIFY(cls.err.contains("NoSuchClass"));
    }

    void outputFile_holdsEveryClassInItsFormat() {
        QTemporaryDir dir;
        const QString txt = dir.filePath("out.txt");
        const QString junit = dir.filePath("out.xml");
        const Run r = run({"-class", "ProbeA", "-class", "ProbeB", "-v2", "-o", txt + ",txt", "-o",
                           junit + ",junitxml", "shared"});
        QCOMPARE(r.exitCode, 0);
        const QString text = QString::fromUtf8(qvxtest::readFile(txt));
        QVERIFY2(text.contains("Start testing of ProbeA"), qPrintable(text));
        QVERIFY(text.contains("Start testing of ProbeB"));
        QVERIFY(text.contains("INFO   : ProbeB::shared() entering")); // -v2 reached Qt Test

        QXmlStreamReader xml(qvxtest::readFile(junit));
        QStringList suites;
        while (!xml.atEnd())
            if (xml.readNext() == QXmlStreamReader::StartElement &&
                xml.name() == QLatin1String("testsuite"))
                suites << xml.attributes().value("name").toString();
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(suites, (QStringList{"ProbeA", "ProbeB"}));
    }
};

QVX_TEST_CLASS(TestRunnerTest)
#include "TestRunnerTest.moc"
