// Canvas repaints of large charts, in the editor's font when it is installed.
// Each row prints the median time of many repaints:
//  - the whole canvas of 1000 items and 1000 links with two bending points
//    each, the way the canvas redraws at every mouse move;
//  - the same with names wider than their items;
//  - a 1200 x 800 view (the part shown in the scroll box) of a 10 000-item
//    chart, every name distinct, scrolled to a new place at each repaint;
//  - the first paint after opening 1000 and 10 000 items (nothing kept yet);
//  - 6000 distinct names drawn whole again and again.
#include "Median.h"
#include "document/Chart.h"
#include "editor/ChartPainter.h"
#include "editor/EditState.h"
#include "editor/ChartCanvas.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

using namespace qvx;

namespace {

constexpr int kColumns = 40;

// n items in rows of 40, each linked to the item below it, two bending points
// per link; `longNames` makes every name wider than its item.
void buildChart(Chart& chart, int n, bool longNames) {
    const quint32 colours[] = {0xFFFFFF, 0x00FFFF, 0x808080, 0x000000, 0x8000000F};
    for (int i = 0; i < n; ++i) {
        const int kind = i % 10 == 9 ? KindCmp : (i % 3 == 1 ? KindSet : KindPos);
        const int k = chart.AddItems(1);
        Item& it = chart.items[size_t(k)];
        it.kind = quint8(kind);
        it.name = KindLabel(quint8(kind)) + QString::number(i + 1);
        if (longNames) it.name += QStringLiteral(" step forward");
        it.left = 20 + (i % kColumns) * 70;
        it.top = 20 + (i / kColumns) * 60;
        it.width = 50;
        it.height = 30;
        it.colour = colours[i % 5];
        it.selected = i % 7 == 0;
    }
    for (int i = 0; i < n; ++i)
        chart.items[size_t(i)].selected = i % 7 == 0;
    for (int i = 0; i < n; ++i) {
        const int k = chart.AddLinks(1);
        Link& l = chart.links[size_t(k)];
        l.origin = i;
        l.final = (i + kColumns + 1) % n;
        l.kind = i % 10 == 9 ? BranchLink : MainLink;
        const QPoint a = chart.ItemCentre(l.origin), b = chart.ItemCentre(l.final);
        l.points = {QPoint(a.x() + 30, a.y() + 20), QPoint(b.x() - 30, b.y() - 20)};
        l.selected = i % 11 == 0;
    }
    chart.startItem = 0;
}

QSize canvasFor(int n) {
    return {20 + kColumns * 70, 20 + ((n + kColumns - 1) / kColumns) * 60 + 20};
}

double timeRuns(int runs, const std::function<void()>& f) {
    std::vector<double> v;
    for (int r = 0; r < runs; ++r) {
        QElapsedTimer t;
        t.start();
        f();
        v.push_back(t.nsecsElapsed() / 1e6);
    }
    return median(v);
}

// The canvas widget's own repaint of the region, into an image of its size
// (the window's backing store), as the scroll box asks for it.
struct Canvas {
    Chart chart;
    EditState edit;
    std::unique_ptr<ChartCanvas> widget;
    QImage backing;
    Canvas(int n, bool longNames) {
        buildChart(chart, n, longNames);
        backing = QImage(canvasFor(n), QImage::Format_RGB32);
        fresh();
    }
    // A new canvas on the chart: nothing kept from earlier repaints.
    void fresh() {
        widget = std::make_unique<ChartCanvas>(chart, edit);
        widget->setCanvasSize(canvasFor(chart.itemCount()));
    }
    void repaint(const QRect& region) {
        widget->render(&backing, region.topLeft(), QRegion(region));
    }
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) {
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPixelSize(12);
        QApplication::setFont(font);
    }
    std::printf("font: %s\n", qPrintable(QApplication::font().toString()));
    constexpr int kRuns = 100;

    {
        Canvas c(1000, false);
        const QRect whole(QPoint(0, 0), c.backing.size());
        c.repaint(whole);
        std::printf("1000 items, 1000 links, whole canvas %dx%d: median %.2f ms   goal < 4 ms\n",
                    whole.width(), whole.height(), timeRuns(kRuns, [&] { c.repaint(whole); }));

        // The paint routine alone, on a painter over an image.
        QImage img(whole.size(), QImage::Format_RGB32);
        PaintCache cache;
        const double routine = timeRuns(kRuns, [&] {
            QPainter p(&img);
            p.setFont(QApplication::font());
            ChartPainter(app.palette(), &cache).Paint(p, c.chart, c.edit, whole.size());
        });
        std::printf("  paint routine on QImage: %.2f ms\n", routine);
        Chart noLinks = c.chart;
        noLinks.links.clear();
        Chart noNames = c.chart;
        for (Item& it : noNames.items)
            it.name.clear();
        auto routineOn = [&](const Chart& chart) {
            return timeRuns(kRuns, [&] {
                QPainter p(&img);
                p.setFont(QApplication::font());
                ChartPainter(app.palette(), &cache).Paint(p, chart, c.edit, whole.size());
            });
        };
        std::printf("  without links: %.2f ms; without item names: %.2f ms\n", routineOn(noLinks),
                    routineOn(noNames));

        std::vector<double> first;
        for (int r = 0; r < 15; ++r) {
            c.fresh();
            first.push_back(timeRuns(1, [&] { c.repaint(whole); }));
        }
        std::printf("  first paint after opening: median %.2f ms\n", median(first));
    }
    {
        Canvas c(1000, true);
        const QRect whole(QPoint(0, 0), c.backing.size());
        c.repaint(whole);
        std::printf("1000 items with names wider than the items, whole canvas: median %.2f ms\n",
                    timeRuns(kRuns, [&] { c.repaint(whole); }));
    }
    {
        Canvas c(10000, false);
        const QSize view(1200, 800);
        const QSize canvas = c.backing.size();
        int step = 0;
        // Scrolled to a new place each time: some names are new, most kept.
        auto next = [&] {
            step = (step + 1) % 40;
            return QRect(QPoint((step * 37) % (canvas.width() - view.width()),
                                (step * 373) % (canvas.height() - view.height())),
                         view);
        };
        for (int r = 0; r < 40; ++r)
            c.repaint(next());
        std::printf("10000 items, %dx%d view of the %dx%d canvas: median %.2f ms\n", view.width(),
                    view.height(), canvas.width(), canvas.height(),
                    timeRuns(kRuns, [&] { c.repaint(next()); }));

        std::vector<double> first;
        for (int r = 0; r < 5; ++r) {
            c.fresh();
            first.push_back(timeRuns(1, [&] { c.repaint(QRect(QPoint(0, 0), view)); }));
        }
        std::printf("  first paint after opening (the view at the top): median %.2f ms\n",
                    median(first));
        std::vector<double> firstWhole;
        for (int r = 0; r < 3; ++r) {
            c.fresh();
            firstWhole.push_back(timeRuns(1, [&] { c.repaint(QRect(QPoint(0, 0), canvas)); }));
        }
        std::printf("  first paint after opening, whole canvas: median %.2f ms   goal < 100 ms\n",
                    median(firstWhole));
    }
    {
        Canvas c(6000, false);
        const QRect whole(QPoint(0, 0), c.backing.size());
        c.repaint(whole);
        std::printf("6000 distinct names, whole canvas %dx%d: median %.2f ms\n", whole.width(),
                    whole.height(), timeRuns(20, [&] { c.repaint(whole); }));
    }
    return 0;
}
