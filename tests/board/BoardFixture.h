#pragma once

#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "common/RecordingServices.h"
#include "sim/BoardSimulator.h"
#include "sim/SimTransport.h"

#include <QByteArray>
#include <memory>

// A command layer wired to an in-memory simulated board, with short receive
// time-outs so that failures cost little time.
struct BoardFixture {
    static constexpr int kTimeoutMs = 40;

    qvxtest::RecordingServices services;
    qvx::BoardSimulator sim;
    qvx::BoardLink link;
    qvx::BoardCommands board{link};
    qvx::SimTransport* transport = nullptr;

    BoardFixture() {
        link.setServices(&services);
        link.setTimeouts(kTimeoutMs, kTimeoutMs + 20);
        auto t = std::make_unique<qvx::SimTransport>(sim);
        transport = t.get();
        link.OpenTransport(1, std::move(t));
        services.clear();
    }
};

// Bytes from hex text, with the checksum appended: the low byte of the sum of
// all bytes, computed here independently of the command layer.
inline QByteArray framed(const char* hex, const QByteArray& data = {}) {
    QByteArray f = QByteArray::fromHex(hex) + data;
    unsigned sum = 0;
    for (char c : f)
        sum += static_cast<unsigned char>(c);
    f.append(char(sum & 0xFF));
    return f;
}
