#include "document/DocumentFile.h"
#include "common/FileSizeLimit.h"
#include "common/RecordingServices.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "base/Cp932.h"
#include "document/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

using namespace qvx;
using qvxtest::RecordingServices;

using qvxtest::readFile;
using qvxtest::writeFile;

namespace {
void writeText(const QString& path, const QString& text) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(Cp932::encode(text));
}

// A chart, its header and recorded services, as the main window holds them.
struct Doc {
    Chart chart;
    MotionHeader header;
    RecordingServices services;
    DocumentContext ctx{chart, header, services};

    int item(quint8 kind, int x, int y) { return chart.CreateItem(kind, x, y); }
    void link(int from, int to, quint8 kind = MainLink, QVector<QPoint> pts = {}) {
        const int i = chart.AddLinks(1);
        chart.links[size_t(i)] = Link{false, kind, from, to, pts};
    }
};

QString poseTable(const QStringList& rows, const QString& name = "walk") {
    QStringList head{"NO", name, "SPEED"};
    for (int i = 1; i <= 24; ++i) head << QString("CH%1").arg(i);
    QString text = head.join(',') + "\r\n";
    for (const QString& r : rows) text += r + "\r\n";
    return text;
}
QString poseRow(int k, const QString& name, const QString& speed, const QString& ch1, const QString& rest = "0") {
    QStringList f{QString::number(k), name, speed, ch1};
    for (int i = 2; i <= 24; ++i) f << rest;
    return f.join(',');
}
} // namespace

class DocumentFileTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path(const QString& name) const { return m_dir.filePath(name); }

private slots:
    void saveOnePosItem_writesTheExpectedSections() {
        Doc d;
        d.item(KindPos, 40, 60);
        QVERIFY(DocumentFile::SaveDocument(d.ctx, path("one"), true));
        QString prm = "100";
        for (int i = 0; i < 24; ++i) prm += ",0";
        QByteArray expected = "[GraphicalEdit]\r\nType=0\r\nWidth=640\r\nHeight=480\r\nItems=1\r\nLinks=0\r\n"
                              "Start=-1\r\nName=" + QByteArray::fromHex("96b391e8") +
                              "\r\nPort=16777215\r\nCtrl=65535\r\n\r\n"
                              "[Item0]\r\nName=POS1\r\nWidth=50\r\nHeight=30\r\nLeft=40\r\nTop=60\r\n"
                              "Color=16777215\r\nType=0\r\nPrm=" + prm.toLatin1() + "\r\n\r\n";
        QCOMPARE(readFile(path("one.QMX")), expected);
    }

    void saveLinks_emptyPointAndSignedColour() {
        Doc d;
        d.item(KindCmp, 0, 0);
        d.item(KindPos, 0, 0);
        d.chart.items[0].colour = 0x8000000F;
        d.link(0, 1);
        d.link(1, 0, BranchLink, {QPoint(5, -6), QPoint(7, 8)});
        QVERIFY(DocumentFile::SaveDocument(d.ctx, path("links.txt"), false));
        const QByteArray b = readFile(path("links.txt"));
        QVERIFY(b.contains("Color=-2147483633\r\n"));
        QVERIFY(b.contains("[Link0]\r\nMain=0\r\nOrigin=0\r\nFinal=1\r\nPoint=\r\n\r\n"));
        QVERIFY(b.contains("[Link1]\r\nMain=1\r\nOrigin=1\r\nFinal=0\r\nPoint=5,-6,7,8\r\n\r\n"));
    }

    void saveName_followsTheFilter() {
        QCOMPARE(DocumentFile::SaveName("/a/chart.txt", true), QString("/a/chart.QMX"));
        QCOMPARE(DocumentFile::SaveName("/a/chart.txt", false), QString("/a/chart.txt"));
        QCOMPARE(DocumentFile::SaveName("/a.b/chart", true), QString("/a.b/chart.QMX"));
    }

    void saveOpenSave_isByteIdentical_andKeepsJapaneseNames() {
        Doc d;
        d.item(KindPos, 10, 20);
        d.item(KindSet, 100, 20);
        d.item(KindCmp, 200, 20);
        d.chart.items[0].name = QString::fromUtf8("立つ");
        d.chart.items[2].values[3] = 33600;
        d.link(0, 1);
        d.link(1, 2, MainLink, {QPoint(150, 80)});
        d.link(2, 0, BranchLink);
        d.chart.startItem = 0;
        d.header.MotionName = QString::fromUtf8("歩行 A");
        d.header.MotionPort = 0x00F00F;
        QVERIFY(DocumentFile::SaveDocument(d.ctx, path("rt.QMX"), true));

        Doc back;
        QVERIFY(DocumentFile::OpenDocument(back.ctx, path("rt.QMX")));
        QVERIFY(back.services.boxes.empty());
        QCOMPARE(back.header.MotionName, d.header.MotionName);
        QCOMPARE(back.chart.items[0].name, QString::fromUtf8("立つ"));
        QCOMPARE(back.chart.startItem, 0);
        QCOMPARE(back.chart.SelectedItemCount(), 3);
        QCOMPARE(back.chart.SelectedLinkCount(), 3);
        QVERIFY(DocumentFile::SaveDocument(back.ctx, path("rt2.QMX"), true));
        QCOMPARE(readFile(path("rt2.QMX")), readFile(path("rt.QMX")));
    }

    void openMotionOverMotion_mergesWithShiftedLinksAndKeepsName() {
        Doc src;
        src.item(KindPos, 0, 0);
        src.item(KindPos, 0, 0);
        src.link(0, 1);
        src.chart.startItem = 1;
        src.header.MotionName = "other";
        QVERIFY(DocumentFile::SaveDocument(src.ctx, path("m.QMX"), true));

        Doc d;
        for (int i = 0; i < 3; ++i) d.item(KindPos, 0, 0);
        d.chart.startItem = 2;
        d.header.MotionName = "mine";
        QVERIFY(DocumentFile::OpenDocument(d.ctx, path("m.QMX")));
        QCOMPARE(d.chart.itemCount(), 5);
        QCOMPARE(d.chart.links[0].origin, 3);
        QCOMPARE(d.chart.links[0].final, 4);
        QCOMPARE(d.header.MotionName, QString("mine"));
        QCOMPARE(d.chart.startItem, 2);
        QCOMPARE(d.chart.SelectedItemCount(), 2);
        QVERIFY(!d.chart.items[0].selected && d.chart.items[4].selected);
        QVERIFY(d.services.boxes.empty());
    }

    void openScenarioOverMotion_asksAndCancelKeepsChart() {
        Doc src;
        src.item(KindMot, 0, 0);
        QVERIFY(DocumentFile::SaveDocument(src.ctx, path("s.QMX"), true));

        Doc d;
        d.item(KindPos, 0, 0);
        d.services.boxAnswers = {ResultCancel};
        QVERIFY(!DocumentFile::OpenDocument(d.ctx, path("s.QMX")));
        QCOMPARE(d.services.boxes.size(), size_t(1));
        QCOMPARE(d.services.boxes[0].text, QString("Do you prepared for the disappearance of all the present data?"));
        QCOMPARE(d.services.boxes[0].buttons, int(MsgButtons::OkCancel));
        QCOMPARE(d.chart.itemCount(), 1);
        QCOMPARE(d.chart.documentKind, quint8(MotionChart));

        bool cleared = false;
        d.ctx.clearChart = [&] { cleared = true; d.chart.ClearChart(); };
        d.services.boxAnswers = {ResultOk};
        QVERIFY(DocumentFile::OpenDocument(d.ctx, path("s.QMX")));
        QVERIFY(cleared);
        QCOMPARE(d.chart.itemCount(), 1);
        QCOMPARE(d.chart.items[0].kind, quint8(KindMot));
        QCOMPARE(d.chart.documentKind, quint8(ScenarioChart));
    }

    void unusableFiles_giveTheWarning() {
        Doc d;
        writeText(path("junk.txt"), "hello\r\nworld\r\n");
        QVERIFY(!DocumentFile::OpenDocument(d.ctx, path("junk.txt")));
        QCOMPARE(d.services.lastBoxText(), QString("The designated file can't be used"));
        QVERIFY(!DocumentFile::OpenDocument(d.ctx, path("missing.QMX")));
        QVERIFY(!DocumentFile::OpenDocument(d.ctx, m_dir.path()));
        QCOMPARE(d.services.boxes.size(), size_t(3));

        // An unsupported Type is refused after the question of a kind change.
        writeText(path("t3.QMX"), "[GraphicalEdit]\r\nType=3\r\n");
        d.item(KindPos, 0, 0);
        d.services.boxAnswers = {ResultOk};
        QVERIFY(!DocumentFile::OpenDocument(d.ctx, path("t3.QMX")));
        QCOMPARE(d.services.lastBoxText(), QString("The designated file can't be used"));
        QCOMPARE(d.chart.itemCount(), 0);
    }

    void saveToUnwritablePlace_showsErrorAndWritesNothing() {
        Doc d;
        d.item(KindPos, 0, 0);
        QVERIFY(!DocumentFile::SaveDocument(d.ctx, path("nodir/x.QMX"), true));
        QCOMPARE(d.services.boxes.size(), size_t(1));
        QCOMPARE(d.services.boxes[0].icon, int(MsgIcon::Error));
        QCOMPARE(d.services.boxes[0].text, QString("It can't be kept in the designated place"));
    }

    // A file the program could not have written in the save's place is left as
    // it is: a directory, or a file larger than any document.
    void saveOverWhatCannotBeADocument_isRefusedAndLeavesIt() {
        Doc d;
        d.item(KindPos, 0, 0);
        QVERIFY(QDir(m_dir.path()).mkdir("folder.QMX"));
        QVERIFY(!DocumentFile::SaveDocument(d.ctx, path("folder.QMX"), false));
        QVERIFY(QFileInfo(path("folder.QMX")).isDir());
        const QString big = path("big.QMX");
        {
            QFile f(big);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.write("[GraphicalEdit]\r\n") > 0);
            QVERIFY(f.resize(IniFile::kMaxFileSize + 1));
        }
        QVERIFY(!DocumentFile::SaveDocument(d.ctx, big, false));
        QCOMPARE(QFileInfo(big).size(), IniFile::kMaxFileSize + 1);
        QCOMPARE(d.services.boxes.size(), size_t(2));
        QCOMPARE(d.services.lastBoxText(), QString("It can't be kept in the designated place"));
    }

    // What a document says is read once when opening and once for `qvx info`;
    // loading from the image read for telling the kind gives the same chart.
    void loadFromTheImageReadForTheKind_givesTheSameChart() {
        Doc src;
        src.item(KindPos, 10, 20);
        src.item(KindCmp, 70, 20);
        src.chart.items[1].name = QString::fromUtf8("比較");
        src.link(0, 1, BranchLink, {QPoint(3, 4)});
        src.chart.startItem = 1;
        QVERIFY(DocumentFile::SaveDocument(src.ctx, path("img.QMX"), false));

        DocumentSource source = DocumentFile::ReadSource(path("img.QMX"));
        QCOMPARE(DocumentFile::DetectFileKind(source), int(MotionChart));
        QCOMPARE(source.path(), path("img.QMX"));
        Doc fromImage, fromFile;
        QVERIFY(DocumentFile::LoadDocument(fromImage.ctx, source));
        QVERIFY(DocumentFile::LoadDocument(fromFile.ctx, path("img.QMX")));
        QCOMPARE(fromImage.chart.items, fromFile.chart.items);
        QCOMPARE(fromImage.chart.links, fromFile.chart.links);
        QCOMPARE(fromImage.chart.startItem, 1);
        QCOMPARE(fromImage.chart.items[1].name, QString::fromUtf8("比較"));

        QCOMPARE(DocumentFile::DetectFileKind(DocumentFile::ReadSource(path("missing.QMX"))), -1);
        QCOMPARE(DocumentFile::DocumentText(src.ctx), Cp932::decode(readFile(path("img.QMX"))));
    }

    // A document small enough to be written at once, and one written in parts
    // as it is made.
    void saveThatFailsPartWay_showsErrorAndKeepsTheOldFile_data() {
        QTest::addColumn<int>("items");
        QTest::newRow("written at once") << 20;
        QTest::newRow("written in parts") << 3000;
    }
    void saveThatFailsPartWay_showsErrorAndKeepsTheOldFile() {
        QFETCH(int, items);
        const QString file = path("keep.QMX");
        Doc small;
        small.item(KindPos, 0, 0);
        QVERIFY(DocumentFile::SaveDocument(small.ctx, file, true));
        const QByteArray old = readFile(file);
        QVERIFY(!old.isEmpty());
        Doc big;
        big.chart.items.resize(size_t(items));
        bool limited = false, saved = true;
        {
            // The old file can be rewritten as it is, the larger document cannot.
            qvxtest::FileSizeLimit limit(rlim_t(old.size()));
            limited = limit.active();
            saved = DocumentFile::SaveDocument(big.ctx, file, true);
        }
        QVERIFY(limited);
        QVERIFY(!saved);
        QCOMPARE(big.services.boxes.size(), size_t(1));
        QCOMPARE(big.services.boxes[0].icon, int(MsgIcon::Error));
        QCOMPARE(big.services.boxes[0].text, QString("It can't be kept in the designated place"));
        QCOMPARE(readFile(file), old);
    }

    void importPoseTable_buildsAChainOfPoses() {
        writeText(path("table.csv"),
                  poseTable({poseRow(1, "stand", "3", "-180"), poseRow(2, "\"sit, low\"", "9", "200", "221"),
                             poseRow(3, "x", "bad", "225", "x")},
                            QString::fromUtf8("歩く")));
        QCOMPARE(DocumentFile::DetectFileKind(path("table.csv")), 100);
        Doc d;
        QVERIFY(DocumentFile::OpenDocument(d.ctx, path("table.csv")));
        QCOMPARE(d.header.MotionName, QString::fromUtf8("歩く"));
        QCOMPARE(d.chart.itemCount(), 3);
        QCOMPARE(d.chart.startItem, 0);
        const Item& a = d.chart.items[0];
        QCOMPARE(a.lead, quint8(8));
        QCOMPARE(a.values[0], quint16(16384 - 180));
        QCOMPARE(a.values[1], quint16(16384));
        QCOMPARE(QPoint(a.left, a.top), QPoint(5, 5));
        const Item& b = d.chart.items[1];
        QCOMPARE(b.name, QString("sit, low"));
        QCOMPARE(b.lead, quint8(0));       // exponent 9 shifts the bit out of the byte
        QCOMPARE(b.values[0], quint16(0)); // 200 is no table code
        QCOMPARE(b.values[1], quint16(32770));
        QCOMPARE(QPoint(b.left, b.top), QPoint(5, 45));
        const Item& c = d.chart.items[2];
        QCOMPARE(c.lead, quint8(2)); // unreadable exponent counts as 1
        QCOMPARE(c.values[0], quint16(32768));
        QCOMPARE(c.values[1], quint16(32768)); // unreadable entry counts as 225
        QCOMPARE(d.chart.linkCount(), 2);
        QCOMPARE(d.chart.links[1].origin, 1);
        QCOMPARE(d.chart.links[1].final, 2);
    }

    // Files larger than the blocks they are read in: lines (Japanese ones too)
    // cut by a block's end read whole, and a header found only at the end
    // still tells the kind. Saving what was read gives the program's own bytes.
    void largeDocument_readInBlocks_comesBackByteForByte_data() {
        QTest::addColumn<bool>("headerLast");
        QTest::newRow("header first") << false;
        QTest::newRow("header last") << true;
    }
    void largeDocument_readInBlocks_comesBackByteForByte() {
        QFETCH(bool, headerLast);
        Doc src;
        src.chart.items.resize(6000);
        for (int i = 0; i < 6000; ++i) {
            Item& it = src.chart.items[size_t(i)];
            it.name = QString::fromUtf8("右手を上げる動作") + QString::number(i);
            it.left = i % 600;
            it.values[size_t(i % kChannelCount)] = quint16(i);
            if (i > 0) src.link(i - 1, i, MainLink, {QPoint(i, -i)});
        }
        src.chart.startItem = 5999;
        QByteArray bytes = DocumentFile::DocumentBytes(src.ctx);
        QVERIFY(bytes.size() > 1024 * 1024);
        if (headerLast) {
            const qsizetype end = bytes.indexOf("[Item0]");
            bytes = bytes.mid(end) + bytes.left(end);
        }
        QVERIFY(qvxtest::writeFile(path("large.QMX"), bytes));
        QCOMPARE(DocumentFile::DetectFileKind(path("large.QMX")), int(MotionChart));
        Doc d;
        QVERIFY(DocumentFile::OpenDocument(d.ctx, path("large.QMX")));
        QCOMPARE(d.services.boxes.size(), size_t(0));
        QCOMPARE(d.chart.itemCount(), 6000);
        QCOMPARE(DocumentFile::DocumentBytes(d.ctx), DocumentFile::DocumentBytes(src.ctx));
    }

    void largePoseTable_readInBlocks_importsEveryLine() {
        QStringList rows;
        for (int k = 1; k <= 12000; ++k)
            rows << poseRow(k, QString::fromUtf8("姿勢%1").arg(k), "2", "-90", "45");
        writeText(path("large.csv"), poseTable(rows));
        QVERIFY(QFileInfo(path("large.csv")).size() > 1024 * 1024);
        Doc d;
        QVERIFY(DocumentFile::OpenDocument(d.ctx, path("large.csv")));
        QCOMPARE(d.services.boxes.size(), size_t(0));
        QCOMPARE(d.chart.itemCount(), 12000);
        QCOMPARE(d.chart.items[11999].name, QString::fromUtf8("姿勢12000"));
        QCOMPARE(d.chart.items[11999].values[23], quint16(16384 + 45));
    }

    // The kind is the first Type of the GraphicalEdit sections, however its
    // name and key are written, or a pose table's; anything else is unusable.
    void fileKind_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("kind");
        QTest::newRow("motion") << QByteArray("[GraphicalEdit]\r\nType=0\r\n") << 0;
        QTest::newRow("scenario, later section of the same name")
            << QByteArray("[Item0]\r\n[graphicaledit]\r\nItems=1\r\n[ GRAPHICALEDIT ]\r\n"
                          " TYPE = 7\r\nType=0\r\n")
            << 7;
        QTest::newRow("another number") << QByteArray("[GraphicalEdit]\r\nType=3\r\n") << 3;
        QTest::newRow("no number") << QByteArray("[GraphicalEdit]\r\nType=x\r\nType=0\r\n") << -1;
        QTest::newRow("no type") << QByteArray("[GraphicalEdit]\r\nItems=1\r\n") << -1;
        QTest::newRow("before any section") << QByteArray("Type=0\r\n[GraphicalEdit]\r\n") << -1;
        QTest::newRow("ideographic space after the key")
            << QByteArray("[GraphicalEdit]\r\nType\x81\x40=7\r\n") << 7;
        QTest::newRow("no header: a lead byte eats the bracket")
            << QByteArray("[GraphicalEdit\x81]\r\nType=7\r\n") << -1;
        QTest::newRow("pose table") << Cp932::encode(poseTable({poseRow(1, "a", "0", "0")})) << 100;
    }
    void fileKind() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, kind);
        QVERIFY(qvxtest::writeFile(path("kind.QMX"), bytes));
        QCOMPARE(DocumentFile::DetectFileKind(path("kind.QMX")), kind);
    }

    void importPoseTable_wrapsColumnsAtTheCanvasBottom() {
        QStringList rows;
        for (int k = 1; k <= 12; ++k) rows << poseRow(k, "p", "0", "0");
        writeText(path("long.csv"), poseTable(rows));
        Doc d;
        d.ctx.canvas = QSize(640, 200);
        QVERIFY(DocumentFile::ImportTable(d.ctx, path("long.csv")));
        // tops 5, 45, 85, 125, 165; the next top 205 > 170 starts a new column
        QCOMPARE(QPoint(d.chart.items[4].left, d.chart.items[4].top), QPoint(5, 165));
        QCOMPARE(QPoint(d.chart.items[5].left, d.chart.items[5].top), QPoint(75, 5));
    }

    void poseTableDetection_needsNumberedLines() {
        writeText(path("gap.csv"), poseTable({poseRow(1, "a", "0", "0"), poseRow(3, "b", "0", "0")}));
        QCOMPARE(DocumentFile::DetectFileKind(path("gap.csv")), -1);
        writeText(path("head.csv"), "NO,x,SPEED,1\r\n1,a,0,0\r\n");
        QCOMPARE(DocumentFile::DetectFileKind(path("head.csv")), -1);
    }

    void shortPoseLine_stopsWithMessageAndKeepsEarlierPoses() {
        writeText(path("short.csv"), poseTable({poseRow(1, "a", "0", "0"), poseRow(2, "b", "0", "0"), "3,c,0,1,2"}));
        Doc d;
        QVERIFY(!DocumentFile::ImportTable(d.ctx, path("short.csv")));
        QCOMPARE(d.chart.itemCount(), 2);
        QCOMPARE(d.chart.linkCount(), 1);
        QVERIFY(d.services.lastBoxText().contains("short.csv"));
        QVERIFY(d.services.lastBoxText().contains("line 4"));
    }

    void shortPrm_stopsAtThatItemWithoutHalfFilledItem() {
        writeText(path("prm.QMX"),
                  "[GraphicalEdit]\r\nType=0\r\nItems=3\r\nLinks=1\r\n\r\n"
                  "[Item0]\r\nName=A\r\n\r\n"
                  "[Item1]\r\nName=B\r\nPrm=5,100\r\n\r\n"
                  "[Link0]\r\nOrigin=0\r\nFinal=1\r\n\r\n");
        Doc d;
        QVERIFY(!DocumentFile::LoadDocument(d.ctx, path("prm.QMX")));
        QCOMPARE(d.chart.itemCount(), 1);
        QCOMPARE(d.chart.items[0].name, QString("A"));
        QCOMPARE(d.chart.items[0].lead, quint8(1)); // the missing Prm default
        QCOMPARE(d.chart.linkCount(), 0);
        QCOMPARE(d.services.boxes.size(), size_t(1));
        QVERIFY(d.services.lastBoxText().contains("prm.QMX"));
        QVERIFY(d.services.lastBoxText().contains("[Item1]"));
    }

    void badPoint_stopsLinksAndKeepsEarlierOnes() {
        writeText(path("pt.QMX"),
                  "[GraphicalEdit]\r\nType=0\r\nItems=2\r\nLinks=2\r\n\r\n"
                  "[Link0]\r\nOrigin=0\r\nFinal=1\r\nPoint=1,2,3\r\n\r\n"
                  "[Link1]\r\nOrigin=1\r\nFinal=0\r\nPoint=1,x\r\n\r\n");
        Doc d;
        QVERIFY(!DocumentFile::LoadDocument(d.ctx, path("pt.QMX")));
        QCOMPARE(d.chart.itemCount(), 2);
        QCOMPARE(d.chart.linkCount(), 1);
        QCOMPARE(d.chart.links[0].points, QVector<QPoint>{QPoint(1, 2)}); // odd last field ignored
        QVERIFY(d.services.lastBoxText().contains("[Link1]"));
    }

    void linkEndsOutsideTheItems_areDroppedWithAMessage() {
        writeText(path("ends.QMX"),
                  "[GraphicalEdit]\r\nType=0\r\nItems=2\r\nLinks=4\r\nStart=9\r\n\r\n"
                  "[Link0]\r\nOrigin=0\r\nFinal=1\r\n\r\n"
                  "[Link1]\r\nOrigin=0\r\nFinal=5\r\n\r\n"
                  "[Link2]\r\nOrigin=-1\r\nFinal=1\r\n\r\n"
                  "[Link3]\r\nOrigin=1\r\nFinal=0\r\n\r\n");
        Doc d;
        QVERIFY(DocumentFile::LoadDocument(d.ctx, path("ends.QMX")));
        QCOMPARE(d.chart.linkCount(), 2);
        QCOMPARE(d.chart.startItem, -1);
        QVERIFY(d.services.lastBoxText().startsWith("2 link(s)"));
    }

    void hugeCounts_readNothingInsteadOfFillingMemory() {
        writeText(path("huge.QMX"), "[GraphicalEdit]\r\nType=0\r\nItems=2000000000\r\nLinks=2000000000\r\n"
                                    "Width=99999999\r\n");
        Doc d;
        QVERIFY(DocumentFile::LoadDocument(d.ctx, path("huge.QMX")));
        QCOMPARE(d.chart.itemCount(), 0);
        QCOMPARE(d.chart.linkCount(), 0);
        QCOMPARE(d.ctx.canvas.width(), DocumentFile::kMaxCanvas);
        QCOMPARE(d.services.boxes.size(), size_t(1));
    }

    void missingKeys_takeTheirDefaults() {
        writeText(path("min.QMX"), "[graphicaledit]\r\ntype=7\r\nitems=1\r\n");
        Doc d;
        d.ctx.canvas = QSize(100, 100);
        QVERIFY(DocumentFile::LoadDocument(d.ctx, path("min.QMX")));
        QCOMPARE(d.chart.documentKind, quint8(ScenarioChart));
        QCOMPARE(d.header.MotionName, MotionHeader::defaultName());
        QCOMPARE(d.header.MotionCtrl, quint32(0xFFFF));
        QCOMPARE(d.ctx.canvas, QSize(640, 480));
        const Item& it = d.chart.items[0];
        QCOMPARE(it.width, 50);
        QCOMPARE(it.colour, quint32(0xFFFFFF));
        QCOMPARE(it.lead, quint8(1));
        QCOMPARE(it.values[23], quint16(0));
    }

    void mutatedDocuments_neverCrashAndKeepLinksValid() {
        Doc src;
        for (int i = 0; i < 6; ++i) src.item(i % 3 == 2 ? KindCmp : KindPos, i * 60, 10);
        for (int i = 0; i < 5; ++i) src.link(i, i + 1, i == 2 ? BranchLink : MainLink, {QPoint(i, i)});
        src.chart.startItem = 0;
        QVERIFY(DocumentFile::SaveDocument(src.ctx, path("base.QMX"), true));
        const QByteArray base = readFile(path("base.QMX"));
        const QByteArray junk[] = {"", "-", "\"", ",", "=", "[", "]", "\r\n", "999999999999", "-1", "x", "\xff"};
        QRandomGenerator rng(1234);
        for (int round = 0; round < 300; ++round) {
            QByteArray m = base;
            const int edits = 1 + int(rng.bounded(4));
            for (int e = 0; e < edits; ++e) {
                const int at = int(rng.bounded(m.size()));
                switch (rng.bounded(3)) {
                case 0: m.remove(at, int(rng.bounded(8))); break;
                case 1: m.insert(at, junk[rng.bounded(int(std::size(junk)))]); break;
                default: m.truncate(at); break;
                }
            }
            QFile f(path("fuzz.QMX"));
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(m);
            f.close();
            Doc d;
            DocumentFile::OpenDocument(d.ctx, path("fuzz.QMX"));
            for (const Link& l : d.chart.links) {
                QVERIFY(d.chart.validItem(l.origin));
                QVERIFY(d.chart.validItem(l.final));
            }
            QVERIFY(d.chart.startItem == -1 || d.chart.validItem(d.chart.startItem));
        }
    }
};

QVX_TEST_CLASS(DocumentFileTest)
#include "DocumentFileTest.moc"
