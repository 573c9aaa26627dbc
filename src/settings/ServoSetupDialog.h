#pragma once

#include "settings/ServoFlows.h"

#include <QColor>
#include <QDialog>
#include <QList>
#include <QStringList>
#include <QTreeWidget>
#include <functional>

class QToolButton;

namespace qvx {

class ChannelLabels;
class BoardCommands;
class BoardLink;
class ServoParameterDialog;

// The servo list: a report-style, read-only list whose rows can be dragged
// onto one another. A drop moves nothing; it asks the dialog to copy.
class ServoList : public QTreeWidget {
    Q_OBJECT
  public:
    explicit ServoList(QWidget* parent = nullptr);
    // May the selected row be dropped on this row?
    std::function<bool(int row)> canDrop;
    // The selected row was dropped on this row.
    std::function<void(int row)> dropped;

  protected:
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
};

// The servo setup dialog: the 24 channels with the parameters of their SVP
// servos, the read button, editing one servo in ServoParameterDialog on a double click and
// copying one servo's parameters onto another by drag and drop. The board
// answers servo commands only in SVP mode, which it enters at power-up when
// option bit 14 of its stored word is set; the main window's flow sets that
// bit around the dialog. There is no OK or Cancel; the close box ends it.
class ServoSetupDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ServoSetupDialog(BoardCommands& board, QWidget* parent = nullptr);

    QToolButton* SioReadBtn = nullptr;
    // Shown only while a power switch is set.
    QToolButton* PowerBtn = nullptr;
    ServoList* SVPList = nullptr;

    // The simulated board's power switch, set by the main window while the
    // open port is the simulated board (empty otherwise). The board enters
    // SVP mode only at power-up and the port box waits behind this dialog, so
    // the dialog then offers the switch itself.
    void setPowerSwitch(std::function<void()> powerCycle);

    // The main window's SVP button: reads the SVP channels and sets option
    // bit 14 of the stored word; only when both succeed fills the list and
    // shows the dialog modally, and when it is closed clears bit 14 again.
    // False when the dialog was not shown (a failed read or write, another
    // flow under way, or the dialog already open) or when bit 14 could not be
    // cleared afterwards. A failure shows its cause in the status line, and
    // says so when the board still starts in SVP mode.
    bool RunFromMainWindow();
    // Reads the SVP channel set (the main window's first step).
    bool ReadAll();
    // 24 rows with number, name and servo kind ("SVP" or "PWM").
    void FillList();

    // The pose window's channel names for the "Name" column; the colours are
    // taken for the same call shape as the other channel windows and unused.
    void SetChannelLabels(const QStringList& names, const QList<QColor>& colours);
    // Takes the shared labels now and each time they change.
    void followChannelLabels(const ChannelLabels& labels);

    ServoParameterDialog* prm() const { return m_prm; }
    ServoFlows& flows() { return m_flows; }

  public slots:
    void SioReadBtnClick();
    void SVPListDblClick();
    bool SVPListDragOver(int targetRow) const;
    void SVPListDragDrop(int targetRow);

  private:
    // Shows the rows as the flows hold them; keeps the selection.
    void showRows();
    int selectedRow() const;
    // Runs one board flow with the dialog disabled, then shows the rows.
    template <typename F> bool exchange(F&& flow);

    BoardLink& m_link;
    ServoFlows m_flows;
    ServoParameterDialog* m_prm = nullptr;
    std::function<void()> m_powerCycle;
};

} // namespace qvx
