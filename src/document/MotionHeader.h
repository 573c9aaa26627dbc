#pragma once

#include <QString>

namespace qvx {

// The header values of the open document that travel with a motion to the
// board: data name, used-channel mask (bit n-1 = channel n) and control input.
struct MotionHeader {
    static QString defaultName() { return QString::fromUtf8("無題"); }

    QString MotionName = defaultName();
    quint32 MotionPort = 0xFFFFFF;
    quint32 MotionCtrl = 0xFFFF;

    void reset() { *this = MotionHeader{}; }
    bool operator==(const MotionHeader&) const = default;
};

} // namespace qvx
