#pragma once

#include <QByteArray>
#include <array>
#include <optional>

namespace qvx {

// One 49-byte motion record: a lead byte (the speed of a pose) followed by 24
// words, each sent high byte first. Word k belongs to channel k + 1.
struct MotionRecord {
    static constexpr int kSize = 49;
    static constexpr int kWords = 24;

    quint8 lead = 0;
    std::array<quint16, kWords> words{};

    QByteArray toBytes() const {
        QByteArray b(kSize, '\0');
        b[0] = char(lead);
        for (int k = 0; k < kWords; ++k) {
            b[1 + 2 * k] = char(words[size_t(k)] >> 8);
            b[2 + 2 * k] = char(words[size_t(k)] & 0xFF);
        }
        return b;
    }

    // Reads a record from the first 49 bytes; nothing when fewer are given.
    static std::optional<MotionRecord> fromBytes(const QByteArray& b) {
        if (b.size() < kSize) return std::nullopt;
        MotionRecord r;
        r.lead = quint8(b[0]);
        for (int k = 0; k < kWords; ++k)
            r.words[size_t(k)] = quint16((quint8(b[1 + 2 * k]) << 8) | quint8(b[2 + 2 * k]));
        return r;
    }

    bool operator==(const MotionRecord&) const = default;
};

} // namespace qvx
