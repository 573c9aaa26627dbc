#include "editor/HitTest.h"

#include "document/Chart.h"

#include <algorithm>

namespace qvx {

// Hit tests compute in 64 bits: a point or a place near the ends of the int
// range must not wrap around into a hit.
using Wide = qint64;

namespace {

bool within(Wide v, Wide lo, Wide hi) {
    return lo <= v && v <= hi;
}

} // namespace

int HitTest::ItemAt(const Chart& chart, QPoint p) {
    for (int i = chart.itemCount() - 1; i >= 0; --i) {
        const Item& it = chart.items[size_t(i)];
        if (within(p.x(), it.left, Wide(it.left) + it.width - 1) &&
            within(p.y(), it.top, Wide(it.top) + it.height - 1))
            return i;
    }
    return -1;
}

QPoint HitTest::SegmentMiddle(QPoint s, QPoint e) {
    return {int(s.x() + (Wide(e.x()) - s.x()) / 2), int(s.y() + (Wide(e.y()) - s.y()) / 2)};
}

LinkHit HitTest::LinkAt(const Chart& chart, QPoint p) {
    const Wide x = p.x(), y = p.y();
    // The box around a bending point reaches 4 pixels left and up of the
    // point and 3 pixels right and down.
    for (int li = chart.linkCount() - 1; li >= 0; --li) {
        const Link& l = chart.links[size_t(li)];
        if (!chart.validItem(l.origin) || !chart.validItem(l.final)) continue;
        for (int pi = 0; pi < l.points.size(); ++pi) {
            const QPoint& b = l.points[pi];
            if (within(b.x(), x - 3, x + 4) && within(b.y(), y - 3, y + 4))
                return {li, pi, -1};
        }
    }
    for (int li = 0; li < chart.linkCount(); ++li) {
        const Link& l = chart.links[size_t(li)];
        if (!chart.validItem(l.origin) || !chart.validItem(l.final)) continue;
        QPoint s = chart.ItemCentre(l.origin);
        const int segments = int(l.points.size()) + 1;
        for (int si = 0; si < segments; ++si) {
            const QPoint e = si < l.points.size() ? l.points[si] : chart.ItemCentre(l.final);
            const Wide hx = e.x() + (Wide(s.x()) - e.x()) / 2;
            const Wide hy = e.y() + (Wide(s.y()) - e.y()) / 2;
            if (within(x, hx - 4, hx + 5) && within(y, hy - 4, hy + 5))
                return {li, -1, si};
            s = e;
        }
    }
    return {};
}

void HitTest::SelectInRect(Chart& chart, QPoint a, QPoint b, bool toggle) {
    const int minX = std::min(a.x(), b.x()), maxX = std::max(a.x(), b.x());
    const int minY = std::min(a.y(), b.y()), maxY = std::max(a.y(), b.y());
    for (Item& it : chart.items) {
        if (it.left <= maxX && Wide(it.left) + it.width - 1 >= minX && it.top <= maxY &&
            Wide(it.top) + it.height - 1 >= minY)
            it.selected = toggle ? !it.selected : true;
    }
    for (Link& l : chart.links) {
        if (!chart.validItem(l.origin) || !chart.validItem(l.final)) continue;
        if (chart.items[size_t(l.origin)].selected && chart.items[size_t(l.final)].selected)
            l.selected = toggle ? !l.selected : true;
    }
}

} // namespace qvx
