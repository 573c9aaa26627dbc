#pragma once

#include <QWidget>

class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace qvx {

class BoardCommands;
class MotionTable;
class MotionDataDialog;
struct MotionHeader;

// The motion table window ("DataTable"): the board's 85 table entries in a
// list, read from the board with MotReadBtn, edited with the data dialog on a
// double-click, and dragged onto a scenario chart as MOT items.
class MotionTableWindow : public QWidget {
    Q_OBJECT
  public:
    MotionTableWindow(MotionTable& table, BoardCommands& board, MotionHeader& header, MotionDataDialog& data,
              QWidget* parent = nullptr);

    // The name column of a row not read from the board since the port was
    // opened: the slot may hold a motion, so the row must not look empty.
    static QString NotReadText() { return tr("(not read)"); }

    QToolButton* MotReadBtn = nullptr;
    // Named "ListView": the canvas takes drops only from this list.
    QTreeWidget* ListView = nullptr;

    // Edits the stored entry of a row with the data dialog (the double-click).
    // True when the entry was rewritten.
    bool EditRow(int row);

  public slots:
    void MotReadBtnClick();
    void ListViewDblClick();

  private:
    void showRow(int row);
    void showAll();

    MotionTable& m_table;
    BoardCommands& m_board;
    MotionHeader& m_header;
    MotionDataDialog& m_data;
};

} // namespace qvx
