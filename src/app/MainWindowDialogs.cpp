#include "app/MainWindow.h"

#include "app/AppState.h"
#include "base/UiServices.h"
#include "board/MotionDataDialog.h"
#include "document/PaletteColours.h"
#include "editor/ChartCanvas.h"
#include "editor/Conversion.h"
#include "editor/EditHistory.h"
#include "items/CompareItemDialog.h"
#include "items/SetItemDialog.h"
#include "pose/ChannelTableDialog.h"
#include "pose/PatternFile.h"
#include "pose/PoseWindow.h"
#include "settings/AnalogDialog.h"
#include "settings/OptionsDialog.h"
#include "settings/ReceiverDialog.h"
#include "settings/ServoSetupDialog.h"
#include "settings/TrimWindow.h"

#include <QCheckBox>
#include <QToolButton>

// The main window's item editors and board configuration dialogs: created
// once, handed what they need, and kept in step with the chart and with the
// pose window's channel names and colours.

namespace qvx {

void MainWindow::setUpItemWindows() {
    m_poseWindow = new PoseWindow(m_state.chart, m_state.board, m_services, this);
    m_poseWindow->setSyncSwitch(Sync);
    m_channelTableDialog = new ChannelTableDialog(*m_poseWindow, m_services, this);
    m_poseWindow->setChannelTableDialog(m_channelTableDialog);
    m_setItemDialog = new SetItemDialog(m_state.chart, m_state.board, this);
    m_setItemDialog->setSyncSwitch(Sync);
    m_compareItemDialog = new CompareItemDialog(m_state.chart, m_state.link, this);

    // A double-click opens the item in the editor of its kind.
    connect(Image1, &ChartCanvas::itemDoubleClicked, this, [this](int item) {
        if (!m_state.chart.validItem(item)) return;
        switch (m_state.chart.items[size_t(item)].kind) {
        case KindPos: m_poseWindow->OpenPoseItem(item); break;
        case KindSet: m_setItemDialog->ShowItem(item); break;
        case KindCmp: m_compareItemDialog->ShowItem(item); break;
        default: break;
        }
    });
    m_channelTableDialog->applyConversion = [this](const ChannelTableDialog::Texts& entries, const QString& pattern) {
        int changed = 0;
        std::optional<QString> refusal = ApplyConversion(m_state.chart, entries, pattern, &changed);
        if (!refusal) {
            // One step for the whole application, across every converted item.
            history().commit(tr("Conversion %1").arg(pattern));
            ItemsChanged();
            // Entries the conversion passed over are named, and a conversion
            // that changed nothing says so rather than looking like success.
            const QStringList notes = ConversionNotes(entries, pattern);
            m_services.ShowStatus(ConversionOutcomeText(changed));
            if (!notes.isEmpty())
                m_services.ShowMessageBox(MsgIcon::Information, MsgButtons::Ok, 0,
                                          MsgLanguage::English, notes.join(QStringLiteral("\r\n")));
        }
        return refusal;
    };
    connect(Image1, &ChartCanvas::conversionRequested, this, [this] {
        if (RefuseWhileBusy()) return;
        m_channelTableDialog->RunConversion();
        RepaintCanvas();
    });
}

void MainWindow::setUpBoardDialogs() {
    m_optionsDialog = new OptionsDialog(m_state.board, m_state.table, this);
    m_analogDialog = new AnalogDialog(m_state.board, m_state.table, this);
    m_trimWindow = new TrimWindow(m_state.board, m_services, this);
    // The trim window copies the pose window's arrangement each time it opens.
    m_trimWindow->setPoseWindow(m_poseWindow);
    m_receiverDialog = new ReceiverDialog(m_state.board, this);
    m_servoSetupDialog = new ServoSetupDialog(m_state.board, this);
    // The SET dialog names the sensor interrupts as the analog dialog last read them.
    m_setItemDialog->setSensorSource([this] {
        SensorInterrupts sensors;
        const AnalogSettings& a = m_analogDialog->settings();
        for (size_t k = 0; k < sensors.size(); ++k) sensors[k] = {a.thr[k], a.sel[k]};
        return sensors;
    });
    const std::pair<QToolButton*, void (MainWindow::*)()> buttons[] = {
        {HomeBtn, &MainWindow::HomeBtnClick},       {OptionBtn, &MainWindow::OptionBtnClick},
        {AdBtn, &MainWindow::AdBtnClick},           {SVPBtn, &MainWindow::SVPBtnClick},
        {OptionMenu3, &MainWindow::OptionMenu3Click}};
    for (const auto& [button, slot] : buttons) {
        button->setEnabled(true);
        connect(button, &QToolButton::clicked, this, slot);
    }

    // Every channel window follows the shared labels, which the pose window's
    // names and colours make.
    const ChannelLabels& labels = m_state.channelLabels;
    m_motionDataDialog->followChannelLabels(labels);
    m_optionsDialog->followChannelLabels(labels);
    m_analogDialog->followChannelLabels(labels);
    m_setItemDialog->followChannelLabels(labels);
    m_servoSetupDialog->followChannelLabels(labels);
    connect(m_poseWindow, &PoseWindow::channelLabelsChanged, this,
            &MainWindow::publishChannelLabels);
    m_poseWindow->LoadLayout(m_settingsPath);
    publishChannelLabels();
    m_channelTableDialog->LoadPatterns(PatternFile::PathIn(Settings::ConfigDir()));
}

void MainWindow::publishChannelLabels() {
    m_state.channelLabels.set(m_poseWindow->channelNames(),
                              ChannelLabelColours(m_poseWindow->channelColours()));
}

void MainWindow::ItemsChanged() {
    if (m_poseWindow) m_poseWindow->ChartChanged();
    if (m_setItemDialog) m_setItemDialog->ChartChanged();
    if (m_compareItemDialog) m_compareItemDialog->ChartChanged();
}

void MainWindow::OptionBtnClick() {
    if (RefuseWhileBusy()) return;
    m_optionsDialog->RunFromMainWindow();
}

void MainWindow::AdBtnClick() {
    if (RefuseWhileBusy()) return;
    m_analogDialog->Execute();
}

void MainWindow::HomeBtnClick() {
    if (RefuseWhileBusy()) return;
    m_trimWindow->RunFromMainWindow();
}

void MainWindow::OptionMenu3Click() {
    if (RefuseWhileBusy()) return;
    m_receiverDialog->Execute();
}

void MainWindow::SVPBtnClick() {
    if (RefuseWhileBusy()) return;
    // With the simulated board the dialog carries its power switch.
    std::function<void()> powerSwitch;
    if (m_state.port.simIsOpen())
        powerSwitch = [this] {
            if (!RefuseWhileBusy()) m_state.port.powerCycleSim();
        };
    m_servoSetupDialog->setPowerSwitch(powerSwitch);
    m_servoSetupDialog->RunFromMainWindow();
}

} // namespace qvx
