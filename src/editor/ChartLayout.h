#pragma once

#include <QSize>
#include <QString>

namespace qvx {

class Chart;

// "Arrange": a layered layout of a chart. Items go into rows, the start item
// in the top one, with the main links running down the middle of the flow;
// every item keeps its size and its top-left corner lands on the grid the
// canvas snaps to. Links get new bending points so that no two of them run
// along the same stretch, however the loops and branches go. Only positions
// and bending points change: names, values, kinds, link ends, the start item
// and the selection stay as they are.
class ChartLayout {
  public:
    // What an arrangement did.
    struct Result {
        bool arranged = false; // false, with the chart untouched, when failure says why
        QString failure;
        QSize extent;     // right and bottom edge of everything placed
        int rerouted = 0; // links given a detour so that none overlaps another
    };

    // Arranges the chart in place; `grid` is the canvas grid's spacing.
    static Result Arrange(Chart& chart, QSize grid);

    // The status line after an arrangement.
    static QString DoneText(int items);
    // The status line after a successful read of a chart with branch links,
    // which the read lays out in columns with those links across them.
    static QString ReadHintText();
};

} // namespace qvx
