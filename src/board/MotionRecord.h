#pragma once

#include "board/BoardProtocol.h"

#include <QByteArray>
#include <array>
#include <optional>

namespace qvx {

// One 49-byte motion record: a lead byte (the speed of a pose) followed by 24
// words, each sent high byte first. Word k belongs to channel k + 1.
struct MotionRecord {
    static constexpr int kSize = 49;
    static constexpr int kWords = QmxBoard::kChannels;

    quint8 lead = 0;
    std::array<quint16, kWords> words{};

    QByteArray toBytes() const {
        QByteArray b(1, char(lead));
        b.append(BigEndian::fromWords(words));
        return b;
    }

    // Reads a record from the first 49 bytes; nothing when fewer are given.
    static std::optional<MotionRecord> fromBytes(const QByteArray& b) {
        if (b.size() < kSize) return std::nullopt;
        MotionRecord r;
        r.lead = quint8(b[0]);
        r.words = BigEndian::toWords(b, 1);
        return r;
    }

    bool operator==(const MotionRecord&) const = default;
};

} // namespace qvx
