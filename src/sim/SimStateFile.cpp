#include "sim/SimStateFile.h"

#include <QCryptographicHash>
#include <QDebug>
#include <QFile>
#include <QSaveFile>

namespace qvx {

namespace {

// Version 2 adds the analog inputs at the end, version 3 the receiver inputs
// after them, version 4 a checksum of everything before it (a SHA-256 hash),
// so that a damaged file is found rather than loaded. Older files still
// load, with the inputs they lack as they were; they have no checksum to
// check, and are written with one at the next save.
constexpr char kStateMagic[] = "QVXSIM04";
constexpr char kStateMagicV3[] = "QVXSIM03";
constexpr char kStateMagicV2[] = "QVXSIM02";
constexpr char kStateMagicV1[] = "QVXSIM01";
constexpr int kInputsSize = 2 * 4;
constexpr int kReceiverSize = 2 + 4;
constexpr QCryptographicHash::Algorithm kChecksum = QCryptographicHash::Sha256;
constexpr int kChecksumSize = 32;

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
    b += QCryptographicHash::hash(b, kChecksum);
    // QSaveFile writes a file beside the old one, syncs it to disk and renames
    // it over the old one on commit(); a process killed on the way leaves the
    // old file as it was.
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

bool SimStateFile::Read(const QString& path, BoardSimulator::Stored& stored, QString* error) {
    using B = BoardSimulator;
    auto refuse = [error](const QString& why) {
        if (error) *error = why;
        return false;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return refuse(file.errorString());
    constexpr int magic = int(sizeof(kStateMagic)) - 1;
    constexpr int sizeV1 = magic + B::kEntries * B::kEntrySize + B::kRecords * MotionRecord::kSize +
                           B::kScenarios * B::kScenarioSteps + 2 + 48 + 18 + 6 + 4 + 3 * 24 + 2 +
                           3 + 3 + B::kServos * 17 + 48 + 24 * 32 + 64;
    constexpr int sizeV3 = sizeV1 + kInputsSize + kReceiverSize;
    // Every version has a fixed size: a larger file is none of them.
    const QByteArray b = file.read(sizeV3 + kChecksumSize + 1);
    const bool v1 = b.size() == sizeV1 && b.startsWith(kStateMagicV1);
    const bool v2 = b.size() == sizeV1 + kInputsSize && b.startsWith(kStateMagicV2);
    const bool v3 = b.size() == sizeV3 && b.startsWith(kStateMagicV3);
    const bool v4 = b.size() == sizeV3 + kChecksumSize && b.startsWith(kStateMagic);
    if (!v1 && !v2 && !v3 && !v4)
        return refuse(b.startsWith("QVXSIM")
                          ? QStringLiteral("it is cut short or of an unknown version")
                          : QStringLiteral("it is no state file of the simulated board"));
    if (v4 && QCryptographicHash::hash(b.left(sizeV3), kChecksum) != b.right(kChecksumSize))
        return refuse(QStringLiteral("it is damaged: its checksum does not match what it holds"));
    int at = magic;
    auto take = [&](int n) {
        const QByteArray part = b.mid(at, n);
        at += n;
        return part;
    };
    BoardSimulator::Stored s = stored;
    // The file holds every record; a Stored not made by a simulator starts
    // without them and would otherwise take the records' bytes for what follows.
    s.records.resize(size_t(B::kRecords));
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
    if (v3 || v4) {
        const QByteArray receiver = take(kReceiverSize);
        s.buttonInput = BigEndian::word(receiver, 0);
        for (size_t i = 0; i < s.receiverInputs.size(); ++i)
            s.receiverInputs[i] = quint8(receiver[qsizetype(2 + i)]);
    }
    stored = std::move(s);
    return true;
}

SimStateWriter::SimStateWriter(const QString& path) : m_path(path) {
    m_thread = std::thread([this] { run(); });
}

SimStateWriter::~SimStateWriter() {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
        // A copy that failed once gets one last try.
        if (!m_pending && m_retry) m_pending = std::move(m_retry);
        m_retry.reset();
    }
    m_cv.notify_all();
    m_thread.join();
}

void SimStateWriter::post(const BoardSimulator::Stored& stored) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_pending = stored;
        m_retry.reset();
    }
    m_cv.notify_all();
}

bool SimStateWriter::flush() {
    std::unique_lock<std::mutex> lock(m_mutex);
    if (!m_pending && m_retry) {
        m_pending = std::move(m_retry);
        m_retry.reset();
        m_cv.notify_all();
    }
    m_cv.wait(lock, [this] { return !m_pending && !m_writing; });
    return m_lastOk;
}

void SimStateWriter::run() {
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        if (!m_pending && m_retry && std::chrono::steady_clock::now() >= m_retryAt) {
            m_pending = std::move(m_retry);
            m_retry.reset();
        }
        if (!m_pending) {
            if (m_stop) return;
            if (m_retry)
                m_cv.wait_until(lock, m_retryAt);
            else
                m_cv.wait(lock);
            continue;
        }
        BoardSimulator::Stored stored = std::move(*m_pending);
        m_pending.reset();
        m_writing = true;
        lock.unlock();
        const bool ok = SimStateFile::Write(m_path, stored);
        lock.lock();
        m_writing = false;
        if (!ok && m_lastOk)
            qWarning() << "cannot write the simulated board's state file" << m_path;
        m_lastOk = ok;
        if (!ok && !m_pending && !m_stop) {
            m_retry = std::move(stored);
            m_retryAt = std::chrono::steady_clock::now() + kRetryDelay;
        }
        m_cv.notify_all();
    }
}

} // namespace qvx
