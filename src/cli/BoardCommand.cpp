#include "app/AppState.h"
#include "app/BoardFlows.h"
#include "app/RemoteServer.h"
#include "cli/CliArgs.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "document/DocumentFile.h"

namespace qvx {

namespace {

std::optional<quint32> number32(const QString& text) {
    bool ok = false;
    // Decimal or 0x-hexadecimal; negative values wrap as 32-bit numbers do.
    const qint64 v = text.toLongLong(&ok, 0);
    if (!ok || v < -2147483648LL || v > 4294967295LL) return std::nullopt;
    return quint32(v);
}

void printTable(const MotionTable& table, CliServices& io) {
    for (int row = 0; row < MotionTable::kRows; ++row) {
        const QStringList t = table.rowTexts(row);
        io.out() << QString::asprintf("%-4s %3s  %-11s %5s  ", qPrintable(t[0]), qPrintable(t[2]),
                                      qPrintable(t[3]), qPrintable(t[4]))
                 << t[1] << Qt::endl;
    }
}

} // namespace

// qvx board table, write, read, delete, play, stop and pause: the board
// actions of the main window, run against a serial device (a real board, or
// `qvx sim --link PATH`).
int CmdBoard(const VerbArgs& args, CliServices& io) {
    const QString sub = args.action();
    const bool write = sub == QLatin1String("write");
    const bool numbered = sub == QLatin1String("read") || sub == QLatin1String("delete") ||
                          sub == QLatin1String("play");
    // Check the arguments before anything goes to the board.
    if (const auto code = args.require(QStringLiteral("port"), io)) return *code;
    if (write || numbered) {
        const QString what = write ? QStringLiteral("FILE") : QStringLiteral("N");
        if (const auto code = args.requireCount(1, what, io)) return *code;
    } else if (const auto code = args.requireCount(0, {}, io)) {
        return *code;
    }
    if (write)
        if (const auto code = args.require(QStringLiteral("slot"), io)) return *code;
    if (sub == QLatin1String("read"))
        if (const auto code = args.require(QStringLiteral("out"), io)) return *code;
    if (sub == QLatin1String("delete"))
        if (const auto code = args.require(QStringLiteral("yes"), io)) return *code;
    std::optional<int> n;
    if (numbered) {
        n = NumberIn(args.positional()[0], 0, MotionTable::kRows - 1);
        if (!n)
            return args.usage(Cli::tr("N must be a table row 0..%1, not %2")
                                  .arg(MotionTable::kRows - 1)
                                  .arg(args.positional()[0]),
                              io);
    }
    io.assumeYes = args.has(QStringLiteral("yes"));

    AppState state;
    state.link.setServices(&io);
    BoardFlows flows(state, io);
    flows.transfer().setVerify(args.has(QStringLiteral("verify")));

    if (write) {
        const QString& path = args.positional()[0];
        if (!io.canRead(args.name(), path)) return 1;
        DocumentContext ctx{state.chart, state.header, io};
        if (!DocumentFile::OpenDocument(ctx, path)) {
            io.failed(QStringLiteral("board write"), Cli::tr("cannot open %1").arg(path));
            return 1;
        }
        const bool scenario = state.chart.documentKind != MotionChart;
        const int slotCount = scenario ? QmxBoard::kScenarioSlots : QmxBoard::kMotionSlots;
        n = NumberIn(args.value(QStringLiteral("slot")), 0, slotCount - 1);
        if (!n) return args.usage(BadSlotText(scenario, args.value(QStringLiteral("slot"))), io);
    }
    io.pickAnswer = n;

    if (!OpenCliPort(state, args.value(QStringLiteral("port")), io)) return 1;

    bool ok = false;
    QString failure;
    if (sub == QLatin1String("table")) {
        ok = state.table.ReadFromBoard(state.board, &failure);
        // A table read part of the way is no result.
        if (ok) printTable(state.table, io);
    } else if (write) {
        ok = flows.Write();
    } else if (sub == QLatin1String("read")) {
        ok = flows.Read();
        if (ok) {
            DocumentContext ctx{state.chart, state.header, io};
            const QString out = args.value(QStringLiteral("out"));
            ok = DocumentFile::SaveDocument(ctx, out, false);
            if (!ok) failure = Cli::tr("cannot write %1").arg(out);
        }
    } else if (sub == QLatin1String("delete")) {
        ok = flows.Delete();
    } else if (sub == QLatin1String("play")) {
        ok = flows.Play();
    } else if (sub == QLatin1String("stop")) {
        ok = flows.Stop();
    } else if (sub == QLatin1String("pause")) {
        ok = flows.Pause();
    }
    state.link.ClosePort();
    if (!ok) {
        if (failure.isEmpty()) failure = flows.failure();
        if (failure.isEmpty()) failure = io.failureCause(state.link.lastFailure());
        if (failure.isEmpty())
            io.err() << Cli::tr("qvx %1 failed").arg(QStringLiteral("board ") + sub) << Qt::endl;
        else
            io.failed(QStringLiteral("board ") + sub, failure);
        return 1;
    }
    return 0;
}

// qvx remote: a remote command message to the running editor.
int CmdRemote(const VerbArgs& parsed, CliServices& io) {
    const QStringList& args = parsed.positional();
    const bool play = args.value(0) == QLatin1String("play");
    if (!play && args.value(0) != QLatin1String("message"))
        return parsed.usage(args.isEmpty() ? Cli::tr("play or message is required")
                                           : Cli::tr("no form %1").arg(args[0]),
                            io);
    if (const auto code = parsed.requireCount(
            play ? 2 : 3, play ? QStringLiteral("N") : QStringLiteral("WPARAM LPARAM"), io))
        return *code;
    const std::optional<quint32> w = play ? 0u : number32(args[1]);
    const std::optional<quint32> l = number32(args.last());
    if (!w || !l)
        return parsed.usage(Cli::tr("%1 is not a 32-bit number").arg(!w ? args[1] : args.last()),
                            io);
    QString error;
    const std::optional<bool> answer = RemoteServer::Send(*w, *l, &error);
    if (answer && !*answer) error = Cli::tr("the editor did not send the command");
    if (!answer || !*answer) {
        io.failed(QStringLiteral("remote"), error);
        return 1;
    }
    io.out() << Cli::tr("sent") << Qt::endl;
    return 0;
}

} // namespace qvx
