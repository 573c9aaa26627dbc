// Whole-board backup and restore against the simulated board holding the line
// to 115200 bit/s: 80 motion slots of 30 records each, five scenarios of 200
// steps, every setting and the servos of eight SVP channels. The time of each
// is compared with the wire time of the bytes it exchanged (attention bytes,
// frames and answers, as the link counts them).
#include "board/BackupFlows.h"
#include "base/Services.h"
#include "board/BoardCommands.h"
#include "board/BoardLink.h"
#include "sim/SimPtyHost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <cstdio>

using namespace qvx;

namespace {

class QuietServices : public Services {
  public:
    void ShowStatus(const QString&) override {}
    int ShowMessageBox(MsgIcon, MsgButtons, int, MsgLanguage, const QString& text) override {
        std::fprintf(stderr, "%s\n", qPrintable(text));
        return ResultYes;
    }
    std::optional<int> PickNumber(const QString&, const QString&, const QString&, int) override {
        return std::nullopt;
    }
    void SetBusy(bool) override {}
};

void fillFullBoard(BoardSimulator& s) {
    auto& st = s.stored();
    for (int slot = 0; slot < QmxBoard::kMotionSlots; ++slot) {
        QByteArray e(QmxBoard::kEntrySize, '\0');
        e[0] = char(QmxBoard::kRecordsPerSlot);
        e.replace(10, 12,
                  QByteArray("motion ") + QByteArray::number(slot + 1).rightJustified(5, '0'));
        st.table[size_t(slot)] = e.left(QmxBoard::kEntrySize);
        for (int i = 0; i < QmxBoard::kRecordsPerSlot; ++i) {
            MotionRecord& r = st.records[size_t(slot * QmxBoard::kRecordsPerSlot + i)];
            r.lead = quint8(1 + i);
            for (int k = 0; k < 24; ++k)
                r.words[size_t(k)] = quint16(16000 + slot * 7 + i * 3 + k);
        }
    }
    for (int sc = 0; sc < QmxBoard::kScenarioSlots; ++sc) {
        QByteArray e(QmxBoard::kEntrySize, '\0');
        e[0] = char(QmxBoard::kScenarioSteps);
        st.table[size_t(QmxBoard::kScenarioEntryBase + sc)] = e;
        for (int i = 0; i < QmxBoard::kScenarioSteps; ++i)
            st.scenarios[size_t(sc)][size_t(i)] = quint8((i + sc) % 80);
    }
    st.option = BoardCommands::kOptSvp;
    st.svpChannels = QByteArray::fromHex("ff0000");
    for (int id = 0; id < 8; ++id)
        st.servoParams[size_t(id)] = QByteArray(17, char(id + 1));
    s.powerOn();
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QuietServices services;
    SimPtyHost::Options options;
    options.pace = true;
    QString error;
    auto host = SimPtyHost::Start(options, &error);
    if (!host) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    host->withSimulator([](BoardSimulator& s) { fillFullBoard(s); });
    BoardLink link;
    BoardCommands board(link);
    link.setServices(&services);
    if (!link.OpenCommPort(BoardLink::kSimPortIndex, host->devicePath())) return 1;
    BackupFlows flows(board, services);

    auto report = [&](const char* what, qint64 ns, quint64 bytes, const char* goal) {
        const double wireMs = double(bytes) * double(SimPtyHost::kByteNs) / 1e6;
        std::printf("%s: %.0f ms, %llu bytes on the wire = %.0f ms wire time, ratio %.3f%s\n", what,
                    double(ns) / 1e6, static_cast<unsigned long long>(bytes), wireMs,
                    double(ns) / 1e6 / wireMs, goal);
    };

    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 2;
    for (int run = 0; run < runs; ++run) {
        quint64 before = link.wireBytes();
        QElapsedTimer t;
        t.start();
        const std::optional<BoardBackup> backup = flows.Backup();
        const qint64 backupNs = t.nsecsElapsed();
        if (!backup || backup->recordCount() != 2400) return 1;
        report("backup of a full board ", backupNs, link.wireBytes() - before, "");

        before = link.wireBytes();
        t.restart();
        if (!flows.Restore(*backup)) return 1;
        report("restore of a full board", t.nsecsElapsed(), link.wireBytes() - before,
               "   goal <= 1.08");
    }
    return 0;
}
