#include "common/RecordingServices.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "document/DocumentFile.h"
#include "document/MotionHeader.h"
#include "editor/EditState.h"
#include "editor/HitTest.h"
#include "editor/ChartCanvas.h"

#include <QTemporaryDir>
#include <QTest>
#include <climits>

using namespace qvx;

namespace {

QByteArray document(const QByteArray& head, const QByteArray& body) {
    return "[GraphicalEdit]\r\nType=0\r\n" + head + body;
}

QByteArray item(int n, const QByteArray& geometry) {
    return "[Item" + QByteArray::number(n) + "]\r\nName=A\r\n" + geometry +
           "Prm=1,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0\r\n";
}

} // namespace

// Documents whose numbers reach the ends of the integer range: the loader
// refuses what cannot be shown, everything else is computed without overflow.
class HostileGeometryTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    qvxtest::RecordingServices services;

    bool load(Chart& chart, const QByteArray& bytes) {
        MotionHeader header;
        const QString path = dir.filePath("hostile.qmx");
        qvxtest::writeFile(path, bytes);
        DocumentContext ctx(chart, header, services);
        return DocumentFile::LoadDocument(ctx, path);
    }

  private slots:
    void init() { services.clear(); }

    void coordinatesBeyondTheCanvasRange_areRefusedNamingTheKey_data() {
        QTest::addColumn<QByteArray>("geometry");
        QTest::addColumn<QString>("key");
        QTest::newRow("left") << QByteArray("Left=2147483637\r\n") << QStringLiteral("Left");
        QTest::newRow("top") << QByteArray("Top=-2147483647\r\n") << QStringLiteral("Top");
        QTest::newRow("width") << QByteArray("Width=2147483647\r\n") << QStringLiteral("Width");
        QTest::newRow("height") << QByteArray("Height=-2147483000\r\n") << QStringLiteral("Height");
    }
    void coordinatesBeyondTheCanvasRange_areRefusedNamingTheKey() {
        QFETCH(QByteArray, geometry);
        QFETCH(QString, key);
        Chart chart;
        QVERIFY(!load(chart, document("Items=1\r\n", item(0, geometry))));
        QCOMPARE(chart.itemCount(), 0);
        QVERIFY(services.lastBoxText().contains(key + u'='));
    }

    void bendingPointsNearTheIntegerEnds_areRefused() {
        Chart chart;
        const QByteArray links = "[Link0]\r\nMain=0\r\nOrigin=0\r\nFinal=1\r\n"
                                 "Point=2147483647,-2147483648\r\n";
        QVERIFY(!load(chart, document("Items=2\r\nLinks=1\r\nStart=0\r\n",
                                      item(0, "Left=10\r\n") + item(1, "Left=100\r\n") + links)));
        QCOMPARE(chart.linkCount(), 0);
        QVERIFY(services.lastBoxText().contains(QStringLiteral("Point")));
    }

    void mergeWithIndexesNearTheIntegerEnd_shiftsWithoutOverflow() {
        Chart chart;
        QVERIFY(load(chart, document("Items=2\r\nStart=1\r\n",
                                     item(0, "Left=10\r\n") + item(1, "Left=100\r\n"))));
        const QByteArray links = "[Link0]\r\nMain=0\r\nOrigin=2147483646\r\nFinal=0\r\n"
                                 "[Link1]\r\nMain=0\r\nOrigin=0\r\nFinal=2147483647\r\n";
        QVERIFY(load(chart, document("Items=1\r\nLinks=2\r\nStart=2147483647\r\n",
                                     item(0, "Left=50\r\n") + links)));
        QCOMPARE(chart.itemCount(), 3);
        QCOMPARE(chart.startItem, 1);
        QCOMPARE(chart.linkCount(), 0);

        // Into an empty chart a start far past the items is no start at all.
        Chart empty;
        QVERIFY(load(empty, document("Items=1\r\nStart=2147483647\r\n", item(0, ""))));
        QCOMPARE(empty.startItem, -1);
    }

    void itemsAtTheEdgeOfTheRange_paintAndHitWithoutOverflow() {
        // The largest values the loader takes, drawn and hit-tested.
        const int m = DocumentFile::kMaxCoordinate;
        Chart chart;
        QVERIFY(load(chart, document("Items=2\r\nLinks=1\r\nStart=0\r\n",
                                     item(0, "Left=" + QByteArray::number(m) + "\r\nTop=" +
                                                 QByteArray::number(m) + "\r\nWidth=" +
                                                 QByteArray::number(m) + "\r\nHeight=" +
                                                 QByteArray::number(m) + "\r\n") +
                                         item(1, "Left=" + QByteArray::number(-m) + "\r\nTop=" +
                                                     QByteArray::number(-m) + "\r\n") +
                                         "[Link0]\r\nMain=1\r\nOrigin=0\r\nFinal=1\r\nPoint=" +
                                         QByteArray::number(m) + u',' + QByteArray::number(-m) +
                                         "\r\n")));
        QCOMPARE(chart.itemCount(), 2);
        EditState edit;
        ChartCanvas canvas(chart, edit);
        canvas.setCanvasSize(QSize(640, 480));
        chart.items[0].selected = true;
        QVERIFY(!canvas.grab().isNull());
        QCOMPARE(HitTest::ItemAt(chart, QPoint(m + 5, m + 5)), 0);
        QCOMPARE(HitTest::ItemAt(chart, QPoint(INT_MAX, INT_MAX)), -1);
        QCOMPARE(HitTest::ItemAt(chart, QPoint(INT_MIN, INT_MIN)), -1);
        HitTest::LinkAt(chart, QPoint(INT_MIN, INT_MAX));
    }
};

QVX_TEST_CLASS(HostileGeometryTest)
#include "HostileGeometryTest.moc"
