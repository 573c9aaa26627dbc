// Undo history figures: what the window pays at every click and release (a
// commit that finds nothing new), a commit after moving one item, a commit
// after deleting one item in the middle, and an undo, on charts of 1000,
// 10 000 and 100 000 items with long names and bent links. Then the Delete
// key's own deletion of one item from 3125 to 100 000 items, and a deletion
// and a paste of a large selection with their commit, undo and redo on
// 20 000 and 40 000 items: the time of the larger over the smaller shows
// whether the work grows with the chart or with its square.
#include "Median.h"
#include "editor/Clipboard.h"
#include "editor/EditHistory.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

using namespace qvx;

namespace {

Chart bigChart(int n) {
    Chart c;
    c.AddItems(n);
    for (int i = 0; i < n; ++i) {
        Item& it = c.items[size_t(i)];
        it.name = QString::fromUtf8("とても長い名前の項目 ") + QString::number(i + 1);
        it.width = 50;
        it.height = 30;
        it.left = i % 100 * 60;
        it.top = i / 100 * 40;
        it.values.fill(quint16(16000 + i % 700));
    }
    c.AddLinks(n - 1);
    for (int i = 0; i + 1 < n; ++i) {
        Link& l = c.links[size_t(i)];
        l.origin = i;
        l.final = i + 1;
        l.points = {QPoint(i, 1), QPoint(i, 2)};
    }
    return c;
}

template <typename F> double timeMs(F&& f) {
    QElapsedTimer t;
    t.start();
    f();
    return double(t.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    for (int n : {1000, 10000, 100000}) {
        Chart chart = bigChart(n);
        MotionHeader header;
        EditHistory history(chart, header);
        std::vector<double> idle, move, del, undo;
        for (int run = 0; run < 15; ++run) {
            idle.push_back(timeMs([&] { history.commit(); }));
            chart.items[size_t(n / 2)].left += 5;
            move.push_back(timeMs([&] { history.commit(); }));
            chart.ClearSelection();
            chart.items[size_t(n / 3 + run)].selected = true;
            chart.DeleteSelected();
            del.push_back(timeMs([&] { history.commit(); }));
            undo.push_back(timeMs([&] { history.undo(); }));
            history.redo();
        }
        std::printf("%6d items: commit with nothing new %.2f ms, after a move %.2f ms, after a "
                    "deletion %.2f ms, undo of the deletion %.2f ms\n",
                    n, median(idle), median(move), median(del), median(undo));
    }

    for (int n : {3125, 6250, 12500, 25000, 50000, 100000}) {
        const Chart chart = bigChart(n);
        std::vector<double> del;
        for (int run = 0; run < 5; ++run) {
            Chart c = chart;
            c.items[size_t(n / 3 + run)].selected = true;
            del.push_back(timeMs([&] { c.DeleteSelected(); }));
        }
        std::printf("delete one of %6d items (Chart::DeleteSelected): %8.2f ms%s\n", n, median(del),
                    n == 100000 ? "   goal < 20 ms, growing linearly" : "");
    }

    // A large selection deleted or pasted, committed, undone and redone, on
    // one chart as in a session: each run is undone afterwards, and a first
    // run untimed, so that the times are not those of memory first touched.
    auto selectionEdit = [](int n, bool paste) {
        Chart chart = bigChart(n);
        MotionHeader header;
        EditHistory history(chart, header);
        std::vector<double> v;
        for (int run = 0; run < 6; ++run) {
            chart.ClearSelection();
            for (int i = 0; i < n; ++i)
                chart.items[size_t(i)].selected = i % (paste ? 10 : 3) == 1;
            const double ms = timeMs([&] {
                if (paste) {
                    for (Link& l : chart.links)
                        l.selected = chart.items[size_t(l.origin)].selected;
                    Clipboard clipboard;
                    clipboard.CopySelection(chart);
                    clipboard.PasteClipboard(chart, QPoint(0, n));
                } else {
                    chart.DeleteSelected();
                }
                history.commit();
                history.undo();
                history.redo();
            });
            if (run > 0) v.push_back(ms);
            history.undo();
        }
        return median(v);
    };
    for (const bool paste : {false, true}) {
        const double small = selectionEdit(20000, paste), large = selectionEdit(40000, paste);
        std::printf("%s, commit, undo, redo: 20 000 items %.2f ms, 40 000 items %.2f ms, "
                    "ratio %.2f   goal < 3\n",
                    paste ? "paste every tenth item" : "delete every third item", small, large,
                    large / small);
    }
    return 0;
}
