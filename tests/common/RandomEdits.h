#pragma once

#include "document/Chart.h"
#include "document/MotionHeader.h"

#include <QRandomGenerator>

namespace qvxtest {

using namespace qvx;

// A document: what an edit changes and a save writes.
struct Doc {
    Chart chart;
    MotionHeader header;
};

// One random edit of every kind the editors make, applied to the chart and
// header. Returns false when it only changed the selection (no document change).
inline bool randomEdit(Chart& c, MotionHeader& header, QRandomGenerator& rng) {
    const int n = c.itemCount();
    auto anyItem = [&] { return int(rng.bounded(n)); };
    auto selectSome = [&] {
        c.ClearSelection();
        for (Item& it : c.items)
            it.selected = rng.bounded(4) == 0;
    };
    switch (n < 3 ? 0 : rng.bounded(13)) {
    case 0: { // place
        const quint8 kinds[] = {KindPos, KindSet, KindCmp};
        c.CreateItem(kinds[rng.bounded(3)], int(rng.bounded(600)), int(rng.bounded(400)));
        return true;
    }
    case 1: // delete the selection (items with their links, and links)
        selectSome();
        for (Link& l : c.links)
            l.selected = rng.bounded(5) == 0;
        if (c.SelectedItemCount() == 0 && c.SelectedLinkCount() == 0) c.items[0].selected = true;
        c.DeleteSelected();
        return true;
    case 2: // drag the selection
        selectSome();
        c.items[size_t(anyItem())].selected = true;
        for (Item& it : c.items)
            if (it.selected) it.left += 10, it.top += 7;
        return true;
    case 3: // resize
        c.items[size_t(anyItem())].width += 5;
        return true;
    case 4: // rename
        c.items[size_t(anyItem())].name =
            QStringLiteral("名前") + QString::number(rng.bounded(1000));
        return true;
    case 5: // colour
        c.items[size_t(anyItem())].colour = rng.bounded(0x1000000u);
        return true;
    case 6: { // pose values and speed
        Item& it = c.items[size_t(anyItem())];
        it.values[size_t(rng.bounded(24))] = quint16(rng.bounded(65536));
        it.lead = quint8(rng.bounded(256));
        return true;
    }
    case 7: { // draw a link
        const int l = c.AddLinks(1);
        c.links[size_t(l)].origin = anyItem();
        c.links[size_t(l)].final = anyItem();
        c.links[size_t(l)].kind = quint8(rng.bounded(2));
        return true;
    }
    case 8: // bend a link
        if (c.links.empty()) return randomEdit(c, header, rng);
        c.links[size_t(rng.bounded(c.linkCount()))].points.append(
            QPoint(int(rng.bounded(600)), int(rng.bounded(400))));
        return true;
    case 9: // reverse a link
        if (c.links.empty()) return randomEdit(c, header, rng);
        c.ReverseLink(int(rng.bounded(c.linkCount())));
        return true;
    case 10: // start item
        c.startItem = c.startItem == 0 ? 1 : 0;
        return true;
    case 11: // the data dialog's fields
        header.MotionName = QStringLiteral("Motion ") + QString::number(rng.bounded(100));
        header.MotionCtrl = rng.bounded(0x10000u);
        return true;
    default: // selection and a mark only: no document change
        selectSome();
        c.MarkItem(anyItem());
        return false;
    }
}

inline bool randomEdit(Doc& d, QRandomGenerator& rng) {
    return randomEdit(d.chart, d.header, rng);
}

} // namespace qvxtest
