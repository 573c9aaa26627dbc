#pragma once

#include "document/Chart.h"
#include "document/MotionHeader.h"

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
    // Either single elements replaced in place (the count stayed), or one
    // run of elements replaced by another.
    template <typename T> struct Patch {
        struct Element {
            int at;
            T before, after;
        };
        std::vector<Element> changed;
        int spanAt = -1;
        std::vector<T> spanBefore, spanAfter;

        bool empty() const { return changed.empty() && spanAt < 0; }
    };
    template <typename T, typename Same>
    static Patch<T> diff(const std::vector<T>& a, const std::vector<T>& b, Same same);
    template <typename T, typename Keep>
    static void applyPatch(std::vector<T>& v, const Patch<T>& p, bool forward, Keep keep);
    void apply(Chart& chart, MotionHeader& header, bool forward) const;
    QString describeItems() const;
    QString describeLinks() const;

    Patch<Item> m_items;
    Patch<Link> m_links;
    std::optional<std::pair<qint32, qint32>> m_start;
    std::optional<std::pair<quint8, quint8>> m_kind;
    std::optional<std::pair<MotionHeader, MotionHeader>> m_header;
};

} // namespace qvx
