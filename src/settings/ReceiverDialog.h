#pragma once

#include "settings/ReceiverFlows.h"

#include <QDialog>
#include <QList>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace qvx {

class BoardCommands;
class BoardLink;

// The receiver input dialog: for PA1..PA4 the reference value (by bar or by
// automatic calibration), the measured value and their difference, and the
// button input, live from the board's receiver reports. A reference goes to
// the board's working copy when a scroll ends or AUTO is pressed; closing
// saves the references to the stored copy.
class ReceiverDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ReceiverDialog(BoardCommands& board, QWidget* parent = nullptr);

    // Per input n, index n - 1.
    std::array<QGroupBox*, 4> GroupBox{};  // GroupBox1..GroupBox4, "PA1".."PA4"
    std::array<QLabel*, 4> RefLabel{};     // Label7, Label10, Label13, Label16
    std::array<QLineEdit*, 4> PCal{};      // PCal1..PCal4
    std::array<QScrollBar*, 4> PScrBar{};  // PScrBar1..PScrBar4
    std::array<QPushButton*, 4> ACBtn{};   // ACBtn1..ACBtn4
    std::array<QLabel*, 4> MeasureLabel{}; // Label8, Label11, Label14, Label17
    std::array<QLineEdit*, 4> PAdc{};      // PAdc1..PAdc4
    std::array<QLabel*, 4> AmountLabel{};  // Label9, Label12, Label15, Label18
    std::array<QLineEdit*, 4> PRif{};      // PRif1..PRif4
    QGroupBox* GroupBox5 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* BEdit = nullptr;

    // The main window's receiver button (OptionMenu3): option bit 2 set and
    // the references loaded, the dialog shown modally until its close box,
    // then the references saved and the bit cleared. A failed opening or
    // saving shows "Connection failed" with its cause in the status line, and
    // says so when the board still sends its reports; false then (the dialog
    // was not shown when the opening failed). The caller refuses the click
    // while another board flow runs.
    bool Execute();

    // Loads the references from the board's stored copy and shows them.
    bool ReadAll();
    // Saves the references to the board's stored copy.
    bool WriteAll();
    // Shows the button input and every input's reference, measured value and
    // amount as the settings hold them.
    void ShowValues();

    const ReceiverSettings& settings() const { return m_settings; }
    ReceiverFlows& flows() { return m_flows; }

    // Handlers, named after their controls (tag = input 0..3).
    // Every scroll event of a reference bar; `ended` at the end of a scroll.
    void PScrBarScroll(int tag, int position, bool ended);
    void ACBtnClick(int tag);
    // The receiver report handler.
    void OnReceiverReport(int button, const QList<int>& values);

  private:
    void showInput(int n);

    BoardLink& m_link;
    ReceiverSettings m_settings;
    ReceiverFlows m_flows;
};

} // namespace qvx
