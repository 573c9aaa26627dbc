#pragma once

#include "document/ChartTypes.h"

#include <map>
#include <vector>

namespace qvx {

class ItemNamer;

// The flowchart being edited: items and links identified by their index, the
// start item and the document kind. Every editing operation keeps link ends and
// the start item consistent with the item indices.
class Chart {
public:
    std::vector<Item> items;
    std::vector<Link> links;
    qint32 startItem = -1;
    quint8 documentKind = MotionChart;

    int itemCount() const { return int(items.size()); }
    int linkCount() const { return int(links.size()); }
    bool validItem(int i) const { return i >= 0 && i < itemCount(); }

    // Removes every item and link; the start item becomes -1. Kind and header stay.
    void ClearChart();
    // Appends n empty items (every field zero) and deselects the existing ones.
    // Returns the index of the first new item.
    int AddItems(int n);
    // Appends n links (main, ends 0, no bending points) and deselects the
    // existing ones. Returns the index of the first new link.
    int AddLinks(int n);
    // Creates an item of the kind at (x, y) with the kind's defaults, or returns
    // -1 when the kind does not belong in this chart. A caller creating many
    // items in a row passes one namer for all of them.
    int CreateItem(quint8 kind, int x, int y, ItemNamer* namer = nullptr);
    // The kind's label followed by the smallest free number.
    QString UniqueItemName(quint8 kind) const;
    // Deletes the selected items with every link touching them, then the
    // selected links, renumbering the survivors.
    void DeleteSelected();
    void ReverseLink(int link);
    int FindLink(int origin, int final) const;
    void ClearSelection();
    int SelectedItemCount() const;
    int SelectedLinkCount() const;
    QPoint ItemCentre(int item) const;

    // A mark that stays with item i while other items are deleted or added, so
    // an editor can follow the item it shows; 0 when i is no item.
    quint64 MarkItem(int i);
    // The index of the item carrying the mark, or -1 when it is gone (deleted,
    // or the chart was cleared or replaced). `hint` is checked first.
    int FindMarked(quint64 mark, int hint = -1) const;
    // The last mark handed out; marks are never reused while the chart lives.
    quint64 lastMark = 0;
    // How many items and links the edits that walk the whole chart (adding,
    // deleting, undoing, redoing) have passed over so far: each such pass
    // adds what it walks over, so the tests can see that an edit costs in
    // proportion to the chart, not to its square. Not part of the document.
    mutable quint64 visits = 0;

    // The default channel values and lead byte of a new item of the kind.
    static ChannelValues DefaultValues(quint8 kind);
    static quint8 DefaultLead(quint8 kind);
};

// Names new items as Chart::UniqueItemName does (the kind's label followed by
// the smallest free number), for many new items in a row: the numbers in use
// after a label are gathered from the chart once, not once for each new item.
// Only the items named through it may be added to the chart meanwhile.
class ItemNamer {
  public:
    explicit ItemNamer(const Chart& chart) : m_chart(chart) {}
    QString next(quint8 kind);

  private:
    struct Numbers {
        std::vector<bool> taken;
        size_t free = 1; // no smaller number is free
    };
    const Chart& m_chart;
    std::map<quint8, Numbers> m_kinds;
};

// The item an editor window shows, followed by its mark through edits that
// renumber the items, with the index it was last found at.
class MarkedItem {
  public:
    explicit MarkedItem(Chart& chart) : m_chart(chart) {}
    // Follows item i (which must exist).
    void follow(int i) {
        m_mark = m_chart.MarkItem(i);
        m_hint = i;
    }
    void clear() {
        m_mark = 0;
        m_hint = -1;
    }
    // True while an item is followed, even when it has been deleted since.
    bool followed() const { return m_mark != 0; }
    // The followed item, or nullptr when there is none or it is gone.
    Item* get() {
        const int i = m_chart.FindMarked(m_mark, m_hint);
        if (i < 0) return nullptr;
        m_hint = i;
        return &m_chart.items[size_t(i)];
    }

  private:
    Chart& m_chart;
    quint64 m_mark = 0;
    int m_hint = -1;
};

} // namespace qvx
