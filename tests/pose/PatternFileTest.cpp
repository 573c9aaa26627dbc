#include "pose/PatternFile.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "document/Cp932.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace qvx;
using Kind = PatternFile::Kind;

namespace {

// A pattern's elements the way the pattern editor stores them: every element
// in double quotes, separated by commas.
QString quotedList(const QStringList& elements) {
    QStringList quoted;
    for (const QString& e : elements)
        quoted << u'"' + e + u'"';
    return quoted.join(u',');
}

QStringList entriesOf(const PatternFile::Pattern& p) {
    return QStringList(p.entries.begin(), p.entries.end());
}

// 24 actions with something on a few channels and empty elements between.
QStringList walkActions() {
    QStringList a(Pose::kChannels);
    a[0] = QStringLiteral("MOV(10)");
    a[1] = QStringLiteral("MOV(-10)");
    a[2] = QStringLiteral("TCH");
    a[5] = QStringLiteral("mov ( -10 )"); // blanks inside a quoted element stay
    a[7] = QStringLiteral("TTL(H)");
    a[23] = QStringLiteral("FREE");
    return a;
}

} // namespace

// Reading "PATTERN.ini": name lists, the 24 quoted entries of a pattern, and
// the file on disk in the program's code page.
class PatternFileTest : public QObject {
    Q_OBJECT
  private slots:
    void linkPatterns_namesAndQuotedEntriesReadBack() {
        const QStringList walk = walkActions();
        QStringList arms(Pose::kChannels);
        arms[0] = QStringLiteral("a, b"); // a comma inside quotes is part of the entry
        arms[3] = QStringLiteral("PRM(700)");
        PatternFile f;
        f.parse(QStringLiteral("[NewLink]\r\n"
                               "NewLinkList=Walk,\"Left arm\",\" padded\"\r\n"
                               "[NewLinkList]\r\n"
                               "Walk=%1\r\n"
                               "Left arm=%2\r\n"
                               " padded =%3\r\n")
                    .arg(quotedList(walk), quotedList(arms), quotedList(walk)));

        QCOMPARE(f.linkNames(), (QStringList{"Walk", "Left arm", " padded"}));
        const auto w = f.linkPattern(QStringLiteral("Walk"));
        QVERIFY(w);
        QCOMPARE(entriesOf(*w), walk);
        QCOMPARE(w->stored, Pose::kChannels);
        QVERIFY(w->complete());
        const auto a = f.linkPattern(QStringLiteral("Left arm"));
        QVERIFY(a);
        QCOMPARE(entriesOf(*a), arms);
        // The file's keys lose their surrounding blanks; the listed name still finds its key.
        const auto p = f.linkPattern(QStringLiteral(" padded"));
        QVERIFY(p);
        QCOMPARE(entriesOf(*p), walk);

        // Names are taken as listed: another case or a part of a name is no pattern.
        QVERIFY(!f.linkPattern(QStringLiteral("walk")));
        QVERIFY(!f.linkPattern(QStringLiteral("Left")));
        QVERIFY(!f.linkPattern(QString()));
        // Link and conversion patterns are kept apart.
        QVERIFY(f.names(Kind::Conversion).isEmpty());
        QVERIFY(!f.pattern(Kind::Conversion, QStringLiteral("Walk")));
    }

    void conversionPatterns_readFromTheirOwnSections() {
        QStringList mirror(Pose::kChannels);
        mirror[0] = QStringLiteral("CopyTo(2)");
        mirror[1] = QStringLiteral("Reverse");
        mirror[2] = QStringLiteral("SPD(*1.5)");
        PatternFile f;
        f.parse(QStringLiteral("[Convert]\r\nCnvList=Mirror\r\n[CnvList]\r\nMirror=%1\r\n"
                               "[NewLink]\r\nNewLinkList=Walk\r\n[NewLinkList]\r\nWalk=%2\r\n")
                    .arg(quotedList(mirror), quotedList(walkActions())));
        QCOMPARE(f.names(Kind::Conversion), QStringList{"Mirror"});
        const auto m = f.pattern(Kind::Conversion, QStringLiteral("Mirror"));
        QVERIFY(m);
        QCOMPARE(entriesOf(*m), mirror);
        QVERIFY(!f.linkPattern(QStringLiteral("Mirror")));
        QCOMPARE(entriesOf(*f.linkPattern(QStringLiteral("Walk"))), walkActions());
    }

    void incompletePatterns_missingEntriesReadEmptyAndAreCounted() {
        PatternFile f;
        f.parse(QStringLiteral("[NewLink]\r\nNewLinkList=Short,Long,Unwritten\r\n"
                               "[NewLinkList]\r\n"
                               "Short=\"TCH\",\"\",\"MOV(5)\"\r\n"
                               "Long=%1,\"extra\"\r\n"
                               "Orphan=\"TCH\"\r\n")
                    .arg(quotedList(walkActions())));

        const auto s = f.linkPattern(QStringLiteral("Short"));
        QVERIFY(s);
        QCOMPARE(s->stored, 3);
        QVERIFY(!s->complete());
        QStringList expected(Pose::kChannels);
        expected[0] = QStringLiteral("TCH");
        expected[2] = QStringLiteral("MOV(5)");
        QCOMPARE(entriesOf(*s), expected);

        // Elements past the 24th are not entries of any channel.
        const auto l = f.linkPattern(QStringLiteral("Long"));
        QVERIFY(l);
        QCOMPARE(l->stored, Pose::kChannels + 1);
        QCOMPARE(entriesOf(*l), walkActions());

        // A listed name without its key is a pattern with nothing stored; a
        // key whose name is not listed is no pattern.
        const auto u = f.linkPattern(QStringLiteral("Unwritten"));
        QVERIFY(u);
        QCOMPARE(u->stored, 0);
        QCOMPARE(entriesOf(*u), QStringList(Pose::kChannels));
        QVERIFY(!f.linkPattern(QStringLiteral("Orphan")));
    }

    void fileOnDisk_readInTheProgramsCodePage() {
        QTemporaryDir dir;
        const QString path = PatternFile::PathIn(dir.path());
        QCOMPARE(path, dir.filePath(QStringLiteral("PATTERN.ini")));

        // Missing file: no patterns, and that is no failure.
        PatternFile missing(path);
        QVERIFY(missing.load());
        QVERIFY(missing.linkNames().isEmpty());
        QVERIFY(!missing.linkPattern(QStringLiteral("Walk")));

        QStringList actions = walkActions();
        actions[4] = QStringLiteral("右腕"); // CP932 text in an entry
        const QString name = QStringLiteral("歩く 速い");
        const QString text = QStringLiteral("[NewLink]\r\nNewLinkList=\"%1\",Walk\r\n"
                                            "[NewLinkList]\r\n%1=%2\r\nWalk=%3\r\n")
                                 .arg(name, quotedList(actions), quotedList(walkActions()));
        QVERIFY(qvxtest::writeFile(path, Cp932::encode(text)));
        PatternFile f(path);
        QVERIFY(f.load());
        QCOMPARE(f.linkNames(), (QStringList{name, QStringLiteral("Walk")}));
        const auto p = f.linkPattern(name);
        QVERIFY(p);
        QCOMPARE(entriesOf(*p), actions);

        // Reading again after the file went away leaves nothing of the old content.
        QVERIFY(QFile::remove(path));
        QVERIFY(f.load());
        QVERIFY(f.linkNames().isEmpty());

        // Something that is no file cannot be read, and holds no patterns.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("PATTERN.ini")));
        PatternFile notAFile(path);
        QVERIFY(!notAFile.load());
        QVERIFY(notAFile.linkNames().isEmpty());
    }
};

QVX_TEST_CLASS(PatternFileTest)
#include "PatternFileTest.moc"
