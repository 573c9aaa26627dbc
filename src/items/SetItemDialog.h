#pragma once

#include "document/Chart.h"
#include "items/SetCodes.h"

#include <QColor>
#include <QList>
#include <QStringList>
#include <QWidget>
#include <array>
#include <functional>

class QAbstractButton;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace qvx {

class ChannelLabels;
class BoardCommands;
struct Item;

// The SET item dialog: chooses what a SET item does (take the taught value,
// load the loop counter or the compare register, calibrate an analog input,
// switch playing from the receiver or the sensor control, or mix the analog
// inputs into the channels). Modeless and without OK or Cancel: every choice
// is written into the item's 24 values at once. With the main window's SYNC
// switch on, a mixing item goes to the robot's live record when it is opened
// and after every change, so the robot mixes at once.
//
// The dialog follows the item it was opened on by identity: when the item is
// deleted or the chart replaced, it shows nothing and takes no edits until
// another SET item is opened.
class SetItemDialog : public QWidget {
    Q_OBJECT
  public:
    static constexpr int kChannels = kChannelCount;

    SetItemDialog(Chart& chart, BoardCommands& board, QWidget* parent = nullptr);

    // Named components. Page "Other":
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QRadioButton *RadBtn1 = nullptr, *RadBtn2 = nullptr, *RadBtn3 = nullptr, *RadBtn4 = nullptr,
                 *RadBtn6 = nullptr, *RadBtn7 = nullptr, *RadBtn8 = nullptr;
    QScrollBar* NumBar = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QComboBox* AdList = nullptr;
    // Sck1..Sck6: the six sensor interrupts, AD1 first and second, AD2 ..., AD3 ...
    std::array<QCheckBox*, SetCodes::kSensors> Sck{};
    // Page "Mixing", index 0 holding channel 1.
    std::array<QLabel*, kChannels> MixLabel{};
    std::array<QComboBox*, kChannels> MixNum{};
    std::array<QComboBox*, kChannels> MixList{};

    // The main window's SYNC switch: while it is checked mixing goes to the robot.
    void setSyncSwitch(const QAbstractButton* sync) { m_sync = sync; }
    // Where the sensor interrupt settings come from (the analog dialog); read
    // each time an item is opened. Without one every interrupt reads as none.
    using SensorSource = std::function<SensorInterrupts()>;
    void setSensorSource(SensorSource source) { m_sensors = std::move(source); }
    // The pose window's channel names and panel colours for the mixing
    // labels; missing entries keep "CH" + number and the button colour.
    void SetChannelLabels(const QStringList& names, const QList<QColor>& colours);
    // Takes the shared labels now and each time they change.
    void followChannelLabels(const ChannelLabels& labels);

    // Opens the dialog on SET item `index` and follows it.
    void ShowItem(int index);
    // Items were deleted or changed, or the chart replaced: when the shown
    // item is gone the dialog shows nothing, else it shows the item again.
    void ChartChanged();
    // The item the dialog edits, or null when it shows none.
    Item* currentItem();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildOtherPage();
    void buildMixingPage();

    // The handlers; RadBtnMouseDown serves RadBtn1, RadBtn7 and RadBtn8 by tag.
    void RadBtnMouseDown(int tag);
    void RadBtn2MouseDown();
    void NumBarScroll(int position);
    void Edit1KeyUp();
    void Edit2Commit();
    void RadBtn4MouseDown();
    void AdListCloseUp(int index);
    void RadBtn6MouseDown();
    void SckMouseUp();
    void MixCloseUp();

    // True when an edit may go ahead: an item is shown and no board flow runs
    // (the user is told when one does, and the controls show the item again).
    bool editAllowed();
    // Every one of the item's 24 values becomes the code.
    void writeAll(quint16 code);
    int sensorFlags() const;
    void sendMixing();
    bool syncOn() const;

    void buildSensorCaptions();
    void applyChannelLabels();
    // Resets both pages and shows the item's values on them; the item's operation.
    SetVariant showItemState();
    void showNothing();
    void uncheckOptions();

    Chart& m_chart;
    BoardCommands& m_board;
    const QAbstractButton* m_sync = nullptr;
    SensorSource m_sensors;
    QStringList m_names;
    QList<QColor> m_colours;
    // The shown item, followed through edits that renumber the items.
    MarkedItem m_shown{m_chart};
    // Set while the controls are rebuilt from the item: focus moving in or out
    // of the compare box then is no choice of the user's.
    bool m_showing = false;
};

} // namespace qvx
