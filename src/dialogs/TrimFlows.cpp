#include "dialogs/TrimFlows.h"

#include "base/Services.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "dialogs/TrimFile.h"
#include "document/IniFile.h"

#include <algorithm>

namespace qvx {

namespace {

constexpr bool kStored = true;
constexpr bool kWorking = false;

bool validChannel(int channel) {
    return channel >= 1 && channel <= QmxBoard::kChannels;
}

} // namespace

TrimFlows::TrimFlows(BoardCommands& board, Services& services)
    : m_board(board), m_services(services) {
    ShowWords([] {
        Words w;
        w.fill(quint16(kNeutral));
        return w;
    }());
}

QByteArray TrimFlows::CollectBlock() const {
    return BigEndian::fromWords(m_positions);
}

void TrimFlows::ShowWords(const Words& trim) {
    for (size_t i = 0; i < trim.size(); ++i) {
        m_positions[i] = quint16(std::clamp(int(trim[i]), kMin, kMax));
        m_offsets[i] = int(trim[i]) - kNeutral;
    }
}

void TrimFlows::setChannel(int channel, int position) {
    const int p = std::clamp(position, kMin, kMax);
    m_positions[size_t(channel - 1)] = quint16(p);
    m_offsets[size_t(channel - 1)] = p - kNeutral;
}

bool TrimFlows::Open() {
    BoardLink& link = m_board.link();
    if (link.RefuseWhileBusy()) return false;
    BoardLink::FlowScope flow(link);
    if (!m_board.SetSleep(0)) return false;
    Words trim{};
    if (!m_board.ReadTrimData(kStored, trim)) return false;
    ShowWords(trim);
    return m_board.SetSleep(1);
}

bool TrimFlows::Close() {
    BoardLink& link = m_board.link();
    if (link.RefuseWhileBusy()) return false;
    BoardLink::FlowScope flow(link);
    if (!m_board.SetSleep(0)) return false;
    // Closing always writes the stored copy, changed or not.
    const Words trim = m_positions;
    return m_board.WriteTrimData(kStored, trim) && m_board.SetSleep(1);
}

bool TrimFlows::SetPosition(int channel, int position) {
    if (!validChannel(channel)) return false;
    BoardLink& link = m_board.link();
    if (link.RefuseWhileBusy()) return false;
    BoardLink::FlowScope flow(link);
    setChannel(channel, position);
    // The command has no answer; its result says nothing and is not shown.
    m_board.SetTrimLive(channel - 1, m_positions[size_t(channel - 1)]);
    return true;
}

bool TrimFlows::EnterOffset(int channel, const QString& text) {
    if (!validChannel(channel)) return false;
    BoardLink& link = m_board.link();
    if (link.RefuseWhileBusy()) return false;
    BoardLink::FlowScope flow(link);
    int typed = 0;
    if (!IniFile::parseInteger(text, typed)) typed = m_offsets[size_t(channel - 1)];
    // Worked out wide: a typed value near the integer limits must not wrap.
    const qint64 wanted = std::clamp<qint64>(qint64(typed) + kNeutral, kMin, kMax);
    setChannel(channel, int(wanted));
    m_board.SetTrimLive(channel - 1, m_positions[size_t(channel - 1)]);
    return true;
}

TrimFlows::LoadResult TrimFlows::LoadFile(const QString& path) {
    BoardLink& link = m_board.link();
    if (link.RefuseWhileBusy()) return LoadResult::Refused;
    BoardLink::FlowScope flow(link);
    const std::optional<Words> trim = TrimFile::Read(path, kMin, kMax);
    if (!trim) {
        m_services.ShowMessageBox(IconWarning, ButtonsOk, 0, LangJapanese, CantUseText());
        return LoadResult::Unusable;
    }
    ShowWords(*trim);
    const Words copy = *trim;
    const bool ok =
        m_board.SetSleep(0) && m_board.WriteTrimData(kWorking, copy) && m_board.SetSleep(1);
    return ok ? LoadResult::Loaded : LoadResult::BoardFailed;
}

bool TrimFlows::SaveFile(const QString& path) {
    if (TrimFile::Write(path, m_positions)) return true;
    m_services.ShowMessageBox(IconError, ButtonsOk, 0, LangJapanese, CantKeepText());
    return false;
}

} // namespace qvx
