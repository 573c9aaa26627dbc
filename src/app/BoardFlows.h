#pragma once

#include "checks/ChartChecks.h"
#include "checks/PlayedChecks.h"
#include "compiler/MotionTransfer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QStringList>
#include <functional>
#include <optional>

namespace qvx {

class Services;
struct AppState;

// The board actions of the main window as core code: write, read, delete,
// play, stop, pause and compile, and the remote command messages. The desktop
// program and the command-line tool run these same flows; what differs is the
// services that show things and answer the number picker, and the hooks below.
class BoardFlows {
    Q_DECLARE_TR_FUNCTIONS(qvx::BoardFlows)

  public:
    BoardFlows(AppState& state, Services& services);

    // What the window around the flows does at their turning points.
    struct Hooks {
        // Empties the chart (the window also drops its paste buffer).
        std::function<void()> clearChart;
        // A compile ran (successful or not): the views show the compiler's
        // results, which a failed scenario compile has emptied.
        std::function<void()> compiled;
        // The LIST view rows changed (emptied before a read, filled after).
        std::function<void(const QStringList&)> listRowsChanged;
        // A read set the data name (whether or not the rest of it succeeded).
        std::function<void()> nameChanged;
        std::function<void()> repaint;
    };
    Hooks hooks;

    MotionTransfer& transfer() { return m_transfer; }

    // The number chosen last in any picker (-1 before the first choice); the
    // play flow preselects it.
    int lastChosen = -1;

    // The window reads the board's motion table before a slot picker when it
    // has not been read since the port was opened, so the picker shows what
    // the board holds. The command-line tool names its slot and reads nothing.
    bool readTableBeforePick = false;

    bool Write();
    bool Read();
    bool Delete();
    bool Play();
    bool Stop();
    bool Pause();
    // Compiles the chart as its document kind asks.
    bool Compile();

    // What the checks before writing compare the chart with beyond the chart
    // itself (the board's settings, ...). A compile fills in the used
    // channels, and a write the slot, its records and the table rows read.
    ChartCheckOptions checkOptions;
    // Runs the checks before writing on the chart and the last compile, for
    // a write to `slot` when it is not -1, with the table rows read so far.
    // Every compile runs them.
    const Findings& RunChecks(int slot = -1);
    // Checks the window or the tool adds to the chart's own (the robot
    // model's), given the chart and the poses of the motion as the simulated
    // board plays it (none when no motion compiled). Unset: none.
    std::function<Findings(const Chart&, const std::vector<PoseInstant>&)> moreChecks;
    // What the checks found last.
    const Findings& findings() const { return m_findings; }
    // The question a write asks when the checks found an error.
    static QString WriteAnywayText() { return tr("Write anyway?"); }

    // Why the last flow failed, as the status line showed it (the cause
    // included, and that the robot is left asleep when it is); empty after a
    // success, a cancel or a refusal the flow showed otherwise.
    const QString& failure() const { return m_failure; }

    // True, after telling the user, while a flow or an exchange is under way:
    // every flow starts with it, and the window asks it before any action that
    // would change what a flow works on.
    bool RefuseWhileBusy();

    // A remote command message: t = kindAndData >> 24; t 0 plays row rowOrData, t 1
    // forwards 7 bytes of expanded serial data; anything else is ignored.
    // True when a command was sent and succeeded.
    bool RemoteMessage(quint32 kindAndData, quint32 rowOrData);
    // The 7 bytes a t = 1 message forwards.
    static QByteArray ExpandedSerialBytes(quint32 kindAndData, qint32 rowOrData);

  private:
    // The picker; nothing when it was cancelled, left without a choice or
    // answered outside the list.
    // The rows a picker offers: the motion rows, the scenario rows, or all.
    enum class Rows { Motions, Scenarios, All };
    std::optional<int> pick(const QString& caption, const QString& prompt, Rows rows,
                            int preselected);
    // Reads the table when readTableBeforePick asks for it; false (after the
    // status line has said why) when the read failed.
    bool readTableIfNotRead();
    bool wake(const QString& done);
    // Shows a failure in the status line and keeps it; false.
    bool failed(const QString& text);
    // The same for a command that failed, with the link's cause: "what: cause".
    bool commandFailed(const QString& what);
    // The same for a flow that stops with the robot asleep.
    bool stoppedAsleep(const QString& what);
    // Compiles and runs the checks before writing, for a write to `slot`
    // when it is not -1.
    bool compileChart(int slot = -1);
    // True when nothing the checks found is an error, or the user answered
    // Yes to writing anyway (No is the default answer).
    bool confirmFindings();
    void call(const std::function<void()>& hook) {
        if (hook) hook();
    }

    AppState& m_state;
    Services& m_services;
    MotionTransfer m_transfer;
    QString m_failure;
    Findings m_findings;
    // Whether the last compile succeeded: only then do its records count.
    bool m_compiled = false;
};

} // namespace qvx
