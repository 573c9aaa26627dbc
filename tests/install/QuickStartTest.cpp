#include "common/CliRun.h"
#include "common/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList readLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(f.readAll()).split(u'\n');
}

// The lines of the code blocks of one section of a Markdown page, its
// subsections included, up to the next heading of its level. A code block
// is indented by four blanks and follows an empty line (a list item's
// continued lines follow its text).
QStringList codeLines(const QString& path, const QString& heading) {
    const QStringList lines = readLines(path);
    const int level = int(heading.indexOf(u' '));
    QStringList code;
    bool inside = false;
    bool inBlock = false;
    QString previous;
    for (const QString& line : lines) {
        if (line.startsWith(u'#')) {
            const int lineLevel = int(line.indexOf(u' '));
            if (inside && lineLevel <= level) break;
            if (line == heading) inside = true;
        }
        const bool indented = line.startsWith(QStringLiteral("    ")) && !line.trimmed().isEmpty();
        inBlock = indented && (inBlock || previous.trimmed().isEmpty());
        if (inside && inBlock) code << line.trimmed();
        previous = line;
    }
    return code;
}

// What installs software or starts the editor is left to the reader; every
// other command runs here as written.
bool interactive(const QString& command) {
    return command.startsWith(QStringLiteral("./run.sh")) ||
           command.contains(QStringLiteral("sudo ")) ||
           command.startsWith(QStringLiteral("quorvex"));
}

struct Script {
    QString text;
    int commands = 0;
};

// One shell script of the commands, in their order: the installed files are
// the build tree's, the simulator's link lies in DIR, and each command that
// fails stops the script, naming it. A simulator started in the background
// is waited for until its link exists, as a user sees its first line.
Script scriptOf(const QStringList& commands, const QString& dir) {
    Script s;
    s.text = QStringLiteral("set -u\n");
    for (QString c : commands) {
        if (interactive(c)) continue;
        ++s.commands;
        c.replace(QStringLiteral("/usr/share/quorvex/"),
                  QStringLiteral(QVX_BUILD_DIR "/share/quorvex/"));
        c.replace(QStringLiteral("/tmp/qmx"), dir + QStringLiteral("/qmx"));
        const QString quoted = QString(c).replace(u'\'', QStringLiteral("'\\''"));
        if (c.endsWith(u'&')) {
            s.text +=
                c + QStringLiteral(
                        "\nfor i in $(seq 200); do [ -e '%1/qmx' ] && break; sleep 0.05; done\n")
                        .arg(dir);
        } else {
            s.text += c + QStringLiteral(" || { echo 'FAILED: %1' >&2; exit 1; }\n").arg(quoted);
        }
    }
    // The simulator ends (and removes its link) before the script does.
    s.text += QStringLiteral("wait\n");
    return s;
}

struct Ran {
    int code = -1;
    QString out, err;
};

Ran runScript(const QString& script, const QString& home) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("HOME"), home);
    env.remove(QStringLiteral("XDG_CONFIG_HOME"));
    env.remove(QStringLiteral("QVX_CONFIG_DIR"));
    env.insert(QStringLiteral("PATH"), QFileInfo(QStringLiteral(QVX_CLI_PATH)).absolutePath() +
                                           u':' + env.value(QStringLiteral("PATH")));
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(home);
    p.start(QStringLiteral("bash"), {QStringLiteral("-c"), script});
    if (!p.waitForFinished(180000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

// The quick start of the README and of the guide, as a first-time user types
// it: every command that needs no window and no administrator runs, in its
// order, against a simulated board.
class QuickStartTest : public QObject {
    Q_OBJECT

  private slots:
    void quickStart_runsAsWritten_data() {
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("heading");
        QTest::addColumn<int>("atLeast");
        QTest::newRow("README") << QStringLiteral("README.md") << QStringLiteral("## First motion")
                                << 6;
        QTest::newRow("guide") << QStringLiteral("docs/guide.md")
                               << QStringLiteral("## Quick start") << 10;
    }

    void quickStart_runsAsWritten() {
        QFETCH(QString, page);
        QFETCH(QString, heading);
        QFETCH(int, atLeast);
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("home")));
        const QStringList commands = codeLines(QStringLiteral(QVX_SOURCE_DIR "/") + page, heading);
        const Script script = scriptOf(commands, dir.path());
        QVERIFY2(script.commands >= atLeast, qPrintable(commands.join(u'\n')));
        const Ran r = runScript(script.text, dir.filePath(QStringLiteral("home")));
        QVERIFY2(r.code == 0, qPrintable(r.err + r.out));
        // The motion written to M1 is what the table lists first.
        QVERIFY2(r.out.contains(QRegularExpression(QStringLiteral("^M1\\b.*Wave hello"),
                                                   QRegularExpression::MultilineOption)),
                 qPrintable(r.out));
        // The simulator was stopped by the quick start itself.
        QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("qmx"))));
    }

    // The guide's example of a pattern file reads as the editor reads it: its
    // conversion pattern applied to the wave's raised arm gives the left arm
    // the right arm's values.
    void guidePatternExample_convertsAsDescribed() {
        QTemporaryDir dir;
        const QStringList block = codeLines(QStringLiteral(QVX_SOURCE_DIR "/docs/guide.md"),
                                            QStringLiteral("## The pattern file"));
        QVERIFY(!block.isEmpty());
        QFile pattern(dir.filePath(QStringLiteral("PATTERN.ini")));
        QVERIFY(pattern.open(QIODevice::WriteOnly));
        pattern.write(block.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
        pattern.close();
        const QString out = dir.filePath(QStringLiteral("out.QMX"));
        const qvxtest::CliRun r =
            qvxtest::runQvx({"convert", QVX_SOURCE_DIR "/share/examples/wave.QMX", out, "--pattern",
                             "Right arm to left", "--items", "1"},
                            qvxtest::CliSetup().configDir(dir.path()));
        QVERIFY2(r.code == 0, qPrintable(r.err));
        QString prm;
        bool item1 = false;
        for (const QString& line : readLines(out)) {
            if (line.startsWith(u'[')) item1 = line.trimmed() == QLatin1String("[Item1]");
            if (item1 && line.startsWith(QStringLiteral("Prm="))) prm = line.mid(4).trimmed();
        }
        const QStringList v = prm.split(u',');
        QCOMPARE(v.size(), 25);
        QCOMPARE(v.mid(8, 5), v.mid(3, 5));
        QVERIFY(v[4] != QLatin1String("16384")); // the raised arm moved something
    }
};

QVX_TEST_CLASS(QuickStartTest)
#include "QuickStartTest.moc"
