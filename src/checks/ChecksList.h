#pragma once

#include "checks/Finding.h"

#include <QWidget>

class QPushButton;
class QTreeWidget;

namespace qvx {

class Chart;

// The findings of the checks before writing, one row each: severity, code,
// item and message. "Go to" (or a double-click on a row) asks for the row's
// item to be shown on the canvas.
class ChecksList : public QWidget {
    Q_OBJECT
  public:
    explicit ChecksList(QWidget* parent = nullptr);

    // Shows the findings with the names the chart gives their items now. The
    // rows follow their items by the chart's marks, so "Go to" finds the
    // same item after others were deleted or added.
    void showFindings(const Findings& findings, Chart& chart);
    int rowCount() const;

    QTreeWidget* rows = nullptr;
    QPushButton* goToButton = nullptr;

  signals:
    // The mark of the chosen row's item and the index it had (never emitted
    // for a whole-chart finding).
    void goToItem(quint64 mark, int hint);

  private:
    void goToCurrent();
};

} // namespace qvx
