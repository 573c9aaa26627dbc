#include "settings/AnalogFlows.h"

#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "board/MotionTable.h"

namespace qvx {

using namespace QmxBoard::Analog;

namespace {

bool validInput(int k) {
    return k >= 0 && k < AnalogSettings::kInputs;
}
bool validSlot(int slot) {
    return slot >= 0 && slot < AnalogSettings::kSlots;
}

} // namespace

// ---- the settings and their board formats ----

QString AnalogSettings::GainText(int index) {
    if (index < 0 || index >= kGainCount) return {};
    if (index == kGainOff) return QStringLiteral("OFF");
    if (index < kGainOff) return QStringLiteral("x -") + QString::number(kGainOff - index);
    return QStringLiteral("x ") + QString::number(index - kGainOff);
}

QStringList AnalogSettings::GainList() {
    QStringList list;
    for (int i = 0; i < kGainCount; ++i)
        list << GainText(i);
    return list;
}

std::optional<int> AnalogSettings::GainIndexOf(const QString& text) {
    for (int i = 0; i < kGainCount; ++i)
        if (GainText(i) == text) return i;
    return std::nullopt;
}

quint8 AnalogSettings::MixingByteOf(int index) {
    return MixingByte(qBound(0, index, kGainCount - 1) - kGainOff);
}

int AnalogSettings::GainIndexOfByte(quint8 byte) {
    return kGainOff + SignedGain(byte);
}

QByteArray AnalogSettings::referenceBytes() const {
    QByteArray b;
    for (int r : ref) {
        b.append(char(quint8(r >> 8)));
        b.append(char(quint8(r)));
    }
    return b;
}

QByteArray AnalogSettings::mixingBytes(int k) const {
    QByteArray b;
    for (int g : gain[size_t(k)])
        b.append(char(MixingByteOf(g)));
    return b;
}

void AnalogSettings::takeSensorBytes(const QByteArray& bytes) {
    for (int s = 0; s < kSlots; ++s) {
        const quint16 word = SettingsWord(bytes, s);
        const int entry = s < bytes.size() ? quint8(bytes[s]) : 0xFF;
        thr[size_t(s)] = ThresholdOf(word);
        sel[size_t(s)] = entry < QmxBoard::kTableEntries && ThresholdEnabled(word) ? entry + 1 : 0;
    }
}

QByteArray AnalogSettings::SensorBytes(QByteArray bytes, const std::array<int, kSlots>& thr,
                                       const std::array<int, kSlots>& sel) {
    bytes = bytes.left(kSettingsSize);
    if (bytes.size() < kSettingsSize) bytes.append(QByteArray(kSettingsSize - bytes.size(), '\0'));
    for (int s = 0; s < kSlots; ++s) {
        const int j = sel[size_t(s)];
        if (j > 0) bytes[s] = char(j - 1);
        const quint16 w = ThresholdWord(thr[size_t(s)], j > 0);
        bytes[kThresholdWordsAt + 2 * s] = char(w >> 8);
        bytes[kThresholdWordsAt + 2 * s + 1] = char(w & 0xFF);
    }
    return bytes;
}

QString AnalogSettings::SelectionCaption(int sel) {
    if (sel <= 0 || sel > QmxBoard::kTableEntries) return QStringLiteral("OFF");
    return MotionTable::Caption(sel - 1);
}

std::optional<int> AnalogSettings::SelectionOf(const QString& caption) {
    for (int j = 0; j < kSelections; ++j)
        if (caption.compare(SelectionCaption(j), Qt::CaseInsensitive) == 0) return j;
    return std::nullopt;
}

// ---- flows ----

AnalogFlows::AnalogFlows(BoardCommands& board, AnalogSettings& settings)
    : m_board(board), m_settings(settings) {}

bool AnalogFlows::readAll() {
    QByteArray refBytes, settingsBytes;
    std::array<QByteArray, kInputs> mixing;
    if (!m_board.ReadAdReference(true, refBytes) || refBytes.size() < kReferenceSize) return false;
    for (int k = 0; k < kInputs; ++k)
        if (!m_board.ReadMixing(true, k, mixing[size_t(k)]) ||
            mixing[size_t(k)].size() < kMixingSize)
            return false;
    if (!m_board.ReadAdSettings(true, settingsBytes) || settingsBytes.size() < kSettingsSize)
        return false;
    // Everything arrived: only now does the dialog take it.
    for (int k = 0; k < kInputs; ++k) {
        m_settings.ref[size_t(k)] = BigEndian::word(refBytes, 2 * k);
        for (int c = 0; c < kChannels; ++c)
            m_settings.gain[size_t(k)][size_t(c)] =
                AnalogSettings::GainIndexOfByte(quint8(mixing[size_t(k)][c]));
    }
    m_settings.takeSensorBytes(settingsBytes);
    return true;
}

bool AnalogFlows::writeSensorSettings(bool stored) {
    const auto thr = m_settings.thr;
    const auto sel = m_settings.sel;
    QByteArray fromBoard;
    if (!m_board.ReadAdSettings(false, fromBoard)) return false;
    return m_board.WriteAdSettings(stored, AnalogSettings::SensorBytes(fromBoard, thr, sel));
}

bool AnalogFlows::writeAll() {
    const QByteArray refBytes = m_settings.referenceBytes();
    std::array<QByteArray, kInputs> mixing;
    for (int k = 0; k < kInputs; ++k)
        mixing[size_t(k)] = m_settings.mixingBytes(k);
    if (!m_board.WriteAdReference(true, refBytes)) return false;
    for (int k = 0; k < kInputs; ++k)
        if (!m_board.WriteMixing(true, k, mixing[size_t(k)])) return false;
    return writeSensorSettings(true);
}

bool AnalogFlows::ReadAll() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    return readAll();
}

bool AnalogFlows::WriteAll() {
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    return writeAll();
}

bool AnalogFlows::Open(bool* reportsOn) {
    m_problem.clear();
    if (reportsOn) *reportsOn = false;
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    if (!readAll()) {
        m_problem = link.failureWith(ReadFailedText());
        return false;
    }
    // Old report bytes must not be framed together with the first new report.
    link.ClearReportBuffer();
    const bool on = m_board.SetOptionBit8(0);
    if (!on) m_problem = link.failureWith(ReportsFailedText());
    if (reportsOn) *reportsOn = on;
    return true;
}

bool AnalogFlows::Close() {
    m_problem.clear();
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    QStringList problems;
    if (!m_board.SetOptionBit8(1))
        problems << link.failureWith(ReportsOffFailedText()) << StillReportingText();
    // Closing always saves, even when the reports could not be switched off.
    if (!writeAll()) problems << link.failureWith(SaveFailedText());
    m_problem = problems.join(QStringLiteral(". "));
    return problems.isEmpty();
}

bool AnalogFlows::DragReference(int k, int position) {
    if (!validInput(k) || position < 0 || position > kReferenceMax) return false;
    // A single command, but not one to slip in between the commands of a flow.
    if (m_board.link().RefuseWhileBusy()) return false;
    m_settings.ref[size_t(k)] = position;
    return m_board.SetAdLive(k, quint16(position));
}

bool AnalogFlows::AutoCalibrate(int k) {
    if (!validInput(k)) return false;
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    QByteArray refBytes;
    if (!m_board.SetAdLive(k, kAutoCalibrate) || !m_board.ReadAdReference(false, refBytes) ||
        refBytes.size() < kReferenceSize)
        return false;
    for (int i = 0; i < kInputs; ++i)
        m_settings.ref[size_t(i)] = BigEndian::word(refBytes, 2 * i);
    return true;
}

bool AnalogFlows::ChooseGain(int k, int channel, int index) {
    if (!validInput(k) || channel < 1 || channel > kChannels || index < 0 ||
        index >= AnalogSettings::kGainCount)
        return false;
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    m_settings.gain[size_t(k)][size_t(channel - 1)] = index;
    return m_board.WriteMixing(false, k, m_settings.mixingBytes(k));
}

bool AnalogFlows::ChooseMotion(int slot, int selection) {
    if (!validSlot(slot) || selection < 0 || selection >= AnalogSettings::kSelections) return false;
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    m_settings.sel[size_t(slot)] = selection;
    return writeSensorSettings(false);
}

bool AnalogFlows::MoveThreshold(int slot, int threshold) {
    if (!validSlot(slot) || threshold < -kThresholdMax || threshold > kThresholdMax) return false;
    // Nothing is sent, but the thresholds must hold still while a write of
    // the sensor settings waits, so that what the bar shows is what was sent.
    if (m_board.link().RefuseWhileBusy()) return false;
    m_settings.thr[size_t(slot)] = threshold;
    return true;
}

bool AnalogFlows::EndThreshold(int slot) {
    if (!validSlot(slot)) return false;
    BoardLink& link = m_board.link();
    auto flow = link.beginFlow();
    if (!flow) return false;
    return writeSensorSettings(false);
}

void AnalogFlows::TakeReport(const QList<int>& values) {
    if (values.size() < 4) return;
    for (int i = 0; i < 4; ++i)
        m_settings.raw[size_t(i)] = values[i];
    for (int k = 0; k < kInputs; ++k)
        m_settings.meas[size_t(k)] = values[k + 1];
}

} // namespace qvx
