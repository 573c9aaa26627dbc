#include "editor/Clipboard.h"

#include "document/Chart.h"

namespace qvx {

void Clipboard::CopySelection(const Chart& chart) {
    if (chart.SelectedItemCount() == 0) return;

    // The reference corner moves only to an item that lies both further left
    // and higher up than the corner found so far.
    QPoint ref;
    bool first = true;
    for (const Item& it : chart.items) {
        if (!it.selected) continue;
        if (first || (it.left < ref.x() && it.top < ref.y())) ref = QPoint(it.left, it.top);
        first = false;
    }

    // Position of each chart item in the clipboard, -1 when not copied.
    std::vector<int> slot(chart.items.size(), -1);
    m_items.clear();
    for (size_t i = 0; i < chart.items.size(); ++i) {
        const Item& it = chart.items[i];
        if (!it.selected) continue;
        slot[i] = int(m_items.size());
        Item copy = it;
        copy.selected = false;
        copy.identity = 0; // a pasted copy is another item
        copy.left -= ref.x();
        copy.top -= ref.y();
        m_items.push_back(std::move(copy));
    }

    m_links.clear();
    for (const Link& l : chart.links) {
        if (!l.selected || !chart.validItem(l.origin) || !chart.validItem(l.final)) continue;
        const int o = slot[size_t(l.origin)];
        const int f = slot[size_t(l.final)];
        if (o < 0 || f < 0) continue;
        Link copy = l;
        copy.selected = false;
        copy.origin = o;
        copy.final = f;
        for (QPoint& p : copy.points)
            p -= ref;
        m_links.push_back(std::move(copy));
    }
}

bool Clipboard::PasteClipboard(Chart& chart, QPoint at) const {
    if (m_items.empty()) return false;
    chart.ClearSelection();
    const int base = chart.AddItems(int(m_items.size()));
    for (size_t i = 0; i < m_items.size(); ++i) {
        Item& it = chart.items[size_t(base) + i];
        it = m_items[i];
        it.left += at.x();
        it.top += at.y();
        it.selected = true;
    }
    if (!m_links.empty()) {
        const int first = chart.AddLinks(int(m_links.size()));
        for (size_t j = 0; j < m_links.size(); ++j) {
            Link& l = chart.links[size_t(first) + j];
            l = m_links[j];
            l.origin += base;
            l.final += base;
            for (QPoint& p : l.points)
                p += at;
            l.selected = true;
        }
    }
    return true;
}

} // namespace qvx
