#include "pose/PatternFile.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "base/Cp932.h"

#include <QDir>
#include <QFileInfo>
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

PatternFile::Entries toEntries(const QStringList& list) {
    PatternFile::Entries e;
    for (int k = 0; k < Pose::kChannels && k < list.size(); ++k)
        e[size_t(k)] = list[k];
    return e;
}

// Saves a pattern file and reads it back from disk into a fresh object.
PatternFile saveAndReload(const PatternFile& f) {
    PatternFile again(f.path());
    if (!f.save() || !again.load()) qWarning("the pattern file did not save and load");
    return again;
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

    // Names and entries written by the pattern editor read back exactly.
    void writtenPatterns_readBackWithTheirNamesAndEntries() {
        QTemporaryDir dir;
        PatternFile f(PatternFile::PathIn(dir.path()));
        QVERIFY(f.load());
        const QStringList names{QStringLiteral("Walk"), QStringLiteral("Left, \"big\" arm"),
                                QStringLiteral(" padded "), QStringLiteral("右腕 前")};
        QStringList odd(Pose::kChannels);
        odd[0] = QStringLiteral("say \"hi\", twice");
        odd[1] = QStringLiteral("\"");
        odd[2] = QStringLiteral(" MOV(1) ");
        odd[23] = QStringLiteral("\t");
        for (const QString& name : names) {
            QVERIFY(!f.addName(Kind::Link, name));
            QVERIFY(!f.writePattern(Kind::Link, name,
                                    toEntries(name == names[1] ? odd : walkActions())));
        }
        QVERIFY(!f.addName(Kind::Conversion, QStringLiteral("Walk")));
        QVERIFY(!f.writePattern(Kind::Conversion, QStringLiteral("Walk"), toEntries(odd)));

        // A pattern is written as 24 quoted elements, and a plain name unquoted.
        QVERIFY(f.toText().contains(QStringLiteral("\r\nWalk=") + quotedList(walkActions()) +
                                    QStringLiteral("\r\n")));
        QVERIFY(f.toText().contains(u"\r\nNewLinkList=Walk,\"Left, \"\"big\"\" arm\","));

        const PatternFile g = saveAndReload(f);
        QCOMPARE(g.linkNames(), names);
        for (const QString& name : names) {
            const auto p = g.linkPattern(name);
            QVERIFY2(p, qPrintable(name));
            QCOMPARE(p->stored, Pose::kChannels);
            QCOMPARE(entriesOf(*p), name == names[1] ? odd : walkActions());
        }
        QCOMPARE(g.names(Kind::Conversion), QStringList{"Walk"});
        QCOMPARE(entriesOf(*g.pattern(Kind::Conversion, QStringLiteral("Walk"))), odd);
    }

    // Saving under a name that is listed already lists it twice and writes the
    // one key again; deleting one of the two keeps the other usable.
    void duplicateNames_shareTheirKeyUntilTheLastIsDeleted() {
        QTemporaryDir dir;
        PatternFile f(PatternFile::PathIn(dir.path()));
        QStringList second = walkActions();
        second[0] = QStringLiteral("PRM(5)");
        QVERIFY(!f.addName(Kind::Conversion, QStringLiteral("Walk")));
        QVERIFY(
            !f.writePattern(Kind::Conversion, QStringLiteral("Walk"), toEntries(walkActions())));
        QVERIFY(!f.addName(Kind::Conversion, QStringLiteral("Other")));
        QVERIFY(!f.writePattern(Kind::Conversion, QStringLiteral("Other"), toEntries(second)));
        QVERIFY(!f.addName(Kind::Conversion, QStringLiteral("Walk")));
        QVERIFY(!f.writePattern(Kind::Conversion, QStringLiteral("Walk"), toEntries(second)));
        // Another case is another name with the same key.
        QVERIFY(!f.addName(Kind::Conversion, QStringLiteral("WALK")));

        PatternFile g = saveAndReload(f);
        QCOMPARE(g.names(Kind::Conversion), (QStringList{"Walk", "Other", "Walk", "WALK"}));
        QCOMPARE(g.toText().count(QStringLiteral("Walk=")), 1);
        QCOMPARE(entriesOf(*g.pattern(Kind::Conversion, QStringLiteral("WALK"))), second);

        QVERIFY(g.removeName(Kind::Conversion, QStringLiteral("Walk")));
        QVERIFY(g.removeName(Kind::Conversion, QStringLiteral("WALK")));
        QCOMPARE(g.names(Kind::Conversion), (QStringList{"Other", "Walk"}));
        QCOMPARE(entriesOf(*g.pattern(Kind::Conversion, QStringLiteral("Walk"))), second);

        QVERIFY(g.removeName(Kind::Conversion, QStringLiteral("Walk")));
        QVERIFY(!g.removeName(Kind::Conversion, QStringLiteral("Walk")));
        const PatternFile h = saveAndReload(g);
        QCOMPARE(h.names(Kind::Conversion), QStringList{"Other"});
        QVERIFY(!h.toText().contains(QStringLiteral("Walk")));
        QCOMPARE(entriesOf(*h.pattern(Kind::Conversion, QStringLiteral("Other"))), second);
    }

    void deletedPattern_doesNotComeBackFromARepeatedKey() {
        PatternFile f;
        f.parse(
            QStringLiteral("[NewLink]\r\nNewLinkList=Walk,Run\r\n[NewLinkList]\r\n"
                           "Walk=%1\r\nRun=%2\r\nwalk=%2\r\n")
                .arg(quotedList(walkActions()), quotedList(QStringList(Pose::kChannels, "TCH"))));
        QVERIFY(f.removeName(Kind::Link, QStringLiteral("Walk")));
        QVERIFY(f.removeName(Kind::Link, QStringLiteral("Run")));
        QVERIFY(!f.addName(Kind::Link, QStringLiteral("Walk")));
        PatternFile again;
        again.parse(f.toText());
        const auto w = again.linkPattern(QStringLiteral("Walk"));
        QVERIFY(w);
        QCOMPARE(w->stored, 0);
        QCOMPARE(w->incompleteText(QStringLiteral("Walk")),
                 QStringLiteral("\"Walk\" holds 0 of 24 channel entries"));
        QVERIFY(!again.toText().contains(QStringLiteral("Run")));
    }

    void unusableNames_andEntries_areRefusedAndNothingIsWritten_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("problem"); // a part of the message
        const QString none;
        QTest::newRow("empty name") << none << none << "Input the name";
        QTest::newRow("only blanks") << "   " << none << "Input the name";
        QTest::newRow("equals sign") << "a=b" << none << "\"=\"";
        QTest::newRow("line break") << "a\r\nb" << none << "control";
        QTest::newRow("comment") << " ;x" << none << "\";\"";
        QTest::newRow("outside the code page") << "arm \U0001F600" << none << "cannot keep";
        const QString walk = QStringLiteral("Walk");
        QTest::newRow("entry with a line break") << walk << QStringLiteral("MOV(1)\n") << "CH3";
        QTest::newRow("entry with a NUL") << walk << QString(QChar(0)) << "CH3";
        QTest::newRow("entry outside the code page") << walk << QStringLiteral("\u0101") << "CH3";
    }
    void unusableNames_andEntries_areRefusedAndNothingIsWritten() {
        QFETCH(QString, name);
        QFETCH(QString, entry);
        QFETCH(QString, problem);
        PatternFile f;
        f.parse(QStringLiteral("[Convert]\r\nCnvList=Old\r\n"));
        const QString before = f.toText();
        QStringList entries(Pose::kChannels);
        entries[2] = entry;
        const bool nameRefused = PatternFile::CheckPatternName(name).has_value();
        const std::optional<QString> added = f.addName(Kind::Conversion, name);
        QCOMPARE(added.has_value(), nameRefused);
        if (added) QCOMPARE(f.toText(), before);
        const std::optional<QString> written =
            f.writePattern(Kind::Conversion, name, toEntries(entries));
        QVERIFY(written);
        QVERIFY2(written->contains(problem), qPrintable(*written));
        QVERIFY(!f.toText().contains(QStringLiteral("[CnvList]")));
    }

    void saving_createsAMissingFile_andRefusesANonFile() {
        QTemporaryDir dir;
        PatternFile f(PatternFile::PathIn(dir.path()));
        QVERIFY(f.load());
        QVERIFY(!f.addName(Kind::Link, QStringLiteral("Walk")));
        QVERIFY(!f.writePattern(Kind::Link, QStringLiteral("Walk"), toEntries(walkActions())));
        QVERIFY(f.save());
        QVERIFY(qvxtest::readFile(f.path()).startsWith("[NewLink]\r\nNewLinkList=Walk\r\n"));

        PatternFile blocked(dir.filePath(QStringLiteral("sub")));
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QVERIFY(!blocked.addName(Kind::Link, QStringLiteral("Walk")));
        QVERIFY(!blocked.save());
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("sub"))).isDir());
    }
};

QVX_TEST_CLASS(PatternFileTest)
#include "PatternFileTest.moc"
