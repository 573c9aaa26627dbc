#pragma once

#include "settings/AnalogFlows.h"

#include <QColor>
#include <QDialog>
#include <QList>
#include <QStringList>
#include <array>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;
class QTabBar;

namespace qvx {

class ChannelLabels;
class BoardCommands;
class MotionTable;

// The analog input dialog: per input AD1..AD3 the reference value, the real
// time mixing gain of every channel and the two sensor interrupts, with the
// live measured values and voltages from the board's analog reports. Every
// change goes to the board's working copy at once; closing saves everything
// to the stored copies.
class AnalogDialog : public QDialog {
    Q_OBJECT
  public:
    AnalogDialog(BoardCommands& board, MotionTable& table, QWidget* parent = nullptr);

    QTabBar* AdChannel = nullptr;
    QGroupBox* GroupBox2 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* CalEdit = nullptr;
    QScrollBar* ScrollBar1 = nullptr;
    QPushButton* AutoCalBtn = nullptr;
    QLabel* Label3 = nullptr;
    QLineEdit* AdcEdit = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* RifEdit = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    std::array<QLabel*, 24> PortName{};
    std::array<QComboBox*, 24> ComboBox{};
    QGroupBox* GroupBox3 = nullptr;
    // Sensor rows, tag 0 and tag 1.
    QLabel* Label4 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QScrollBar* SensScroll1 = nullptr;
    QLabel* Label5 = nullptr;
    QComboBox* MotList1 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QScrollBar* SensScroll2 = nullptr;
    QLabel* Label9 = nullptr;
    QComboBox* MotList2 = nullptr;
    QLabel* Label8 = nullptr;
    // Status line: supply and the three inputs.
    QLabel* Label10 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label13 = nullptr;
    QLineEdit* Edit4 = nullptr;
    QLineEdit* Edit5 = nullptr;
    QLineEdit* Edit6 = nullptr;

    // The analog button's whole flow: ReadAll, report buffer emptied and
    // option bit 8 set, the dialog shown modally, then option bit 8 cleared
    // and WriteAll. False when loading failed (nothing was shown) or when
    // the closing commands failed; a failure shows its cause in the status
    // line, and says so when the board still sends its reports.
    bool Execute();

    // Loads the dialog from the board's stored copies; false (nothing shown
    // changes) when a read fails.
    bool ReadAll();
    // Saves the dialog to the board's stored copies.
    bool WriteAll();

    // The channel labels copied onto the mixing rows when the dialog loads.
    void SetChannelLabels(const QStringList& names, const QList<QColor>& colours);
    // Takes the shared labels now and each time they change.
    void followChannelLabels(const ChannelLabels& labels);

    // What the dialog holds: the SET dialog labels its sensor boxes from it.
    const AnalogSettings& settings() const { return m_settings; }
    AnalogFlows& flows() { return m_flows; }

    // Handlers, named after their controls.
    void AdChannelChange(int index);
    void ScrollBar1Scroll(int position);
    void AutoCalBtnClick();
    void ComboBoxCloseUp(int tag, int index);
    void MotListCloseUp(int tag, int index);
    // Every scroll event of a threshold bar; `ended` at the end of a scroll.
    void SensScrollScroll(int tag, int position, bool ended);
    // The analog report handler.
    void OnAdReport(const QList<int>& values);

  private:
    int input() const;
    void applyChannelLabels();
    void fillMotionLists();
    void showReference();
    void showInput();
    void showSensorRow(int tag);
    void showStatusLine();
    std::array<QLineEdit*, 4> voltEdits() const { return {Edit3, Edit4, Edit5, Edit6}; }
    QScrollBar* sensScroll(int tag) const { return tag == 0 ? SensScroll1 : SensScroll2; }
    QLineEdit* sensEdit(int tag) const { return tag == 0 ? Edit1 : Edit2; }
    QComboBox* motList(int tag) const { return tag == 0 ? MotList1 : MotList2; }

    BoardCommands& m_board;
    MotionTable& m_table;
    AnalogSettings m_settings;
    AnalogFlows m_flows;
    QStringList m_names;
    QList<QColor> m_colours;
};

} // namespace qvx
