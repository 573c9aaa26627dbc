#pragma once

#include <QPoint>

namespace qvx {

class Chart;

// What LinkAt found: a bending point (point >= 0) or the handle in the middle
// of a segment (segment >= 0) of a link, or nothing (all -1).
struct LinkHit {
    int link = -1;
    int point = -1;
    int segment = -1;
    bool operator==(const LinkHit&) const = default;
};

// Hit tests of the canvas. A link is only hit near a bending point or near the
// middle of a segment, where its arrowhead is drawn.
class HitTest {
  public:
    // The item with the highest index whose rectangle holds the point, or -1.
    static int ItemAt(const Chart& chart, QPoint p);
    // Bending points first (links from the last down), then segment handles
    // (links from the first up).
    static LinkHit LinkAt(const Chart& chart, QPoint p);
    // Selects (or, with toggle, inverts) every item overlapping the rectangle
    // spanned by a and b, then every link whose two ends are selected.
    static void SelectInRect(Chart& chart, QPoint a, QPoint b, bool toggle);
    // The middle of a segment, where its handle and arrowhead sit.
    static QPoint SegmentMiddle(QPoint s, QPoint e);
};

} // namespace qvx
