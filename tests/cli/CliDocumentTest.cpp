#include "common/CliRun.h"
#include "common/RecordingServices.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "document/DocumentFile.h"
#include "editor/ChartLayout.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

using qvxtest::readFile;
using qvxtest::writeFile;

namespace {
using Run = qvxtest::CliRun;
Run qvxRun(const QStringList& args) {
    return qvxtest::runQvx(args);
}
} // namespace

class CliDocumentTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void info_describesDocumentsTablesAndJunk() {
        QByteArray prm = "100";
        for (int i = 0; i < 24; ++i) prm += ",0";
        writeFile(m_dir.filePath("d.QMX"), "[GraphicalEdit]\r\nType=0\r\nItems=2\r\nLinks=1\r\nStart=0\r\nName=walk\r\n"
                                           "Port=255\r\n\r\n[Item0]\r\nPrm=" + prm + "\r\n\r\n[Item1]\r\nPrm=" + prm +
                                           "\r\n\r\n[Link0]\r\nOrigin=0\r\nFinal=1\r\n\r\n");
        Run r = qvxRun({"info", m_dir.filePath("d.QMX")});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QString("kind: 0 (motion chart)\nname: walk\nport: 0x0000FF\nctrl: 0xFFFF\n"
                                "items: 2\nlinks: 1\nstart: 0\n"));

        writeFile(m_dir.filePath("junk"), "nothing here");
        r = qvxRun({"info", m_dir.filePath("junk")});
        QCOMPARE(r.code, 1);
        QVERIFY(r.out.startsWith("kind: -1"));

        QCOMPARE(qvxRun({"info"}).code, 2);
        QCOMPARE(qvxRun({"nosuch"}).code, 2);
    }

    void resave_isByteIdenticalForASavedDocument_andImportsTables() {
        QByteArray prm = "100";
        for (int i = 0; i < 24; ++i) prm += ",0";
        // Written the way the editor writes documents, so a resave must give the same bytes.
        const QByteArray doc = "[GraphicalEdit]\r\nType=0\r\nWidth=640\r\nHeight=480\r\nItems=1\r\nLinks=0\r\n"
                               "Start=0\r\nName=" + QByteArray::fromHex("96b391e8") + "\r\nPort=16777215\r\n"
                               "Ctrl=65535\r\n\r\n[Item0]\r\nName=POS1\r\nWidth=50\r\nHeight=30\r\nLeft=40\r\n"
                               "Top=60\r\nColor=16777215\r\nType=0\r\nPrm=" + prm + "\r\n\r\n";
        writeFile(m_dir.filePath("in.QMX"), doc);
        Run r = qvxRun({"resave", m_dir.filePath("in.QMX"), m_dir.filePath("out.txt")});
        QCOMPARE(r.code, 0);
        QCOMPARE(readFile(m_dir.filePath("out.txt")), doc);

        QByteArray table = "NO,tbl,SPEED";
        for (int i = 1; i <= 24; ++i) table += ",CH" + QByteArray::number(i);
        table += "\r\n1,a,2";
        for (int i = 1; i <= 24; ++i) table += ",10";
        table += "\r\n";
        writeFile(m_dir.filePath("t.csv"), table);
        r = qvxRun({"resave", m_dir.filePath("t.csv"), m_dir.filePath("t.QMX")});
        QCOMPARE(r.code, 0);
        const QByteArray out = readFile(m_dir.filePath("t.QMX"));
        QVERIFY(out.contains("Name=tbl\r\n"));
        QVERIFY(out.contains("Prm=4,16394,"));

        r = qvxRun({"resave", m_dir.filePath("t.csv"), m_dir.filePath("no/dir/x.QMX")});
        QCOMPARE(r.code, 1);
        QVERIFY(r.err.contains("It can't be kept in the designated place"));
    }

    // Each verb reads the file it is given once, a document as a pose table:
    // the document log names every file read.
    void everyVerb_readsItsFileOnce_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("file");
        const QString entries(23, u',');
        for (const char* file : {"once.QMX", "once.csv"}) {
            const QString f = QString::fromLatin1(file);
            QTest::addRow("info %s", file) << QStringList{"info", "FILE"} << f;
            QTest::addRow("resave %s", file) << QStringList{"resave", "FILE", "OUT"} << f;
            QTest::addRow("compile %s", file) << QStringList{"compile", "FILE"} << f;
            QTest::addRow("hex %s", file) << QStringList{"hex", "FILE"} << f;
        }
        QTest::newRow("convert") << QStringList{"convert", "--entries", entries, "FILE", "OUT"}
                                 << QString("once.QMX");
        QTest::newRow("arrange") << QStringList{"arrange", "FILE", "OUT"} << QString("once.QMX");
    }
    void everyVerb_readsItsFileOnce() {
        QFETCH(QStringList, args);
        QFETCH(QString, file);
        QByteArray prm = "1";
        for (int i = 0; i < 24; ++i)
            prm += ",16384";
        writeFile(m_dir.filePath("once.QMX"),
                  "[GraphicalEdit]\r\nType=0\r\nItems=2\r\nLinks=1\r\nStart=0\r\n\r\n"
                  "[Item0]\r\nPrm=" +
                      prm + "\r\n[Item1]\r\nPrm=" + prm + "\r\n[Link0]\r\nOrigin=0\r\nFinal=1\r\n");
        QByteArray table = "NO,tbl,SPEED";
        for (int i = 1; i <= 24; ++i)
            table += ",CH" + QByteArray::number(i);
        for (int k = 1; k <= 2; ++k) {
            table += "\r\n" + QByteArray::number(k) + ",a,2";
            for (int i = 1; i <= 24; ++i)
                table += ",10";
        }
        writeFile(m_dir.filePath("once.csv"), table + "\r\n");
        const QString path = m_dir.filePath(file);
        args.replaceInStrings(QRegularExpression("^FILE$"), path);
        args.replaceInStrings(QRegularExpression("^OUT$"), m_dir.filePath("once-out.QMX"));
        qvxtest::CliSetup setup;
        setup.env.insert("QT_LOGGING_RULES", "qvx.doc.debug=true");
        const Run r = qvxtest::runQvx(args, setup);
        QCOMPARE(r.code, 0);
        QCOMPARE(r.err.count(QString("read \"%1\"").arg(path)), 1);
    }

    void arrange_savesWhatTheCanvasMenuMakes_andRefusesBadInput() {
        // A column as a read leaves it, with a loop back across it.
        qvx::Chart chart;
        for (int i = 0; i < 5; ++i)
            chart.CreateItem(i == 3 ? qvx::KindCmp : qvx::KindPos, 5, 5 + 40 * i);
        for (int i = 0; i < 4; ++i)
            chart.links[size_t(chart.AddLinks(1))] = {false, qvx::MainLink, i, i + 1, {}};
        chart.links[size_t(chart.AddLinks(1))] = {false, qvx::BranchLink, 3, 1, {}};
        chart.startItem = 0;
        chart.ClearSelection();
        qvx::MotionHeader header;
        header.MotionName = QStringLiteral("wave");
        qvxtest::RecordingServices services;
        qvx::DocumentContext ctx(chart, header, services);
        QVERIFY(qvx::DocumentFile::SaveDocument(ctx, m_dir.filePath("col.QMX"), false));

        Run r = qvxRun(
            {"arrange", m_dir.filePath("col.QMX"), m_dir.filePath("rows.QMX"), "--grid", "8,6"});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, "Arranged 5 items; saved " + m_dir.filePath("rows.QMX") + "\n");
        qvx::Chart read;
        qvx::MotionHeader readHeader;
        qvx::DocumentContext in(read, readHeader, services);
        QVERIFY(qvx::DocumentFile::OpenDocument(in, m_dir.filePath("rows.QMX")));
        QVERIFY(qvx::ChartLayout::Arrange(chart, QSize(8, 6)).arranged);
        read.ClearSelection(); // an opened document comes selected
        QVERIFY(read.items == chart.items);
        QVERIFY(read.links == chart.links);
        QCOMPARE(readHeader, header);

        // Refused: a grid out of range, a pose table, a missing file; nothing is written.
        r = qvxRun({"arrange", m_dir.filePath("col.QMX"), m_dir.filePath("x.QMX"), "--grid", "1"});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("--grid takes W,H or N, each from 2 to 1000"));
        QByteArray table = "NO,tbl,SPEED";
        for (int i = 1; i <= 24; ++i)
            table += ",CH" + QByteArray::number(i);
        writeFile(m_dir.filePath("p.csv"),
                  table + "\r\n1,a,2" + QByteArray(",10").repeated(24) + "\r\n");
        r = qvxRun({"arrange", m_dir.filePath("p.csv"), m_dir.filePath("x.QMX")});
        QCOMPARE(r.code, 2);
        QVERIFY(r.err.contains("is a pose table, not a QMX document"));
        r = qvxRun({"arrange", m_dir.filePath("none.QMX"), m_dir.filePath("x.QMX")});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.out, QString());
        QVERIFY(!QFile::exists(m_dir.filePath("x.QMX")));
    }
};

QVX_TEST_CLASS(CliDocumentTest)
#include "CliDocumentTest.moc"
