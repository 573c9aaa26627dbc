// Full repaint of a large chart: 1000 items and 1000 links with two bending
// points each, drawn onto a fresh image the way the canvas redraws at every
// mouse move. Prints the median time of many repaints.
#include "Median.h"
#include "document/Chart.h"
#include "editor/ChartPainter.h"
#include "editor/EditState.h"
#include "editor/TChartCanvas.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace qvx;

namespace {

void buildChart(Chart& chart) {
    const quint32 colours[] = {0xFFFFFF, 0x00FFFF, 0x808080, 0x000000, 0x8000000F};
    for (int i = 0; i < 1000; ++i) {
        const int kind = i % 10 == 9 ? KindCmp : (i % 3 == 1 ? KindSet : KindPos);
        const int n = chart.AddItems(1);
        Item& it = chart.items[size_t(n)];
        it.kind = quint8(kind);
        it.name = KindLabel(quint8(kind)) + QString::number(i + 1);
        it.left = 20 + (i % 40) * 70;
        it.top = 20 + (i / 40) * 60;
        it.width = 50;
        it.height = 30;
        it.colour = colours[i % 5];
        it.selected = i % 7 == 0;
    }
    for (int i = 0; i < 1000; ++i) {
        const int n = chart.AddLinks(1);
        Link& l = chart.links[size_t(n)];
        l.origin = i;
        l.final = (i + 41) % 1000;
        l.kind = i % 10 == 9 ? BranchLink : MainLink;
        const QPoint a = chart.ItemCentre(l.origin), b = chart.ItemCentre(l.final);
        l.points = {QPoint(a.x() + 30, a.y() + 20), QPoint(b.x() - 30, b.y() - 20)};
        l.selected = i % 11 == 0;
    }
    chart.startItem = 0;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Chart chart;
    EditState edit;
    buildChart(chart);
    const QSize size(2840, 1560);
    constexpr int kRuns = 120;

    // The paint routine on a painter over an image of the canvas size. The
    // image is made once, as the window's backing store is: the routine itself
    // covers every pixel at each repaint.
    QImage img(size, QImage::Format_RGB32);
    PaintCache cache;
    std::vector<double> painter;
    for (int r = 0; r < kRuns; ++r) {
        QElapsedTimer t;
        t.start();
        QPainter p(&img);
        ChartPainter(app.palette(), &cache).Paint(p, chart, edit, size);
        p.end();
        painter.push_back(t.nsecsElapsed() / 1e6);
    }

    // Where the time goes: the same chart without links, and without item names.
    auto paintMedian = [&](const Chart& c) {
        std::vector<double> v;
        for (int r = 0; r < kRuns; ++r) {
            QElapsedTimer t;
            t.start();
            QPainter p(&img);
            ChartPainter(app.palette(), &cache).Paint(p, c, edit, size);
            p.end();
            v.push_back(t.nsecsElapsed() / 1e6);
        }
        return median(v);
    };
    Chart noLinks = chart;
    noLinks.links.clear();
    Chart noNames = chart;
    for (Item& it : noNames.items)
        it.name.clear();
    Chart plain = chart;
    for (Item& it : plain.items)
        it.kind = KindMot;

    // The canvas widget rendered whole into an image.
    TChartCanvas canvas(chart, edit);
    canvas.setCanvasSize(size);
    std::vector<double> widget;
    for (int r = 0; r < kRuns; ++r) {
        QElapsedTimer t;
        t.start();
        canvas.render(&img);
        widget.push_back(t.nsecsElapsed() / 1e6);
    }

    std::printf("chart: %d items, %d links (2 bending points each), canvas %dx%d\n",
                chart.itemCount(), chart.linkCount(), size.width(), size.height());
    std::printf("paint routine on QImage: median %.2f ms over %d repaints\n", median(painter),
                kRuns);
    std::printf("QWidget::render of the canvas: median %.2f ms over %d repaints\n", median(widget),
                kRuns);
    std::printf(
        "  without links: %.2f ms; without item names: %.2f ms; all plain rectangles: %.2f ms\n",
        paintMedian(noLinks), paintMedian(noNames), paintMedian(plain));
    return 0;
}
