#include "app/BoardFlows.h"

#include "app/AppState.h"
#include "base/CommaList.h"
#include "base/Services.h"
#include "board/BoardCommands.h"

#include <QCoreApplication>

namespace qvx {

namespace {

QString PlaybackText() {
    return QCoreApplication::translate("qvx::BoardFlows", "Sending the playback command");
}
QString WriteStoppedText() {
    return QCoreApplication::translate("qvx::BoardFlows", "Writing stopped: ");
}

} // namespace

BoardFlows::BoardFlows(AppState& state, Services& services)
    : m_state(state), m_services(services),
      m_transfer(state.compiler, state.header, state.board, services) {
    m_transfer.setTable(&state.table);
    state.table.follow(state.board);
}

bool BoardFlows::RefuseWhileBusy() {
    return m_state.link.RefuseWhileBusy();
}

bool BoardFlows::readTableIfNotRead() {
    MotionTable& table = m_state.table;
    if (!readTableBeforePick || table.allRead()) return true;
    m_services.ShowStatus(tr("Reading the motion table"));
    QString failure;
    if (table.ReadFromBoard(m_state.board, &failure)) return true;
    m_services.ShowStatus(failure);
    return false;
}

std::optional<int> BoardFlows::pick(const QString& caption, const QString& prompt, Rows rows,
                                    int preselected) {
    if (!readTableIfNotRead()) return std::nullopt;
    // The lists are made after the read, from what it found.
    const MotionTable& table = m_state.table;
    const QString list = rows == Rows::Motions     ? table.MotionList()
                         : rows == Rows::Scenarios ? table.ScenarioList()
                                                   : table.AllList();
    const std::optional<int> n = m_services.PickNumber(caption, prompt, list, preselected);
    if (!n || *n < 0 || *n >= int(CommaList::split(list).size())) return std::nullopt;
    lastChosen = *n;
    return n;
}

bool BoardFlows::failed(const QString& text) {
    m_failure = text;
    m_services.ShowStatus(text);
    return false;
}

bool BoardFlows::commandFailed(const QString& what) {
    return failed(m_state.link.failureWith(what));
}

bool BoardFlows::stoppedAsleep(const QString& what) {
    return failed(BoardCommands::LeftAsleep(what));
}

bool BoardFlows::wake(const QString& done) {
    if (!m_state.board.SetSleep(1))
        return stoppedAsleep(
            m_state.link.failureWith(done + tr(", but the robot could not be woken")));
    m_services.ShowStatus(tr("Sleep off"));
    m_services.ShowStatus(done);
    return true;
}

bool BoardFlows::compileChart(int slot) {
    Compiler& compiler = m_state.compiler;
    m_compiled = m_state.chart.documentKind != MotionChart
                     ? compiler.CompileScenarioChart(m_state.chart, m_services)
                     : compiler.CompileMotionChart(m_state.chart, m_services);
    RunChecks(slot);
    call(hooks.compiled);
    return m_compiled;
}

const Findings& BoardFlows::RunChecks(int slot) {
    const bool motion = m_state.chart.documentKind == MotionChart;
    ChartCheckOptions options = checkOptions;
    options.usedChannels = m_state.header.MotionPort;
    options.slot = motion ? slot : -1;
    options.records = m_compiled && motion ? int(m_state.compiler.MotionImage().size()) : 0;
    options.takeKnownEntries(m_state.table);
    m_findings = RunChartChecks(m_state.chart, options);
    // What the walk over the chart cannot see: the motion as the board plays it.
    std::vector<PoseInstant> instants;
    if (options.records > 0) {
        const PlayedMotion played =
            PlayForChecks(m_state.compiler.MotionImage(), m_state.compiler.StepItem());
        const Findings more = PlayedFindings(played, m_findings);
        m_findings.insert(m_findings.end(), more.begin(), more.end());
        if (moreChecks) instants = PlayedInstants(played);
    }
    if (moreChecks) {
        const Findings more = moreChecks(m_state.chart, instants);
        m_findings.insert(m_findings.end(), more.begin(), more.end());
    }
    return m_findings;
}

bool BoardFlows::confirmFindings() {
    if (!AnyError(m_findings)) return true;
    // Asked once for all of them; the list under the LIST page names each.
    QStringList lines;
    for (const Finding& f : m_findings)
        if (f.isError()) lines << FindingLine(f, m_state.chart);
    lines << WriteAnywayText();
    const bool yes =
        m_services.ShowMessageBox(MsgIcon::Question, MsgButtons::YesNo, 0, MsgLanguage::English,
                                  lines.join(QStringLiteral("\r\n"))) == ResultYes;
    if (!yes) m_services.ShowStatus(tr("Writing cancelled: the checks found errors"));
    return yes;
}

bool BoardFlows::Write() {
    m_failure.clear();
    auto flow = m_state.link.beginFlow();
    if (!flow) return false;
    const QString caption = tr("Writing the data");
    const QString prompt = tr("Select the place where the data are written");
    const QString sleepFailed = tr("Writing failed: ") + BoardCommands::SleepFailedText();
    BoardCommands& board = m_state.board;
    // What cannot be stored, and a No to the write's question, are settled
    // before the robot is put to sleep, so that they leave it as it was.
    if (m_state.chart.documentKind != MotionChart) {
        const auto n = pick(caption, prompt, Rows::Scenarios, -1);
        if (!n) return false;
        if (!compileChart()) return false;
        m_services.ShowStatus(tr("Scenario change succeeded"));
        if (!confirmFindings() || !m_transfer.ConfirmScenarioWrite()) return false;
        if (!board.SetSleep(0)) return commandFailed(sleepFailed);
        m_services.ShowStatus(tr("Sleep on"));
        if (!m_transfer.WriteScenarioToBoard(m_state.chart, *n, true))
            return stoppedAsleep(WriteStoppedText() + m_transfer.failure());
    } else {
        const auto n = pick(caption, prompt, Rows::Motions, -1);
        if (!n) return false;
        if (!compileChart(*n)) return false;
        m_services.ShowStatus(tr("Assembling succeeded"));
        if (!confirmFindings() || !m_transfer.CheckMotionFits(*n) ||
            !m_transfer.ConfirmMotionWrite(*n))
            return false;
        if (!board.SetSleep(0)) return commandFailed(sleepFailed);
        m_services.ShowStatus(tr("Sleep on"));
        if (!m_transfer.WriteMotionToBoard(*n, true))
            return stoppedAsleep(WriteStoppedText() + m_transfer.failure());
    }
    return wake(tr("Writing succeeded"));
}

bool BoardFlows::Read() {
    m_failure.clear();
    auto flow = m_state.link.beginFlow();
    if (!flow) return false;
    const auto n = pick(tr("Reading the data"), tr("Select the reading data"), Rows::All, -1);
    if (!n) return false;
    BoardCommands& board = m_state.board;
    if (!board.SetSleep(0))
        return commandFailed(tr("Reading failed: ") + BoardCommands::SleepFailedText());
    m_services.ShowStatus(tr("Sleep on"));
    if (hooks.listRowsChanged) hooks.listRowsChanged({});
    const bool scenario = *n >= MotionTable::kMotionRows;
    const QString nameBefore = m_state.header.MotionName;
    const bool ok = scenario ? m_transfer.ReadScenarioFromBoard(*n - MotionTable::kMotionRows)
                             : m_transfer.ReadMotionFromBoard(*n);
    if (!ok) {
        // A read that failed after its table entry may have set the data name.
        if (m_state.header.MotionName != nameBefore) call(hooks.nameChanged);
        // An empty slot says so; a read that failed names what and why.
        const QString what = m_transfer.failure().isEmpty()
                                 ? (scenario ? tr("No data") : tr("There are no data."))
                                 : tr("Reading failed: ") + m_transfer.failure();
        failed(what);
        // Nothing was changed but the sleep: the robot is woken again.
        if (!board.SetSleep(1))
            stoppedAsleep(m_state.link.failureWith(
                what + (what.endsWith(u'.') ? QStringLiteral(" ") : QStringLiteral(". ")) +
                BoardCommands::WakeFailedText()));
        call(hooks.repaint);
        return false;
    }
    // The chart shown is replaced without a question.
    if (hooks.clearChart)
        hooks.clearChart();
    else
        m_state.chart.ClearChart();
    if (scenario) {
        m_state.chart.documentKind = ScenarioChart;
        m_transfer.RebuildScenarioChart(m_state.chart);
    } else {
        m_state.chart.documentKind = MotionChart;
        m_transfer.RebuildChart(m_state.chart);
    }
    if (hooks.listRowsChanged) hooks.listRowsChanged(m_transfer.listRows());
    call(hooks.nameChanged);
    const bool woke = wake(tr("Reading succeeded"));
    call(hooks.repaint);
    return woke;
}

bool BoardFlows::Delete() {
    m_failure.clear();
    auto flow = m_state.link.beginFlow();
    if (!flow) return false;
    const auto n = pick(tr("Delete the data"), tr("Select the data to be deleted"), Rows::All, -1);
    if (!n) return false;
    if (m_services.ShowMessageBox(MsgIcon::Question, MsgButtons::YesNo, 0, MsgLanguage::Japanese,
                                  tr("Again, are you sure to delete this?")) != ResultYes)
        return false;
    if (!m_state.board.ClearTableEntry(*n))
        return commandFailed(tr("Deleting %1 failed").arg(MotionTable::Caption(*n)));
    m_services.ShowStatus(tr("Data deletion is done"));
    return true;
}

bool BoardFlows::Play() {
    m_failure.clear();
    auto flow = m_state.link.beginFlow();
    if (!flow) return false;
    const auto n =
        pick(tr("Playing number"), tr("Select the playing number"), Rows::All, lastChosen);
    if (!n) return false;
    if (!m_state.board.PlayMotion(*n))
        return commandFailed(tr("Playing %1 failed").arg(MotionTable::Caption(*n)));
    m_services.ShowStatus(PlaybackText());
    return true;
}

bool BoardFlows::Stop() {
    m_failure.clear();
    auto flow = m_state.link.beginFlow();
    if (!flow) return false;
    if (!m_state.board.StopMotion()) return commandFailed(tr("Sending the stop command failed"));
    m_services.ShowStatus(tr("Sending the stop command"));
    return true;
}

bool BoardFlows::Pause() {
    m_failure.clear();
    auto flow = m_state.link.beginFlow();
    if (!flow) return false;
    if (!m_state.board.SetOptionBit1(2))
        return commandFailed(tr("Sending the pause command failed"));
    m_services.ShowStatus(tr("Sending the pause command"));
    return true;
}

bool BoardFlows::Compile() {
    // Compiling replaces the motion image a write may be sending.
    if (RefuseWhileBusy()) return false;
    return compileChart();
}

QByteArray BoardFlows::ExpandedSerialBytes(quint32 kindAndData, qint32 rowOrData) {
    const quint32 w = kindAndData & 0xFFFFFF;
    const qint64 l = rowOrData;
    // Division truncates toward zero, as the message's senders expect.
    const char bytes[7] = {char(0x80),
                           char((w / 256) % 256),
                           char(w % 256),
                           char(quint8(l)),
                           char(quint8(l / 256)),
                           char(quint8(l / 65536)),
                           char(quint8(l / 16777216))};
    return QByteArray(bytes, 7);
}

bool BoardFlows::RemoteMessage(quint32 kindAndData, quint32 rowOrData) {
    const quint32 t = kindAndData >> 24;
    if (t > 1) return false;
    auto flow = m_state.link.beginFlow();
    if (!flow) return false;
    if (t == 0) {
        if (rowOrData >= quint32(MotionTable::kRows)) return false;
        if (!m_state.board.PlayMotion(int(rowOrData))) return false;
        m_services.ShowStatus(PlaybackText());
        return true;
    }
    if (t == 1) {
        if (!m_state.board.SendExpandedSerial(ExpandedSerialBytes(kindAndData, qint32(rowOrData))))
            return false;
        m_services.ShowStatus(tr("Sending the expanded low speed serial"));
        return true;
    }
    return false;
}

} // namespace qvx
