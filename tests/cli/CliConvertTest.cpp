#include "common/CliRun.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using qvxtest::readFile;
using qvxtest::writeFile;

namespace {

using Run = qvxtest::CliRun;

// A Prm value: the speed, then CH1.. as given and 16384 on the other channels.
QByteArray prm(int speed, QList<int> first) {
    QByteArray text = QByteArray::number(speed);
    for (int k = 0; k < 24; ++k)
        text += ',' + QByteArray::number(k < first.size() ? first[k] : 16384);
    return text;
}

QByteArray itemSection(int n, int kind, const QByteArray& values) {
    return "[Item" + QByteArray::number(n) + "]\r\nName=I" + QByteArray::number(n) +
           "\r\nType=" + QByteArray::number(kind) + "\r\nPrm=" + values + "\r\n\r\n";
}

// The Prm value of item n in a saved document.
QByteArray prmOf(const QByteArray& doc, int n) {
    const qsizetype section = doc.indexOf("[Item" + QByteArray::number(n) + "]\r\n");
    const qsizetype at = section < 0 ? -1 : doc.indexOf("\r\nPrm=", section);
    if (at < 0) return {};
    const qsizetype from = at + 6;
    return doc.mid(from, doc.indexOf("\r\n", from) - from);
}

// 24 quoted elements, with the given (channel, entry) pairs.
QByteArray quoted(std::initializer_list<std::pair<int, QByteArray>> given) {
    QByteArrayList all(24);
    for (const auto& [channel, entry] : given)
        all[channel - 1] = entry;
    for (QByteArray& e : all)
        e = '"' + e + '"';
    return all.join(',');
}

} // namespace

// qvx convert: a conversion pattern applied to the items of a document.
class CliConvertTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_in, m_out;

    Run qvx(const QStringList& args) {
        return qvxtest::runQvx(
            args, qvxtest::CliSetup().configDir(m_dir.filePath(QStringLiteral("config"))));
    }
    Run convert(const QStringList& more) { return qvx(QStringList{"convert", m_in, m_out} + more); }

  private slots:
    void init() {
        QDir(m_dir.path()).mkpath(QStringLiteral("config"));
        m_in = m_dir.filePath(QStringLiteral("in.qmx"));
        m_out = m_dir.filePath(QStringLiteral("out.qmx"));
        QFile::remove(m_out);
        // A POS, a CMP and a SET item on a canvas larger than the editor's minimum.
        QVERIFY(
            writeFile(m_in, "[GraphicalEdit]\r\nType=0\r\nWidth=900\r\nHeight=700\r\nItems=3\r\n"
                            "Links=0\r\nStart=0\r\n\r\n" +
                                itemSection(0, 0, prm(100, {16000, 17000, 15694})) +
                                itemSection(1, 2, prm(100, {16000, 17000, 15694})) +
                                itemSection(2, 1, prm(250, {32771, 16100, 16200}))));
        const QByteArrayList patterns = {
            "[Convert]",
            "CnvList=Mirror,\"Half, slow\",Broken,Short,Odd",
            "[CnvList]",
            "Mirror=" + quoted({{1, "Change(2)"}, {2, "SPD(+10)"}, {3, "Reverse"}}),
            "Half, slow=" + quoted({{1, "MUL(0.5)"}, {24, "SPD(*0.5)"}}),
            "Broken=" + quoted({{4, "SPD(/0.0)"}}),
            "Short=\"REVERSE\",\"\"",
            "Odd=" + quoted({{1, "XYZ(1)"}, {2, QByteArray(1, '\x01')}, {3, "CopyTo(?)"},
                             {4, "ADD(abc)"}, {5, "SPD(%3)"}}),
        };
        QVERIFY(writeFile(m_dir.filePath(QStringLiteral("config/PATTERN.ini")),
                          patterns.join("\r\n") + "\r\n"));
    }

    void byName_convertsEveryItemButCmp_andKeepsTheCanvas() {
        const QByteArray before = readFile(m_in);
        const Run r = convert({"--pattern", "Mirror"});
        QCOMPARE(r.code, 0);
        QVERIFY2(r.out.contains("CMP item 1"), qPrintable(r.out));
        const QByteArray out = readFile(m_out);
        QVERIFY(out.contains("Width=900\r\nHeight=700\r\n"));
        QCOMPARE(prmOf(out, 0), prm(110, {17000, 16000, 17074}));
        QCOMPARE(prmOf(out, 1), prm(100, {16000, 17000, 15694}));
        QCOMPARE(prmOf(out, 2), prm(255, {16100, 32771, 16568}));
        QCOMPARE(readFile(m_in), before);

        // A name with a blank and a comma, on the document written in place.
        m_in = m_out;
        QCOMPARE(convert({"--pattern", "Half, slow"}).code, 0);
        QCOMPARE(prmOf(readFile(m_out), 0), prm(55, {16692, 16000, 17074}));
    }

    void givenEntries_onListedItems() {
        QByteArrayList list(24);
        list[0] = "\"ADD ( -5 )\"";
        list[2] = "READTO(1)";
        list[23] = "\"SPD(-50)\"";
        const Run r =
            convert({"--entries", QString::fromLatin1(list.join(',')), "--items", "2, 1"});
        QCOMPARE(r.code, 0);
        const QByteArray out = readFile(m_out);
        QCOMPARE(prmOf(out, 0), prm(100, {16000, 17000, 15694}));
        QCOMPARE(prmOf(out, 1), prm(100, {16000, 17000, 15694}));
        QCOMPARE(prmOf(out, 2), prm(200, {32771, 16100, 32771}));
    }

    // Entries the conversion passes over are named one per line on standard
    // error, and a conversion that changed nothing says so.
    void ignoredEntries_areNamed_andNoChangeIsSaid() {
        const Run r = convert({"--pattern", "Odd", "--items", "0"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QString where = QStringLiteral("Conversion pattern \"Odd\", ");
        QCOMPARE(r.err.split('\n', Qt::SkipEmptyParts),
                 (QStringList{where + "CH1 \"XYZ(1)\": not a conversion; ignored",
                              where + "CH2 \"\\x01\": not a conversion; ignored",
                              where + "CH3 \"CopyTo(?)\": no channel 1 to 24; ignored",
                              where + "CH4 \"ADD(abc)\": the argument is no whole number and counts as 0",
                              where + "CH5 \"SPD(%3)\": no +, -, * or / before the number; ignored"}));
        QVERIFY2(r.out.contains("converted item 0 with conversion pattern \"Odd\"; no value changed; saved"),
                 qPrintable(r.out));
        QCOMPARE(prmOf(readFile(m_out), 0), prm(100, {16000, 17000, 15694}));
        // A conversion that does change a value does not say otherwise.
        QVERIFY(!convert({"--pattern", "Mirror"}).out.contains("no value changed"));
    }

    void usageErrors_leaveNothingWritten_data() {
        QTest::addColumn<QStringList>("args");
        const QString empty23 = QString(22, u',');
        QTest::newRow("no pattern") << QStringList{};
        QTest::newRow("both") << QStringList{"--pattern", "Mirror", "--entries", empty23 + ','};
        QTest::newRow("unknown pattern") << QStringList{"--pattern", "mirror"};
        QTest::newRow("23 entries") << QStringList{"--entries", empty23};
        QTest::newRow("25 entries") << QStringList{"--entries", empty23 + ",,"};
        QTest::newRow("item out of range") << QStringList{"--pattern", "Mirror", "--items", "0,3"};
        QTest::newRow("negative item") << QStringList{"--pattern", "Mirror", "--items", "-1"};
        QTest::newRow("item no number") << QStringList{"--pattern", "Mirror", "--items", "0,,1"};
        QTest::newRow("unknown option") << QStringList{"--pattern", "Mirror", "--item", "0"};
    }
    void usageErrors_leaveNothingWritten() {
        QFETCH(QStringList, args);
        const Run r = convert(args);
        QCOMPARE(r.code, 2);
        QVERIFY(!r.err.isEmpty());
        QVERIFY(!QFile::exists(m_out));
    }

    void refusedPatterns_failWithTheirReason_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("reason");
        QTest::newRow("division by zero")
            << QStringList{"--pattern", "Broken"} << "\"Broken\", CH4";
        QTest::newRow("given division by zero")
            << QStringList{"--entries", "SPD(/0)" + QString(23, u',')} << "CH1";
        QTest::newRow("incomplete")
            << QStringList{"--pattern", "Short"} << "\"Short\" holds 2 of 24";
    }
    void refusedPatterns_failWithTheirReason() {
        QFETCH(QStringList, args);
        QFETCH(QString, reason);
        const Run r = convert(args);
        QCOMPARE(r.code, 1);
        QVERIFY2(r.err.contains(reason), qPrintable(r.err));
        QVERIFY(!QFile::exists(m_out));
    }

    void partlyReadDocument_isNotConverted() {
        QVERIFY(writeFile(m_in, "[GraphicalEdit]\r\nType=0\r\nItems=2\r\n\r\n" +
                                    itemSection(0, 0, prm(100, {})) + "[Item1]\r\nPrm=5,100\r\n"));
        const Run r = convert({"--pattern", "Mirror"});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains("not read completely"));
        QVERIFY(!QFile::exists(m_out));
    }
};

QVX_TEST_CLASS(CliConvertTest)
#include "CliConvertTest.moc"
