#include "settings/ServoFlows.h"

#include "base/Services.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "settings/OptionFlows.h"

namespace qvx {

namespace {

// SetOptionBit14 modes.
constexpr int kSetSvpBit = 0;
constexpr int kClearSvpBit = 1;

} // namespace

ServoFlows::ServoFlows(BoardCommands& board) : m_board(board) {}

void ServoFlows::SetChannelNames(const QStringList& names) { m_names = names; }

QString ServoFlows::name(int r) const {
    if (r < m_names.size()) return m_names[r];
    return QStringLiteral("CH") + QString::number(r + 1);
}

QStringList ServoFlows::rowTexts(int r) const {
    const Row& row = m_rows[size_t(r)];
    return ServoParams::RowTexts(r + 1, name(r), row.svp, row.block);
}

QString ServoFlows::caption(int r) const {
    return QString::number(r + 1) + QLatin1Char(':') + name(r);
}

bool ServoFlows::Open() {
    m_problem.clear();
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    QByteArray mask;
    if (!m_board.ReadSvpChannels(mask)) {
        m_problem = link.failureWith(ReadFailedText());
        return false;
    }
    const quint32 svp = OptionFlows::SvpMask(mask);
    if (!m_board.SetOptionBit14(kSetSvpBit)) {
        m_problem = link.failureWith(SetFailedText());
        return false;
    }
    for (int r = 0; r < kRows; ++r)
        m_rows[size_t(r)].svp = svp & (1u << r);
    FillList();
    return true;
}

bool ServoFlows::Close() {
    m_problem.clear();
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    if (m_board.SetOptionBit14(kClearSvpBit)) return true;
    m_problem = link.failureWith(ClearFailedText()) + QStringLiteral(". ") + StillSvpText();
    return false;
}

bool ServoFlows::ReadAll() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    QByteArray mask;
    if (!m_board.ReadSvpChannels(mask)) return false;
    const quint32 svp = OptionFlows::SvpMask(mask);
    for (int r = 0; r < kRows; ++r)
        m_rows[size_t(r)].svp = svp & (1u << r);
    return true;
}

void ServoFlows::FillList() {
    for (Row& row : m_rows)
        row.block.reset();
}

bool ServoFlows::CheckSvpMode() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    return checkSvpMode();
}

bool ServoFlows::checkSvpMode() {
    quint16 word = 0;
    if (!m_board.ReadOptionWord(false, word)) return false;
    if (word & BoardCommands::kOptSvp) return true;
    if (Services* s = m_board.link().services())
        s->ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::Japanese,
                          SvpModeWarning());
    return false;
}

bool ServoFlows::ReadServos() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    if (!checkSvpMode()) return false;
    FillList();
    bool all = true;
    for (int r = 0; r < kRows; ++r) {
        if (!m_rows[size_t(r)].svp) continue;
        // One attempt per servo: a servo that is missing costs one time-out.
        QByteArray block;
        if (m_board.ReadServoParams(r, block))
            m_rows[size_t(r)].block = block;
        else
            all = false;
    }
    return all;
}

bool ServoFlows::EditServo(int r, const Editor& edit) {
    BoardLink& link = m_board.link();
    // Held while the parameter dialog is open too: nothing else may reach the
    // board between reading the block and writing it back.
    auto flow = link.beginFlow();
    if (!flow) return false;
    if (!checkSvpMode()) return false;
    if (!validRow(r) || !m_rows[size_t(r)].svp) return false;
    QByteArray read;
    if (!m_board.ReadServoParams(r, read)) return false;
    ServoControls controls = ServoParams::Load(read);
    if (edit) edit(controls, caption(r));
    const QByteArray block = ServoParams::Store(read, controls);
    m_rows[size_t(r)].block = block;
    if (m_board.WriteServoParams(r, block)) return true;
    // The servo still holds what was read; the row must not claim otherwise.
    m_rows[size_t(r)].block = read;
    return false;
}

bool ServoFlows::CanDrop(int from, int to) const {
    return validRow(from) && validRow(to) && m_rows[size_t(from)].svp && m_rows[size_t(to)].svp;
}

bool ServoFlows::CopyServo(int from, int to) {
    if (!CanDrop(from, to)) return false;
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    QByteArray block;
    if (!m_board.ReadServoParams(from, block)) return false;
    if (!m_board.WriteServoParams(to, block)) return false;
    m_rows[size_t(to)].block = block;
    return true;
}

} // namespace qvx
