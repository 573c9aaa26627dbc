#include "common/CliRun.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"

#include <QFile>
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
};

QVX_TEST_CLASS(CliDocumentTest)
#include "CliDocumentTest.moc"
