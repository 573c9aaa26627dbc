#include "settings/TrimFlows.h"

#include "base/Services.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "document/DocumentFile.h"
#include "document/IniFile.h"
#include "settings/TrimFile.h"

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
    m_values.fill(quint16(kNeutral));
}

TrimFlows::Words TrimFlows::positions() const {
    Words p;
    for (size_t i = 0; i < p.size(); ++i)
        p[i] = quint16(std::clamp(int(m_values[i]), kMin, kMax));
    return p;
}

TrimFlows::Offsets TrimFlows::offsets() const {
    Offsets o;
    for (size_t i = 0; i < o.size(); ++i)
        o[i] = int(m_values[i]) - kNeutral;
    return o;
}

QByteArray TrimFlows::CollectBlock() const {
    return BigEndian::fromWords(m_values);
}

void TrimFlows::ShowWords(const Words& trim) {
    m_values = trim;
}

void TrimFlows::setChannel(int channel, int position) {
    m_values[size_t(channel - 1)] = quint16(std::clamp(position, kMin, kMax));
}

bool TrimFlows::whileAsleep(const QString& what, const std::function<bool()>& work) {
    BoardLink& link = m_board.link();
    if (!m_board.SetSleep(0)) {
        m_problem = link.failureWith(what);
        return false;
    }
    const bool done = work();
    // The cause is taken before the wake, whose exchanges replace it.
    const QString cause = done ? QString() : link.failureWith(what);
    // The robot is woken again whatever the work did: it was awake before.
    if (m_board.SetSleep(1)) {
        m_problem = cause;
        return done;
    }
    m_problem =
        BoardCommands::LeftAsleep(done ? link.failureWith(BoardCommands::WakeFailedText()) : cause);
    return false;
}

bool TrimFlows::Open() {
    m_problem.clear();
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    return whileAsleep(ReadFailedText(), [this] {
        Words trim{};
        if (!m_board.ReadTrimData(kStored, trim)) return false;
        ShowWords(trim);
        return true;
    });
}

bool TrimFlows::Close() {
    m_problem.clear();
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    // Closing always writes the stored copy, changed or not; a word nobody
    // changed goes back as it was read.
    const Words trim = m_values;
    return whileAsleep(WriteFailedText(),
                       [this, &trim] { return m_board.WriteTrimData(kStored, trim); });
}

bool TrimFlows::SetPosition(int channel, int position) {
    if (!validChannel(channel)) return false;
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    setChannel(channel, position);
    // The command has no answer; its result says nothing and is not shown.
    m_board.SetTrimLive(channel - 1, m_values[size_t(channel - 1)]);
    return true;
}

bool TrimFlows::EnterOffset(int channel, const QString& text) {
    if (!validChannel(channel)) return false;
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    int typed = 0;
    if (!IniFile::parseInteger(text, typed)) typed = int(m_values[size_t(channel - 1)]) - kNeutral;
    // Worked out wide: a typed value near the integer limits must not wrap.
    const qint64 wanted = std::clamp<qint64>(qint64(typed) + kNeutral, kMin, kMax);
    setChannel(channel, int(wanted));
    m_board.SetTrimLive(channel - 1, m_values[size_t(channel - 1)]);
    return true;
}

std::optional<TrimFlows::Words> TrimFlows::CheckFile(const QString& path) {
    const std::optional<Words> trim = TrimFile::Read(path, kMin, kMax);
    if (!trim)
        m_services.ShowMessageBox(MsgIcon::Warning, MsgButtons::Ok, 0, MsgLanguage::Japanese,
                                  DocumentFile::CantUseText());
    return trim;
}

TrimFlows::LoadResult TrimFlows::LoadWords(const Words& trim) {
    m_problem.clear();
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return LoadResult::Refused;
    bool written = false;
    const bool ok = whileAsleep(LoadFailedText(), [this, &trim, &written] {
        return written = m_board.WriteTrimData(kWorking, trim);
    });
    // The window shows what the board holds: the file's words only once the
    // board has them.
    if (written) ShowWords(trim);
    return ok ? LoadResult::Loaded : LoadResult::BoardFailed;
}

TrimFlows::LoadResult TrimFlows::LoadFile(const QString& path) {
    m_problem.clear();
    if (m_board.link().RefuseWhileBusy()) return LoadResult::Refused;
    const std::optional<Words> trim = CheckFile(path);
    if (!trim) return LoadResult::Unusable;
    return LoadWords(*trim);
}

bool TrimFlows::CheckSavePlace(const QString& path) {
    if (TrimFile::CanWrite(path)) return true;
    m_services.ShowMessageBox(MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::Japanese,
                              DocumentFile::CantKeepText());
    return false;
}

bool TrimFlows::SaveFile(const QString& path) {
    if (TrimFile::Write(path, positions())) return true;
    m_services.ShowMessageBox(MsgIcon::Error, MsgButtons::Ok, 0, MsgLanguage::Japanese,
                              DocumentFile::CantKeepText());
    return false;
}

} // namespace qvx
