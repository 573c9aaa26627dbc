#pragma once

#include "settings/OptionFlows.h"

#include <QColor>
#include <QDialog>
#include <QList>
#include <QStringList>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;

namespace qvx {

class ChannelLabels;
class BoardCommands;
class MotionTable;
class UpDown;

// The board options dialog: the option word bits, the start-switch, power-on
// and alarm motions, the alarm voltage and the SVP channel set. Everything is
// loaded from the board before the dialog is shown and every change goes to
// the board at once; there is no OK or Cancel, the close box ends it.
class OptionsDialog : public QDialog {
    Q_OBJECT
  public:
    OptionsDialog(BoardCommands& board, const MotionTable& table, QWidget* parent = nullptr);

    QCheckBox* Check5 = nullptr;
    QCheckBox* Check1 = nullptr;
    QCheckBox* Check7 = nullptr;
    QLabel* Label2 = nullptr;
    QComboBox* BtnList = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* StartList = nullptr;
    QLabel* Label4 = nullptr;
    QComboBox* AlarmList = nullptr;
    QLineEdit* AlmVoltEdit = nullptr;
    UpDown* AlmVoltBtn = nullptr;
    QGroupBox* GroupBox6 = nullptr;
    std::array<QCheckBox*, 24> SVP_C{};

    // The options button of the main window: sleep, load every control, run,
    // then the dialog modally. False (nothing shown) when any of the three
    // failed or another flow is under way; true once the dialog was closed.
    bool RunFromMainWindow();
    // Loads every control from the board; false at the first failed read.
    bool ReadAll();

    // The pose window's channel names and panel colours, put on the SVP boxes
    // each time the controls are loaded.
    void SetChannelLabels(const QStringList& names, const QList<QColor>& colours);
    // Takes the shared labels now and each time they change.
    void followChannelLabels(const ChannelLabels& labels);

    OptionFlows& flows() { return m_flows; }

  public slots:
    void Check1MouseUp();
    void Check5MouseUp();
    void Check7MouseUp();
    void BtnListCloseUp();
    void StartListCloseUp();
    void AlarmListCloseUp();
    void AlmVoltBtnClick(int position);
    void AlmVoltBtnMouseUp(int position);
    void SvpMouseUp();

  private:
    // Shows the controls as the flows hold them: after loading, and after each
    // change (a change refused while the board was busy goes back).
    void showSettings();
    void fillChoices();
    void applyChannelLabels();
    quint32 svpMaskOfBoxes() const;

    OptionFlows m_flows;
    QStringList m_names;
    QList<QColor> m_colours;
};

} // namespace qvx
