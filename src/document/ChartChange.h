#pragma once

#include "document/Chart.h"
#include "document/MotionHeader.h"

#include <QCoreApplication>
#include <QString>
#include <optional>
#include <vector>

namespace qvx {

// What one edit changed in a document (chart and header values), kept as
// little as it takes to go back and forth: the items and links that differ,
// with their values before and after, the start item, the document kind and
// the header. Selection and the marks editors put on items are no part of the
// document: they make no change, and going back or forth keeps the marks the
// items carry.
class ChartChange {
    Q_DECLARE_TR_FUNCTIONS(ChartChange)

  public:
    // The change from one state of a document to another; nothing when both
    // hold the same document.
    static std::optional<ChartChange> Between(const Chart& before, const MotionHeader& headerBefore,
                                              const Chart& after, const MotionHeader& headerAfter);

    // Turns a document in the state `after` back into `before`, and the reverse.
    void undo(Chart& chart, MotionHeader& header) const { apply(chart, header, false); }
    void redo(Chart& chart, MotionHeader& header) const { apply(chart, header, true); }

    // A few words on what changed, for the undo and redo buttons: "Move 3
    // items", "Delete POS2", "Bend link", "Data of the document".
    QString describe() const;
    // True when only channel values or lead bytes of POS items changed.
    bool onlyPoseValues() const;
    // Roughly the memory the change holds, in bytes.
    qsizetype footprint() const;

    // Two items or links hold the same document content: selection and marks
    // do not count.
    static bool sameItem(const Item& a, const Item& b);
    static bool sameLink(const Link& a, const Link& b);

  private:
    // One of: single elements replaced in place (the count stayed); elements
    // only taken out or only put in, each with its place (a deletion, an
    // addition); or, for anything else, one run of elements replaced by
    // another.
    template <typename T> struct Patch {
        struct Element {
            int at;
            T before, after;
        };
        std::vector<Element> changed;
        std::vector<std::pair<int, T>> removed;  // places in the old vector
        std::vector<std::pair<int, T>> inserted; // places in the new vector
        int spanAt = -1;
        std::vector<T> spanBefore, spanAfter;

        bool empty() const {
            return changed.empty() && removed.empty() && inserted.empty() && spanAt < 0;
        }
    };
    template <typename T, typename Same>
    static Patch<T> diff(const std::vector<T>& a, const std::vector<T>& b, Same same);
    template <typename T, typename Keep>
    static void applyPatch(std::vector<T>& v, const Patch<T>& p, bool forward, Keep keep,
                           quint64& visits);
    // Where each item of the old chart is in the new one (-1: deleted), when
    // items were only deleted or only added; nothing otherwise.
    static std::optional<std::vector<int>> itemMap(const Patch<Item>& p, int oldCount,
                                                   int newCount);
    // Gives every link end its new number from the map (old number -> new,
    // -1 for an item taken out); ends that are no item of the map stay.
    static void mapEnds(std::vector<Link>& links, const std::vector<int>& map, quint64& visits);
    void apply(Chart& chart, MotionHeader& header, bool forward) const;
    QString describeItems() const;
    QString describeLinks() const;

    Patch<Item> m_items;
    Patch<Link> m_links;
    // The links were renumbered by the items deleted or added: the link patch
    // then holds only the links taken out or put in, not every renumbered one.
    bool m_renumbered = false;
    std::optional<std::pair<qint32, qint32>> m_start;
    std::optional<std::pair<quint8, quint8>> m_kind;
    std::optional<std::pair<MotionHeader, MotionHeader>> m_header;
};

} // namespace qvx
