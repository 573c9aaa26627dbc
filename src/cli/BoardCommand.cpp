#include "app/AppState.h"
#include "app/BoardFlows.h"
#include "app/RemoteServer.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "document/DocumentFile.h"

namespace qvx {

namespace {

const char* kBoardUsage =
    "usage: qvx board --port DEVICE [--yes] table\n"
    "       qvx board --port DEVICE [--yes] write FILE --slot N [--verify]\n"
    "       qvx board --port DEVICE [--yes] read N --out FILE\n"
    "       qvx board --port DEVICE diff FILE --slot N\n"
    "       qvx board --port DEVICE backup FILE\n"
    "       qvx board --port DEVICE restore FILE --yes\n"
    "       qvx board --port DEVICE [--yes] delete N --yes\n"
    "       qvx board --port DEVICE [--yes] play N\n"
    "       qvx board --port DEVICE [--yes] stop | pause\n"
    "       qvx board --port DEVICE names [--set FILE]\n"
    "       qvx board --port DEVICE options [--OPTION VALUE]...\n"
    "       qvx board --port DEVICE servos [--read | --show ID | --copy FROM=TO |\n"
    "                                       --set ID PARAM=VALUE...]\n"
    "       qvx board --port DEVICE trim [--save FILE | --load FILE | --set CH=OFFSET ...]\n"
    "       qvx board --port DEVICE analog [--ref K=V | --mix K:CH=GAIN |\n"
    "                                       --sensor S=THRESHOLD:MOTION | --auto K]...\n"
    "       qvx board --port DEVICE receiver [--ref N=V | --auto N]...";

const char* kRemoteUsage = "usage: qvx remote play N\n"
                           "       qvx remote message WPARAM LPARAM";

std::optional<int> number(const QString& text) {
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok) return std::nullopt;
    return n;
}

std::optional<quint32> number32(const QString& text) {
    bool ok = false;
    // Decimal or 0x-hexadecimal; negative values wrap as 32-bit numbers do.
    const qint64 v = text.toLongLong(&ok, 0);
    if (!ok || v < -2147483648LL || v > 4294967295LL) return std::nullopt;
    return quint32(v);
}

int usage(CliServices& io, const char* text) {
    io.err() << text << Qt::endl;
    return 2;
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

// qvx board: the board actions of the main window, run against a serial
// device (a real board, or `qvx sim --link PATH`).
int CmdBoard(const QStringList& argsIn, CliServices& io) {
    QStringList args;
    QString port, slotText, outPath, setPath;
    bool verify = false;
    for (int i = 0; i < argsIn.size(); ++i) {
        const QString& a = argsIn[i];
        if (a == QLatin1String("--port") && i + 1 < argsIn.size())
            port = argsIn[++i];
        else if (a == QLatin1String("--slot") && i + 1 < argsIn.size())
            slotText = argsIn[++i];
        else if (a == QLatin1String("--out") && i + 1 < argsIn.size())
            outPath = argsIn[++i];
        else if (a == QLatin1String("--set") && i + 1 < argsIn.size())
            setPath = argsIn[++i];
        else if (a == QLatin1String("--yes"))
            io.assumeYes = true;
        else if (a == QLatin1String("--verify"))
            verify = true;
        else if (a.startsWith(QLatin1String("--")))
            return usage(io, kBoardUsage);
        else if (args.isEmpty() && a == QLatin1String("options"))
            return RunBoardOptions(port, argsIn.mid(i + 1), io);
        else if (args.isEmpty() && a == QLatin1String("servos"))
            return RunBoardServos(port, argsIn.mid(i + 1), io);
        else if (args.isEmpty() && a == QLatin1String("trim"))
            return RunBoardTrim(port, argsIn.mid(i + 1), io);
        else if (args.isEmpty() && a == QLatin1String("analog"))
            return RunBoardAnalog(port, argsIn.mid(i + 1), io);
        else if (args.isEmpty() && a == QLatin1String("receiver"))
            return RunBoardReceiver(port, argsIn.mid(i + 1), io);
        else
            args << a;
    }
    if (port.isEmpty() || args.isEmpty()) return usage(io, kBoardUsage);
    const QString sub = args.takeFirst();
    if (!setPath.isEmpty() && sub != QLatin1String("names")) return usage(io, kBoardUsage);
    if (verify && sub != QLatin1String("write")) return usage(io, kBoardUsage);

    // Check the arguments before anything goes to the board.
    std::optional<int> n;
    if (sub == QLatin1String("write")) {
        if (args.size() != 1 || !(n = number(slotText))) return usage(io, kBoardUsage);
    } else if (sub == QLatin1String("diff")) {
        if (args.size() != 1 || !(n = number(slotText)) || *n < 0 || *n >= MotionTable::kMotionRows)
            return usage(io, kBoardUsage);
        return RunBoardDiff(port, args[0], *n, io);
    } else if (sub == QLatin1String("backup") || sub == QLatin1String("restore")) {
        if (args.size() != 1) return usage(io, kBoardUsage);
        return sub == QLatin1String("backup") ? RunBoardBackup(port, args[0], io)
                                              : RunBoardRestore(port, args[0], io);
    } else if (sub == QLatin1String("read")) {
        if (args.size() != 1 || outPath.isEmpty() || !(n = number(args[0])))
            return usage(io, kBoardUsage);
    } else if (sub == QLatin1String("delete") || sub == QLatin1String("play")) {
        if (args.size() != 1 || !(n = number(args[0]))) return usage(io, kBoardUsage);
    } else if (sub == QLatin1String("names")) {
        if (!args.isEmpty()) return usage(io, kBoardUsage);
        return RunBoardNames(port, setPath, io);
    } else if (sub == QLatin1String("table") || sub == QLatin1String("stop") ||
               sub == QLatin1String("pause")) {
        if (!args.isEmpty()) return usage(io, kBoardUsage);
    } else {
        return usage(io, kBoardUsage);
    }
    if (sub == QLatin1String("delete") && !io.assumeYes) {
        io.err() << "Deleting asks first; give --yes to delete." << Qt::endl;
        return 2;
    }

    AppState state;
    state.link.setServices(&io);
    BoardFlows flows(state, io);
    flows.transfer().setVerify(verify);
    io.pickAnswer = n;

    if (sub == QLatin1String("write")) {
        DocumentContext ctx{state.chart, state.header, io};
        if (!DocumentFile::OpenDocument(ctx, args[0])) {
            io.err() << "cannot open " << args[0] << Qt::endl;
            return 1;
        }
    }

    if (!OpenCliPort(state, port, io)) return 1;

    bool ok = false;
    QString failure;
    if (sub == QLatin1String("table")) {
        ok = state.table.ReadFromBoard(state.board, &failure);
        // A table read part of the way is no result.
        if (ok) printTable(state.table, io);
    } else if (sub == QLatin1String("write")) {
        ok = flows.Write();
    } else if (sub == QLatin1String("read")) {
        ok = flows.Read();
        if (ok) {
            DocumentContext ctx{state.chart, state.header, io};
            ok = DocumentFile::SaveDocument(ctx, outPath, false);
            if (!ok) failure = QStringLiteral("cannot write ") + outPath;
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
        io.err() << "qvx board " << sub << " failed";
        if (!failure.isEmpty()) io.err() << ": " << failure;
        io.err() << Qt::endl;
        return 1;
    }
    return 0;
}

// qvx remote: a remote command message to the running editor.
int CmdRemote(const QStringList& args, CliServices& io) {
    std::optional<quint32> w, l;
    if (args.size() == 2 && args[0] == QLatin1String("play")) {
        w = 0;
        l = number32(args[1]);
    } else if (args.size() == 3 && args[0] == QLatin1String("message")) {
        w = number32(args[1]);
        l = number32(args[2]);
    }
    if (!w || !l) return usage(io, kRemoteUsage);
    QString error;
    const std::optional<bool> answer = RemoteServer::Send(*w, *l, &error);
    if (!answer) {
        io.err() << error << Qt::endl;
        return 1;
    }
    if (!*answer) {
        io.err() << "The editor did not send the command" << Qt::endl;
        return 1;
    }
    io.out() << "sent" << Qt::endl;
    return 0;
}

} // namespace qvx
