#pragma once

#include "board/MotionRecord.h"
#include "document/Chart.h"

#include <QCoreApplication>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace qvx {

class Services;

// The links that leave an item, as the walk follows them.
struct Successors {
    bool ok = false;
    int next = -1;   // item entered by the sequential link, -1 when none
    int branch = -1; // item entered by the branch link, -1 when none
};

// The flowchart compiler and its state. A motion chart is walked from its start
// item into steps (item steps, jumps and end marks), which give the listing, the
// hidden step table and the motion image with its hex view. A scenario chart
// becomes the list of its MOT items in playing order.
//
// Compiling is all or nothing: the steps, listing, image and view rows change
// only when a compile succeeds (a failed scenario compile empties the LIST view
// rows, as that view is emptied when a scenario compile starts).
class Compiler {
    Q_DECLARE_TR_FUNCTIONS(Compiler)

  public:
    // Step markers in StepItem.
    static constexpr qint32 kEndStep = -1;
    static constexpr qint32 kJumpStep = -2;
    // Jump and branch codes hold the target step in a range 256 words wide.
    static constexpr int kMaxTargetStep = 255;

    // Compiles a motion chart. Returns false, after telling the user when there
    // is something to tell, when the chart cannot be compiled; nothing changes then.
    bool CompileMotionChart(const Chart& chart, Services& services);
    // Compiles a scenario chart into StepItem and the LIST view rows.
    bool CompileScenarioChart(const Chart& chart, Services& services);

    // The step index of an item: the first step laid out for it, -1 when none.
    int StepIndexOf(int item) const;

    // Results of the last compile (or of the last read from the board), read-only:
    // they change only as a whole.
    // Number of steps laid out.
    qint32 StepCount() const { return m_stepCount; }
    // Per step: the item number, kEndStep or kJumpStep (for a scenario: the MOT
    // items in playing order; after a scenario read: the motion numbers).
    const std::vector<qint32>& StepItem() const { return m_stepItem; }
    // Per step: the branch target item of an item step, the jump target of a
    // jump step, else -1.
    const std::vector<qint32>& StepTarget() const { return m_stepTarget; }
    // Per item: 1 once the item has been laid out.
    const std::vector<quint8>& Visited() const { return m_visited; }
    // One 49-byte record per step.
    const std::vector<MotionRecord>& MotionImage() const { return m_motionImage; }

    // What a read from the board puts in place of a compile's results: the
    // records read, and the steps a chart rebuild or a scenario read lays out.
    void SetMotionImage(std::vector<MotionRecord> image);
    void SetSteps(std::vector<qint32> items, std::vector<qint32> targets);

    // The texts below are formatted on their first request after a compile, from
    // what the compile recorded; later changes to the chart, the image or the
    // steps do not alter them.
    // The listing, one entry per step, without line ends.
    const QStringList& listingLines() const;
    // The listing text as BuildListing returned it.
    QString listingText() const;
    // The rows of the step table: caption (step number) and four fields.
    const QList<QStringList>& stepRows() const;
    // The rows of the LIST view: the hex rows of the image after a motion
    // compile, the motion list after a scenario compile.
    const QStringList& hexRows() const;
    // True when the LIST view rows come from a scenario compile.
    bool showsScenario() const { return m_showsScenario; }

  private:
    // False, after a warning, when the chart has no start item.
    static bool CheckStartItem(const Chart& chart, Services& services);
    // The sequential and branch successors of the item; not ok (after an error
    // box) when a CMP item has no branch link or the item has more than one link
    // of a kind. Links whose ends are not items of the chart are ignored.
    static Successors FindSuccessors(const Chart& chart, int item, Services& services);
    // Empties the steps and sizes Visited for a chart of itemCount items.
    void ResetSteps(int itemCount);
    // Lays out the chain that starts at the item, then, depth first, the chains
    // of the branch targets met on it that are not laid out yet.
    bool WalkChart(const Chart& chart, int item, Services& services);
    // False, after an error box, when a jump or branch target cannot be written
    // into its word: a jump beyond step 255, or a branch step that pushes a
    // CMP code out of its range.
    bool CheckTargets(const Chart& chart, Services& services) const;
    // Builds MotionImage from the steps and records what the listing, the step
    // table rows and the hex rows are formatted from when first asked for.
    void BuildListing(const Chart& chart);

    // What one step's listing line is made of, kept by a motion compile.
    struct StepText {
        qint32 item = kEndStep; // the step's item, kEndStep for anything that is not an item
        qint32 target = -1;     // the step's target as laid out
        int targetStep = -1;    // the step written into a jump or branch code
        QString name;           // the item's name
        QString targetName;     // the target's name, empty when it is no item
    };
    // The record of a motion compile the texts are formatted from; shared, never
    // changed once made.
    struct ListingSource {
        std::vector<StepText> steps;
        std::vector<MotionRecord> image;
    };
    void formatListing() const;

    // The links of the chart grouped by origin, in table order within a group.
    struct LinkIndex {
        std::vector<int> first; // per item: position of its first link in order
        std::vector<int> order; // link numbers sorted by origin
    };
    static LinkIndex indexLinks(const Chart& chart);
    // The successors of the item among `count` links: the given link numbers,
    // or the first `count` links of the table when `links` is null.
    static Successors successors(const Chart& chart, int item, const int* links, int count,
                                 Services& services);
    void appendStep(qint32 item, qint32 target);
    bool layOutChain(const Chart& chart, const LinkIndex& index, int item, Services& services,
                     std::vector<int>& pending);
    void adopt(Compiler&& work);

    qint32 m_stepCount = 0;
    std::vector<qint32> m_stepItem;
    std::vector<qint32> m_stepTarget;
    std::vector<quint8> m_visited;
    std::vector<MotionRecord> m_motionImage;
    // The last motion compile's record; null before the first.
    std::shared_ptr<const ListingSource> m_source;
    // Texts formatted from m_source on request; m_hexRows holds the motion list
    // itself after a scenario compile.
    mutable bool m_listingFormatted = true;
    mutable QStringList m_listing;
    mutable QList<QStringList> m_stepRows;
    mutable bool m_hexFormatted = true;
    mutable QStringList m_hexRows;
    bool m_showsScenario = false;
};

} // namespace qvx
