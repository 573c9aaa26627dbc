#include "editor/CanvasGeometry.h"
#include "common/TestRegistry.h"
#include "editor/ChartPainter.h"
#include "document/ItemColours.h"

#include <QTest>
#include <cmath>
#include <numbers>

using namespace qvx;

class CanvasGeometryTest : public QObject {
    Q_OBJECT
  private slots:
    void directionAngle_data() {
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<double>("degrees");
        QTest::newRow("right") << QPoint(10, 0) << 0.0;
        QTest::newRow("down") << QPoint(0, 10) << 90.0;
        QTest::newRow("left") << QPoint(-10, 0) << 180.0;
        QTest::newRow("up") << QPoint(0, -10) << 270.0;
        QTest::newRow("down right") << QPoint(10, 10) << 45.0;
        QTest::newRow("down left") << QPoint(-10, 10) << 135.0;
        QTest::newRow("up left") << QPoint(-10, -10) << 225.0;
        QTest::newRow("up right") << QPoint(10, -10) << 315.0;
        QTest::newRow("zero length") << QPoint(0, 0) << -180.0 / std::numbers::pi;
    }
    void directionAngle() {
        QFETCH(QPoint, to);
        QFETCH(double, degrees);
        const QPoint from(100, 100);
        const float a = CanvasGeometry::DirectionAngle(from, from + to);
        QVERIFY2(std::abs(a - degrees * std::numbers::pi / 180.0) < 1e-5,
                 qPrintable(QString::number(a)));
    }

    void arrowHead_pointsAlongTheSegmentFromItsMiddle() {
        // Right: the local triangle unchanged around the middle (truncating division).
        auto h = CanvasGeometry::ArrowHead({0, 0}, {21, 0});
        QCOMPARE(h[0], QPoint(10 - 5, 5));
        QCOMPARE(h[1], QPoint(10 - 5, -5));
        QCOMPARE(h[2], QPoint(14, 0));
        // Down (90°): tip below the middle.
        h = CanvasGeometry::ArrowHead({50, 0}, {50, 40});
        QCOMPARE(h[2], QPoint(50, 24));
        QCOMPARE(h[0], QPoint(45, 15));
        QCOMPARE(h[1], QPoint(55, 15));
        // Left from a negative difference: the middle truncates toward zero.
        h = CanvasGeometry::ArrowHead({21, 0}, {0, 0});
        QCOMPARE(h[2], QPoint(11 - 4, 0));
    }

    void arrowHead_zeroLengthIsTurnedByMinusOneRadian() {
        const auto h = CanvasGeometry::ArrowHead({10, 10}, {10, 10});
        const double c = std::cos(-1.0), s = std::sin(-1.0);
        QCOMPARE(h[2], QPoint(10 + int(std::lrint(4 * c)), 10 + int(std::lrint(4 * s))));
    }

    void textColour_followsRoundedLuminance() {
        QVERIFY(ItemColours::WantsWhiteText(0, 0, 0));
        QVERIFY(!ItemColours::WantsWhiteText(255, 255, 0));  // yellow
        QVERIFY(ItemColours::WantsWhiteText(128, 128, 128)); // exactly 128
        QVERIFY(!ItemColours::WantsWhiteText(129, 129, 129));
        QVERIFY(ItemColours::WantsWhiteText(0, 218, 0));  // 127.97 rounds to 128
        QVERIFY(!ItemColours::WantsWhiteText(0, 219, 0)); // 128.55 rounds to 129
    }

    void textColourFor_resolvesSystemColoursFirst() {
        QPalette pal;
        pal.setColor(QPalette::Button, QColor(20, 20, 20));
        ChartPainter dark(pal);
        QCOMPARE(dark.TextColourFor(ItemColours::kButtonFace), QColor(Qt::white));
        pal.setColor(QPalette::Button, QColor(240, 240, 240));
        ChartPainter light(pal);
        QCOMPARE(light.TextColourFor(ItemColours::kButtonFace), QColor(Qt::black));
        QCOMPARE(light.TextColourFor(*ItemColours::ColourForTag(3)), QColor(Qt::white));  // black
        QCOMPARE(light.TextColourFor(*ItemColours::ColourForTag(13)), QColor(Qt::black)); // yellow
        QCOMPARE(light.Resolve(0x0000FF), QColor(255, 0, 0));
    }
};

QVX_TEST_CLASS(CanvasGeometryTest)
#include "CanvasGeometryTest.moc"
