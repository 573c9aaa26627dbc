#pragma once

#include "document/Chart.h"
#include "items/SetCodes.h"

#include <QWidget>
#include <array>

class QFrame;
class QRadioButton;

namespace qvx {

class BoardLink;
struct Item;

// The CMP item dialog: chooses which of ten conditions a CMP item tests.
// Modeless and without OK or Cancel: a click on a condition writes its code
// base into the item's 24 values at once. The branch target is not chosen
// here; the compiler adds it from the chart's links.
//
// The dialog follows the item it was opened on by identity: when the item is
// deleted or the chart replaced, it shows nothing and takes no edits until
// another CMP item is opened.
class CompareItemDialog : public QWidget {
    Q_OBJECT
  public:
    // `link` tells whether a board flow runs: no item changes meanwhile.
    CompareItemDialog(Chart& chart, BoardLink& link, QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    // RadBtn1..RadBtn10, the radio button of tag t at index t.
    std::array<QRadioButton*, CmpCodes::kConditions> RadBtn{};

    // Opens the dialog on CMP item `index` and follows it.
    void ShowItem(int index);
    // Items were deleted or changed, or the chart replaced: when the shown
    // item is gone the dialog shows nothing, else it shows the item again.
    void ChartChanged();
    // The item the dialog edits, or null when it shows none.
    Item* currentItem();

  private:
    // The one handler of all ten radio buttons, by their tag.
    void RadBtnMouseUp(int tag);
    void showItemState();
    void showNothing();
    void uncheckAll();

    Chart& m_chart;
    BoardLink& m_link;
    // The shown item, followed through edits that renumber the items.
    MarkedItem m_shown{m_chart};
};

} // namespace qvx
