#include "sim/SimStateFile.h"

#include <QFile>
#include <QSaveFile>

namespace qvx {

namespace {

// Version 2 adds the analog inputs at the end, version 3 the receiver inputs
// after them; older files still load, with the inputs they lack as they were.
constexpr char kStateMagic[] = "QVXSIM03";
constexpr char kStateMagicV2[] = "QVXSIM02";
constexpr char kStateMagicV1[] = "QVXSIM01";
constexpr int kInputsSize = 2 * 4;
constexpr int kReceiverSize = 2 + 4;

} // namespace

bool SimStateFile::Write(const QString& path, const BoardSimulator::Stored& stored) {
    QByteArray b(kStateMagic);
    for (const QByteArray& e : stored.table)
        b += e;
    for (const MotionRecord& r : stored.records)
        b += r.toBytes();
    for (const auto& s : stored.scenarios)
        b += QByteArray(reinterpret_cast<const char*>(s.data()), int(s.size()));
    BigEndian::appendWord(b, stored.option);
    b += BigEndian::fromWords(stored.trim);
    b += stored.adSettings + stored.adReference + stored.receiverReference;
    for (const QByteArray& m : stored.mixing)
        b += m;
    b += char(stored.buttonStart);
    b += char(stored.powerOnStart);
    b += char(stored.alarmMotion);
    BigEndian::appendWord(b, stored.alarmVoltage);
    b += stored.svpChannels;
    for (const QByteArray& p : stored.servoParams)
        b += p;
    b += BigEndian::fromWords(stored.home);
    for (const QByteArray& n : stored.channelNames)
        b += n;
    b += stored.info;
    for (int v : stored.analogInputs)
        BigEndian::appendWord(b, quint16(qBound(0, v, 0xFFFF)));
    BigEndian::appendWord(b, stored.buttonInput);
    for (quint8 v : stored.receiverInputs)
        b += char(v);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    // commit() does not see a flush that falls short; checked here so that a
    // cut state file never replaces the old one.
    if (file.write(b) != b.size() || !file.flush()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool SimStateFile::Read(const QString& path, BoardSimulator::Stored& stored) {
    using B = BoardSimulator;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray b = file.readAll();
    constexpr int magic = int(sizeof(kStateMagic)) - 1;
    constexpr int sizeV1 = magic + B::kEntries * B::kEntrySize + B::kRecords * MotionRecord::kSize +
                           B::kScenarios * B::kScenarioSteps + 2 + 48 + 18 + 6 + 4 + 3 * 24 + 2 +
                           3 + 3 + B::kServos * 17 + 48 + 24 * 32 + 64;
    const bool v1 = b.size() == sizeV1 && b.startsWith(kStateMagicV1);
    const bool v2 = b.size() == sizeV1 + kInputsSize && b.startsWith(kStateMagicV2);
    const bool v3 = b.size() == sizeV1 + kInputsSize + kReceiverSize && b.startsWith(kStateMagic);
    if (!v1 && !v2 && !v3) return false;
    int at = magic;
    auto take = [&](int n) {
        const QByteArray part = b.mid(at, n);
        at += n;
        return part;
    };
    BoardSimulator::Stored s = stored;
    for (QByteArray& e : s.table)
        e = take(B::kEntrySize);
    for (MotionRecord& r : s.records)
        r = *MotionRecord::fromBytes(take(MotionRecord::kSize));
    for (auto& sc : s.scenarios) {
        const QByteArray part = take(B::kScenarioSteps);
        for (int i = 0; i < B::kScenarioSteps; ++i)
            sc[size_t(i)] = quint8(part[i]);
    }
    s.option = BigEndian::word(take(2), 0);
    QByteArray o;
    s.trim = BigEndian::toWords(take(48));
    s.adSettings = take(18);
    s.adReference = take(6);
    s.receiverReference = take(4);
    for (QByteArray& m : s.mixing)
        m = take(24);
    o = take(2);
    s.buttonStart = quint8(o[0]);
    s.powerOnStart = quint8(o[1]);
    o = take(3);
    s.alarmMotion = quint8(o[0]);
    s.alarmVoltage = BigEndian::word(o, 1);
    s.svpChannels = take(3);
    for (QByteArray& p : s.servoParams)
        p = take(17);
    s.home = BigEndian::toWords(take(48));
    for (QByteArray& n : s.channelNames)
        n = take(32);
    s.info = take(64);
    if (!v1) {
        const QByteArray inputs = take(kInputsSize);
        for (size_t i = 0; i < s.analogInputs.size(); ++i)
            s.analogInputs[i] = BigEndian::word(inputs, qsizetype(2 * i));
    }
    if (v3) {
        const QByteArray receiver = take(kReceiverSize);
        s.buttonInput = BigEndian::word(receiver, 0);
        for (size_t i = 0; i < s.receiverInputs.size(); ++i)
            s.receiverInputs[i] = quint8(receiver[qsizetype(2 + i)]);
    }
    stored = std::move(s);
    return true;
}

} // namespace qvx
