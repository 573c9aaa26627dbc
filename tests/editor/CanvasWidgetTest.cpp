#include "EditorFixtures.h"
#include "common/RecordingServices.h"
#include "common/TestRegistry.h"
#include "editor/ChartCanvas.h"
#include "editor/ChartPainter.h"
#include "editor/EditState.h"

#include <QAction>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QRegion>
#include <QSignalSpy>
#include <QTest>

using namespace qvx;
using namespace editortest;

namespace {
struct CanvasRig {
    Chart chart;
    EditState edit;
    qvxtest::RecordingServices services;
    ChartCanvas canvas{chart, edit};
    CanvasRig() { canvas.setServices(&services); }
    QImage render() {
        QImage img(canvas.size(), QImage::Format_RGB32);
        canvas.render(&img);
        return img;
    }
    QColor highlight() const {
        return canvas.palette().color(QPalette::Active, QPalette::Highlight);
    }
};
} // namespace

class CanvasWidgetTest : public QObject {
    Q_OBJECT
  private slots:
    void swallowedPress_resetsToolOnly() {
        CanvasRig r;
        item(r.chart, KindPos, 0, 0);
        r.edit.toolMode = ToolSwallow;
        QSignalSpy reset(&r.canvas, &ChartCanvas::toolModeReset);
        QSignalSpy moved(&r.canvas, &ChartCanvas::mousePositionChanged);
        move(&r.canvas, {10, 10});
        QCOMPARE(reset.count(), 1);
        QCOMPARE(moved.count(), 0);
        click(&r.canvas, {10, 10});
        QVERIFY(r.chart.items[0].selected);
    }

    void clicks_selectShiftToggleAndClear() {
        CanvasRig r;
        item(r.chart, KindPos, 0, 0);
        item(r.chart, KindPos, 100, 0);
        click(&r.canvas, {10, 10});
        QVERIFY(r.chart.items[0].selected);
        click(&r.canvas, {110, 10}, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(r.chart.SelectedItemCount(), 2);
        click(&r.canvas, {110, 10}, Qt::LeftButton, Qt::ShiftModifier);
        QVERIFY(!r.chart.items[1].selected);
        // Any other modifier is a plain click.
        click(&r.canvas, {110, 10}, Qt::LeftButton, Qt::ShiftModifier | Qt::ControlModifier);
        QVERIFY(!r.chart.items[0].selected && r.chart.items[1].selected);
        // Shift on empty canvas does nothing; a plain click clears.
        click(&r.canvas, {300, 300}, Qt::LeftButton, Qt::ShiftModifier);
        QVERIFY(r.chart.items[1].selected);
        click(&r.canvas, {300, 300});
        QCOMPARE(r.chart.SelectedItemCount(), 0);
        QVERIFY(!r.edit.rubberBand);
        // A middle click changes nothing.
        click(&r.canvas, {10, 10}, Qt::MiddleButton);
        QCOMPARE(r.chart.SelectedItemCount(), 0);
    }

    void rubberBand_selectsOverlappingItemsAndTheirLinks() {
        CanvasRig r;
        item(r.chart, KindPos, 8, 8);
        item(r.chart, KindPos, 40, 40);
        item(r.chart, KindPos, 300, 300);
        link(r.chart, 0, 1);
        link(r.chart, 1, 2);
        press(&r.canvas, {0, 0});
        QVERIFY(r.edit.rubberBand);
        move(&r.canvas, {10, 10}, Qt::LeftButton);
        QCOMPARE(r.chart.SelectedItemCount(), 1);
        move(&r.canvas, {45, 45}, Qt::LeftButton);
        QCOMPARE(r.chart.SelectedItemCount(), 2);
        QVERIFY(r.chart.links[0].selected && !r.chart.links[1].selected);
        // Going back shrinks the selection again.
        move(&r.canvas, {10, 10}, Qt::LeftButton);
        QCOMPARE(r.chart.SelectedItemCount(), 1);
        release(&r.canvas, {10, 10});
        QVERIFY(!r.edit.rubberBand);
    }

    void drag_movesTheWholeSelection() {
        CanvasRig r;
        item(r.chart, KindPos, 100, 100);
        item(r.chart, KindPos, 200, 100);
        click(&r.canvas, {110, 110});
        click(&r.canvas, {210, 110}, Qt::LeftButton, Qt::ShiftModifier);
        drag(&r.canvas, {110, 110}, {130, 150});
        QCOMPARE(QPoint(r.chart.items[0].left, r.chart.items[0].top), QPoint(120, 140));
        QCOMPARE(QPoint(r.chart.items[1].left, r.chart.items[1].top), QPoint(220, 140));
        // Dragging with shift held moves nothing.
        press(&r.canvas, {130, 150}, Qt::LeftButton, Qt::ShiftModifier);
        move(&r.canvas, {160, 150}, Qt::LeftButton, Qt::ShiftModifier);
        QCOMPARE(r.chart.items[1].left, 220);
    }

    void doubleClick_opensDialogsOrReversesLink() {
        CanvasRig r;
        item(r.chart, KindPos, 0, 0);
        item(r.chart, KindCmp, 200, 0);
        link(r.chart, 0, 1, {{100, 200}});
        QSignalSpy itemSpy(&r.canvas, &ChartCanvas::itemDoubleClicked);
        QSignalSpy emptySpy(&r.canvas, &ChartCanvas::emptyDoubleClicked);
        doubleClick(&r.canvas, {210, 10});
        QCOMPARE(itemSpy.count(), 1);
        QCOMPARE(itemSpy.at(0).at(0).toInt(), 1);
        doubleClick(&r.canvas, {400, 400});
        QCOMPARE(emptySpy.count(), 1);
        // Handle of the first segment, (25,15)-(100,200): (63, 108).
        doubleClick(&r.canvas, {63, 108});
        QCOMPARE(r.chart.links[0].origin, 1);
        QCOMPARE(r.chart.links[0].final, 0);
        doubleClick(&r.canvas, {100, 200}); // a bending point: nothing
        QCOMPARE(r.chart.links[0].origin, 1);
        QCOMPARE(itemSpy.count(), 1);
        QCOMPARE(emptySpy.count(), 1);
    }

    void doubleClick_whilePlacing_placesThenSelects() {
        CanvasRig r;
        r.edit.toolMode = ToolPos;
        QSignalSpy itemSpy(&r.canvas, &ChartCanvas::itemDoubleClicked);
        QSignalSpy emptySpy(&r.canvas, &ChartCanvas::emptyDoubleClicked);
        doubleClick(&r.canvas, {100, 100});
        QCOMPARE(r.chart.itemCount(), 1);
        QCOMPARE(itemSpy.count() + emptySpy.count(), 0);
        QVERIFY(r.chart.items[0].selected); // the second click was a select click
    }

    void canvasMenu_entriesFollowTheHit() {
        CanvasRig r;
        r.canvas.show();
        item(r.chart, KindPos, 0, 0);
        item(r.chart, KindPos, 200, 0);
        link(r.chart, 0, 1, {{25, 200}});
        click(&r.canvas, {10, 10}, Qt::RightButton);
        QTRY_VERIFY(r.canvas.PopupMenu->isVisible());
        QVERIFY(r.canvas.CopyMenu->isVisible() && r.canvas.ItemDel->isVisible());
        QVERIFY(r.canvas.ColorMenu->menuAction()->isVisible() && r.canvas.PropMenu->isEnabled());
        QVERIFY(!r.canvas.PointAddBtn->isVisible() && !r.canvas.PointDelBtn->isVisible());
        QVERIFY(r.chart.items[0].selected);
        r.canvas.PopupMenu->hide();

        click(&r.canvas, {25, 200}, Qt::RightButton);
        QVERIFY(r.canvas.PointDelBtn->isVisible());
        QVERIFY(!r.canvas.CopyMenu->isVisible() && !r.canvas.ItemDel->isVisible());
        QVERIFY(!r.canvas.Separate0->isVisible());
        QVERIFY(r.canvas.N21->isVisible() && r.canvas.N22->isVisible());
        r.canvas.PointDelBtn->trigger();
        QVERIFY(r.chart.links[0].points.isEmpty());
        r.canvas.PopupMenu->hide();

        click(&r.canvas, {125, 15}, Qt::RightButton); // handle of the straight link
        QVERIFY(r.canvas.PointAddBtn->isVisible() && r.canvas.ItemDel->isVisible());
        r.canvas.PointAddBtn->trigger();
        QCOMPARE(r.chart.links[0].points, QVector<QPoint>{QPoint(125, 15)});
        r.canvas.ItemDel->trigger();
        QCOMPARE(r.chart.linkCount(), 0);
        r.canvas.PopupMenu->hide();
    }

    void canvasMenu_deletionWhilePlacing_doesNothing() {
        CanvasRig r;
        item(r.chart, KindPos, 0, 0);
        r.edit.toolMode = ToolSet;
        click(&r.canvas, {10, 10}, Qt::RightButton);
        r.canvas.ItemDel->trigger();
        QCOMPARE(r.chart.itemCount(), 1);
        r.canvas.PopupMenu->hide();
        r.canvas.N21->trigger(); // release the selection: back to tool 0
        QCOMPARE(r.edit.toolMode, int(ToolSelect));
        QCOMPARE(r.chart.SelectedItemCount(), 0);
    }

    void canvasMenu_copyPasteAndProperty() {
        CanvasRig r;
        item(r.chart, KindPos, 50, 50);
        QSignalSpy prop(&r.canvas, &ChartCanvas::itemPropertyRequested);
        move(&r.canvas, {60, 60});
        click(&r.canvas, {60, 60}, Qt::RightButton);
        r.canvas.PropMenu->trigger();
        QCOMPARE(prop.count(), 1);
        QCOMPARE(prop.at(0).at(0).toInt(), 0);
        r.canvas.CopyMenu->trigger();
        move(&r.canvas, {300, 200});
        r.canvas.PasteMenu->trigger();
        QCOMPARE(r.chart.itemCount(), 2);
        QCOMPARE(QPoint(r.chart.items[1].left, r.chart.items[1].top), QPoint(300, 200));
        r.canvas.N22->trigger();
        QCOMPARE(r.chart.SelectedItemCount(), 2);
        r.canvas.PopupMenu->hide();
    }

    void colourMenu_etcAsksForEverySelectedItem() {
        CanvasRig r;
        for (int i = 0; i < 3; ++i)
            item(r.chart, KindPos, i * 60, 0);
        for (Item& it : r.chart.items)
            it.selected = true;
        r.services.colourAnswers = {QColor(1, 2, 3), std::nullopt, QColor(4, 5, 6)};
        QAction* etc = r.canvas.ColorMenu->findChild<QAction*>("N8");
        QVERIFY(etc);
        etc->trigger();
        QCOMPARE(r.services.fileDialogs, 3);
        QCOMPARE(r.chart.items[0].colour, quint32(0x030201));
        QCOMPARE(r.chart.items[1].colour, quint32(0xFFFFFF));
        QCOMPARE(r.chart.items[2].colour, quint32(0x060504));
        QCOMPARE(r.chart.SelectedItemCount(), 0);
        r.chart.items[1].selected = true;
        r.canvas.ColorMenu->findChild<QAction*>("N7")->trigger(); // black
        QCOMPARE(r.chart.items[1].colour, quint32(0));
    }

    void paint_itemsFlagAndSelectedLink() {
        CanvasRig r;
        item(r.chart, KindPos, 100, 100);
        item(r.chart, KindPos, 300, 100);
        r.chart.items[1].colour = 0x000000; // black fill
        r.chart.items[0].colour = 0x00FFFF; // yellow fill, origin of the link
        link(r.chart, 0, 1, {{125, 250}});
        r.chart.links[0].selected = true;
        r.chart.startItem = 0;
        const QImage img = r.render();
        const QColor background = r.canvas.palette().color(QPalette::Base);
        QCOMPARE(img.pixelColor(5, 5), background);
        QCOMPARE(img.pixelColor(105, 125), QColor(255, 255, 0)); // fill
        QCOMPARE(img.pixelColor(100, 115), QColor(Qt::black));   // left outline
        QCOMPARE(img.pixelColor(149, 115), QColor(Qt::black));   // right outline, x = left + 49
        QCOMPARE(img.pixelColor(150, 115), background);
        QCOMPARE(img.pixelColor(302, 102), QColor(Qt::black)); // fill of the black item
        // Start flag: red triangle left of the pole at x = 110.
        QCOMPARE(img.pixelColor(107, 93), QColor(255, 0, 0));
        QCOMPARE(img.pixelColor(110, 105), QColor(Qt::black));
        // Bending point of the selected link: white square with a highlight frame.
        QCOMPARE(img.pixelColor(124, 251),
                 QColor(Qt::white)); // the centre carries the next segment
        QCOMPARE(img.pixelColor(127, 250), r.highlight());
        // The arrowhead of the first (vertical) segment is highlighted when selected.
        QCOMPARE(img.pixelColor(125, 183), r.highlight());

        r.chart.links[0].selected = false;
        const QImage plain = r.render();
        QCOMPARE(plain.pixelColor(125, 183), QColor(255, 255, 0));      // origin's colour
        QCOMPARE(plain.pixelColor(125, 250), QColor(0x80, 0x80, 0x80)); // corner, no square
    }

    void paint_branchLinkIsDotted_selectedItemHighlighted() {
        CanvasRig r;
        item(r.chart, KindCmp, 100, 0);   // centre (125, 15)
        item(r.chart, KindPos, 100, 200); // centre (125, 215)
        link(r.chart, 0, 1, {}, BranchLink);
        r.chart.items[1].selected = true;
        const QImage img = r.render();
        const QColor gray(0x80, 0x80, 0x80);
        int on = 0, off = 0;
        for (int y = 40; y < 100; ++y)
            (img.pixelColor(125, y) == gray ? on : off)++;
        QVERIFY2(on > 10 && off > 10, qPrintable(QString("%1 on, %2 off").arg(on).arg(off)));
        QCOMPARE(img.pixelColor(105, 205), r.highlight());
    }

    void paint_namesCentredAndClippedToTheItem() {
        CanvasRig r;
        item(r.chart, KindPos, 100, 100);
        item(r.chart, KindPos, 100, 200);
        r.chart.items[1].name = "A name far too long for its item";
        const QImage img = r.render();
        // Black text pixels inside the white item, away from its outline.
        int first = 1000, last = -1;
        for (int x = 102; x < 148; ++x)
            for (int y = 103; y < 127; ++y)
                if (img.pixelColor(x, y) == QColor(Qt::black)) {
                    first = std::min(first, x);
                    last = std::max(last, x);
                }
        QVERIFY(last > first);
        QVERIFY(std::abs((first - 101) - (148 - last)) <= 2); // centred
        const QColor background = r.canvas.palette().color(QPalette::Base);
        for (int x = 151; x < 170; ++x)
            for (int y = 203; y < 227; ++y)
                QCOMPARE(img.pixelColor(x, y), background);
    }

    void paint_keptItemShapesMatchDirectDrawing() {
        Chart chart;
        EditState edit;
        const quint32 colours[] = {0xFFFFFF, 0x00FFFF, 0x000000, 0x8000000F};
        for (int i = 0; i < 8; ++i) {
            const int n = chart.AddItems(1);
            Item& it = chart.items[size_t(n)];
            it.kind = i % 3 == 0 ? KindMot : KindPos;
            it.left = 10 + i * 70;
            it.top = 10 + i * 7;
            it.width = 20 + i * 6;
            it.height = 20 + i * 3;
            it.colour = colours[i % 4];
            it.selected = i % 2 == 1;
        }
        chart.items[7].width = 300; // too large to keep: drawn directly either way
        chart.items[7].height = 100;
        QPalette palette;
        PaintCache cache;
        QImage direct(700, 200, QImage::Format_RGB32), kept(700, 200, QImage::Format_RGB32);
        for (int round = 0; round < 2; ++round) { // the second round draws from the cache
            QPainter a(&direct), b(&kept);
            ChartPainter(palette).Paint(a, chart, edit, direct.size());
            ChartPainter(palette, &cache).Paint(b, chart, edit, kept.size());
        }
        QCOMPARE(kept, direct);
    }

    void paint_startFlagIsWholeOnTheCanvasEvenAtTheTop() {
        const QColor red(255, 0, 0);
        auto redPixels = [&](const QImage& img, QRect* box) {
            int n = 0;
            *box = QRect();
            for (int y = 0; y < img.height(); ++y)
                for (int x = 0; x < img.width(); ++x)
                    if (img.pixelColor(x, y) == red) {
                        ++n;
                        *box |= QRect(x, y, 1, 1);
                    }
            return n;
        };
        CanvasRig r;
        item(r.chart, KindPos, 100, 100);
        r.chart.items[0].name.clear(); // only the flag and the pole on the white item
        r.chart.startItem = 0;
        QRect box;
        const int whole = redPixels(r.render(), &box);
        QVERIFY(whole > 20);
        QCOMPARE(box.top(), 100 - 11); // far from the top the flag sits above the item

        // Rebuilt charts put items at top 5; the flag must not be cut off there.
        for (int top : {0, 5, 11, 12, 40}) {
            r.chart.items[0].top = top;
            const QImage img = r.render();
            QCOMPARE(redPixels(img, &box), whole);
            QVERIFY(box.top() >= 0);
            // The pole runs on below the flag, at the item's left + 10.
            QCOMPARE(img.pixelColor(110, box.bottom() + 6), QColor(Qt::black));
            QCOMPARE(img.pixelColor(111, box.bottom() + 6), QColor(Qt::white));
        }
    }

    void paint_keptNamesMatchDirectDrawing() {
        Chart chart;
        EditState edit;
        const QStringList names = {"POS1",
                                   "A",
                                   "Wave",
                                   "SET12",
                                   "jiffy",
                                   "CMP 3 > 40",
                                   QString::fromUtf8("歩行"),
                                   QString::fromUtf8("右足を上げる"),
                                   "mm"};
        for (int i = 0; i < names.size(); ++i) {
            const int n = chart.AddItems(1);
            Item& it = chart.items[size_t(n)];
            it.kind = i % 4 == 3 ? KindMot : KindPos;
            it.name = names[i];
            it.left = 10 + (i % 3) * 130;
            it.top = 10 + (i / 3) * 50;
            it.width = 100 + i; // odd and even widths
            it.height = 30 + i % 2 * 3;
            it.colour = i % 2 ? 0x000000 : 0xFFFFFF;
            it.selected = i == 4;
        }
        QPalette palette;
        PaintCache cache;
        const QSize size(420, 170);
        QImage direct(size, QImage::Format_RGB32), kept(size, QImage::Format_RGB32);
        for (int round = 0; round < 2; ++round) { // the second round draws from the cache
            QPainter a(&direct), b(&kept);
            ChartPainter(palette).Paint(a, chart, edit, size);
            ChartPainter(palette, &cache).Paint(b, chart, edit, size);
        }
        QCOMPARE(kept, direct);

        // Names cut at their items, kept in one font and then drawn in another:
        // nothing kept from the first font shows.
        chart.items[0].name = QStringLiteral("Walk forward slowly");
        chart.items[0].width = 41;
        chart.items[6].width = 17;
        QFont big = QPainter(&direct).font();
        big.setPixelSize(21);
        for (bool enlarged : {false, true}) {
            QPainter a(&direct), b(&kept);
            if (enlarged) {
                a.setFont(big);
                b.setFont(big);
            }
            ChartPainter(palette).Paint(a, chart, edit, size);
            ChartPainter(palette, &cache).Paint(b, chart, edit, size);
            a.end();
            b.end();
            QCOMPARE(kept, direct);
        }

        QVERIFY(namesShow(chart, direct));
    }

    // Whether the chart's names show on its canvas `named`: without them
    // the canvas differs.
    static bool namesShow(Chart chart, const QImage& named) {
        for (Item& it : chart.items)
            it.name.clear();
        return painted(chart, named.size()) != named;
    }

    // The whole canvas of that size, drawn with what `cache` keeps, or
    // afresh without one.
    static QImage painted(const Chart& chart, QSize size, PaintCache* cache = nullptr) {
        QImage img(size, QImage::Format_RGB32);
        QPainter p(&img);
        ChartPainter(QPalette(), cache).Paint(p, chart, EditState(), size);
        return img;
    }

    // A chart that fills a 420 x 300 canvas: names wider than their items,
    // names that fit, main, branch and selected links crossing each other,
    // items and links close to the edges.
    static void crowdedChart(Chart& chart) {
        const quint32 colours[] = {0xFFFFFF, 0x00FFFF, 0x000000, 0x8000000F, 0x808080};
        for (int i = 0; i < 24; ++i) {
            const int n = chart.AddItems(1);
            Item& it = chart.items[size_t(n)];
            it.kind = i % 5 == 4 ? KindMot : (i % 3 == 1 ? KindSet : KindPos);
            it.name = i % 4 == 1 ? QStringLiteral("Walk forward slowly %1").arg(i)
                                 : QStringLiteral("jPOS%1").arg(i);
            it.left = -6 + (i % 6) * 73;
            it.top = -4 + (i / 6) * 77;
            it.width = 44 + i % 3 * 9;
            it.height = 24 + i % 2 * 5;
            it.colour = colours[i % 5];
        }
        for (int i = 0; i < 24; ++i)
            chart.items[size_t(i)].selected = i % 7 == 2;
        for (int i = 0; i < 24; ++i) {
            const int to = (i * 7 + 5) % 24;
            if (to == i) continue;
            const QPoint a = chart.ItemCentre(i), b = chart.ItemCentre(to);
            const int l =
                link(chart, i, to, {QPoint(a.x() + 13, b.y() - 9), QPoint(b.x() - 17, b.y() + 11)},
                     i % 3 == 0 ? BranchLink : MainLink);
            chart.links[size_t(l)].selected = i % 5 == 0;
        }
        chart.startItem = 3;
    }

    void paint_exposedPartsMatchWholeRepaint() {
        Chart chart;
        EditState edit;
        crowdedChart(chart);
        QPalette palette;
        const QSize size(420, 300);
        QImage whole(size, QImage::Format_RGB32);
        {
            QPainter p(&whole);
            ChartPainter(palette).Paint(p, chart, edit, size);
        }
        // Put together from small exposed tiles, with and without kept
        // pieces, the canvas is the same, pixel for pixel.
        PaintCache cache;
        for (const QSize tile : {QSize(37, 29), QSize(11, 13), QSize(150, 7)}) {
            for (bool kept : {false, true}) {
                QImage tiled(size, QImage::Format_RGB32);
                tiled.fill(Qt::magenta);
                for (int y = 0; y < size.height(); y += tile.height())
                    for (int x = 0; x < size.width(); x += tile.width()) {
                        QPainter p(&tiled);
                        ChartPainter(palette, kept ? &cache : nullptr)
                            .Paint(p, chart, edit, size, QRect(QPoint(x, y), tile));
                    }
                QCOMPARE(tiled, whole);
            }
        }
        // Nothing is drawn outside the exposed part.
        QImage part(size, QImage::Format_RGB32);
        part.fill(Qt::magenta);
        const QRect exposed(100, 80, 130, 90);
        {
            QPainter p(&part);
            ChartPainter(palette, &cache).Paint(p, chart, edit, size, exposed);
        }
        for (int y = 0; y < size.height(); ++y)
            for (int x = 0; x < size.width(); ++x)
                if (!exposed.contains(x, y)) QCOMPARE(part.pixelColor(x, y), QColor(Qt::magenta));
        QCOMPARE(part.copy(exposed), whole.copy(exposed));
    }

    // A name that fits is put down from a picture: on every fill, in either
    // text colour, that gives the pixels of its layout drawn straight.
    void paint_wholeNamePictureIsTheNameDrawnStraight() {
        const QColor fills[] = {Qt::white, QColor(255, 255, 0), QColor(128, 128, 128), Qt::black};
        for (const QString name : {"POS12", "jÅgy", "歩く POS3"}) {
            for (const QColor& fill : fills) {
                const QColor pen = fill.lightness() < 128 ? Qt::white : Qt::black;
                QImage straight(90, 40, QImage::Format_RGB32);
                straight.fill(fill);
                QImage put = straight;
                QPainter a(&straight), b(&put);
                a.setPen(pen);
                const QStaticText layout = ChartPainter::NameLayout(name, a.font());
                a.drawStaticText(QPointF(7, 9), layout);
                const QImage picture = ChartPainter::WholeName(layout, pen, b);
                QVERIFY(!picture.isNull());
                b.drawImage(QPoint(7, 9) + picture.offset(), picture);
                a.end();
                b.end();
                QCOMPARE(put, straight);
            }
        }
    }

    // Arrowheads kept from one repaint are made again when their link, its
    // end items or its colours change: a canvas drawn from what is kept is
    // the one drawn afresh.
    void paint_keptArrowHeadsFollowTheirLinks_data() {
        QTest::addColumn<int>("change");
        QTest::newRow("origin item moved") << 0;
        QTest::newRow("bending point moved") << 1;
        QTest::newRow("bending point added") << 2;
        QTest::newRow("origin item recoloured") << 3;
        QTest::newRow("link selected") << 4;
        QTest::newRow("link before it deleted") << 5;
        QTest::newRow("link reversed") << 6;
    }
    void paint_keptArrowHeadsFollowTheirLinks() {
        QFETCH(int, change);
        Chart chart;
        EditState edit;
        crowdedChart(chart);
        const QPalette palette;
        const QSize size(420, 300);
        PaintCache cache;
        auto paint = [&](PaintCache* kept) {
            QImage img(size, QImage::Format_RGB32);
            QPainter p(&img);
            ChartPainter(palette, kept).Paint(p, chart, edit, size);
            return img;
        };
        const QImage before = paint(&cache);
        Link& l = chart.links[1]; // item 1 to item 12, neither selected
        switch (change) {
        case 0:
            chart.items[1].left += 9;
            break;
        case 1:
            l.points[0] += QPoint(6, -5);
            break;
        case 2:
            l.points.append(QPoint(200, 150));
            break;
        case 3:
            chart.items[1].colour = 0x0000FF;
            break;
        case 4:
            l.selected = true;
            break;
        case 5:
            chart.links.erase(chart.links.begin());
            break;
        case 6:
            chart.ReverseLink(1);
            break;
        }
        const QImage kept = paint(&cache);
        QVERIFY(kept != before);
        QCOMPARE(kept, paint(nullptr));
    }

    // The canvas as the window repaints it: the part exposed, which may be
    // several rectangles, comes out as in a repaint of the whole, and
    // nothing is drawn outside it.
    void paint_canvasRepaintsOfARegionMatchTheWhole_data() {
        QTest::addColumn<QRegion>("region");
        QTest::newRow("top left corner") << QRegion(0, 0, 60, 40);
        QTest::newRow("inside") << QRegion(33, 71, 101, 57);
        QTest::newRow("bottom right corner") << QRegion(250, 150, 170, 150);
        QTest::newRow("thin column") << QRegion(71, 0, 3, 300);
        QTest::newRow("two apart") << (QRegion(10, 20, 90, 60) + QRegion(200, 180, 120, 70));
        QTest::newRow("L shape") << (QRegion(40, 40, 300, 30) + QRegion(40, 70, 30, 200));
        QTest::newRow("crossed bands")
            << (QRegion(0, 120, 420, 9) + QRegion(190, 0, 11, 300) + QRegion(5, 5, 7, 7));
    }
    void paint_canvasRepaintsOfARegionMatchTheWhole() {
        QFETCH(QRegion, region);
        CanvasRig r;
        crowdedChart(r.chart);
        r.canvas.setCanvasSize(QSize(420, 300));
        const QImage whole = r.render();
        // Twice: the second time names and arrowheads come from what is kept.
        for (int round = 0; round < 2; ++round) {
            QImage part(r.canvas.size(), QImage::Format_RGB32);
            part.fill(Qt::magenta);
            // The region is put down at the target offset: in place.
            r.canvas.render(&part, region.boundingRect().topLeft(), region);
            for (int y = 0; y < part.height(); ++y)
                for (int x = 0; x < part.width(); ++x)
                    if (!region.contains(QPoint(x, y)))
                        QCOMPARE(part.pixelColor(x, y), QColor(Qt::magenta));
            for (const QRect& rect : region)
                QCOMPARE(part.copy(rect), whole.copy(rect));
        }
    }

    // Names cut at their items: drawn straight the first time, from pictures
    // made the second time and kept the third, they give the same pixels,
    // for runs of items of one size with different names and text colours
    // and for items whose size changes from one to the next.
    void paint_cutNamesLookTheSameEveryTime_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<QSize>>("sizes");
        const QList<QSize> one = {QSize(50, 30)};
        QTest::newRow("one size, Latin")
            << QStringList{"POS1234 forward", "SET77 arms up", "MMMMMMMMMM", "jiggy jog"} << one;
        QTest::newRow("one size, Japanese")
            << QStringList{QString::fromUtf8("右足を上げて歩く"), QString::fromUtf8("歩行その二")}
            << one;
        QTest::newRow("two lines") << QStringList{"Walk\nforward slowly", "CMP\n3 > 40"} << one;
        QTest::newRow("sizes change")
            << QStringList{"Walk forward slowly", "Turn left twice", "Bow"}
            << QList<QSize>{QSize(41, 24), QSize(50, 30), QSize(17, 31), QSize(50, 30),
                            QSize(120, 12)};
    }
    void paint_cutNamesLookTheSameEveryTime() {
        QFETCH(QStringList, names);
        QFETCH(QList<QSize>, sizes);
        Chart chart;
        const quint32 colours[] = {0xFFFFFF, 0x000000, 0x00FFFF, 0x808080};
        for (int i = 0; i < 24; ++i) {
            const int n = chart.AddItems(1);
            Item& it = chart.items[size_t(n)];
            it.kind = KindPos;
            it.name = names[i % names.size()];
            const QSize size = sizes[i % sizes.size()];
            it.left = 5 + (i % 6) * 130;
            it.top = 5 + (i / 6) * 40;
            it.width = size.width();
            it.height = size.height();
            it.colour = colours[i % 4];
            it.selected = i % 5 == 3;
        }
        const QImage direct = painted(chart, QSize(780, 165));
        PaintCache cache;
        for (int round = 0; round < 3; ++round) {
            QCOMPARE(painted(chart, direct.size(), &cache), direct);
            if (round == 0) { // the first paint keeps no picture of a cut name
                QImage probe(1, 1, QImage::Format_RGB32);
                QPainter p(&probe); // in the font the canvas was drawn in
                QVERIFY(!cache.clippedName(chart.items[0].name, sizes[0], Qt::black, p));
            }
        }
        QVERIFY(namesShow(chart, direct));
    }

    void paint_manyDistinctNamesDrawTheSameWithTheCache() {
        // More names than the cache keeps by itself: every repaint still
        // draws each of them as without a cache.
        Chart chart;
        EditState edit;
        for (int i = 0; i < 4500; ++i) {
            const int n = chart.AddItems(1);
            Item& it = chart.items[size_t(n)];
            it.kind = KindPos;
            it.name = QString::number(i);
            it.left = (i % 90) * 34;
            it.top = (i / 90) * 16;
            it.width = 34;
            it.height = 16;
            it.colour = 0xFFFFFF;
        }
        QPalette palette;
        const QSize size(90 * 34, 50 * 16);
        QImage direct(size, QImage::Format_RGB32), kept(size, QImage::Format_RGB32);
        {
            QPainter p(&direct);
            ChartPainter(palette).Paint(p, chart, edit, size);
        }
        PaintCache cache;
        for (int round = 0; round < 3; ++round) {
            // A part first, then the whole: names come and go from the cache.
            QPainter p(&kept);
            ChartPainter(palette, &cache).Paint(p, chart, edit, size, QRect(0, 0, 300, 200));
            ChartPainter(palette, &cache).Paint(p, chart, edit, size);
            p.end();
            QCOMPARE(kept, direct);
            for (int i = 0; i < 4500; i += 7) // renamed: new names to keep
                chart.items[size_t(i)].name += QLatin1Char('x');
            QPainter d(&direct);
            ChartPainter(palette).Paint(d, chart, edit, size);
        }
    }

    void paint_linkBeingDrawnIsRed() {
        CanvasRig r;
        item(r.chart, KindPos, 0, 0);
        r.edit.toolMode = ToolMainLink;
        r.edit.startLinkDrawing();
        click(&r.canvas, {10, 10});
        move(&r.canvas, {25, 300});
        const QImage img = r.render();
        QCOMPARE(img.pixelColor(25, 200), QColor(255, 0, 0));
    }
};

QVX_TEST_CLASS(CanvasWidgetTest)
#include "CanvasWidgetTest.moc"
