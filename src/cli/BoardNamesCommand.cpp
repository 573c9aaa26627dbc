#include "app/AppState.h"
#include "app/Settings.h"
#include "cli/CliArgs.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "pose/PoseFlows.h"
#include "pose/PoseLayout.h"

#include <QFile>

namespace qvx {

namespace {

using Names = std::array<QString, Pose::kChannels>;

// The names a file lists, one line per channel, CH1 first; nothing (after the
// reason) when the file cannot be read or lists more than 24 lines.
std::optional<Names> readNameFile(const QString& path, CliServices& io) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        io.note(QStringLiteral("board names"),
                Cli::tr("cannot read %1: %2").arg(path, f.errorString()));
        return std::nullopt;
    }
    // A names file is a few hundred bytes; anything far larger is no names file.
    constexpr qint64 kMaxSize = 64 * 1024;
    if (f.size() > kMaxSize) {
        io.err() << Cli::tr("%1 is too large for a list of 24 names").arg(path) << Qt::endl;
        return std::nullopt;
    }
    QStringList lines = QString::fromUtf8(f.readAll()).split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    if (lines.size() > Pose::kChannels) {
        io.err() << Cli::tr("%1 lists %2 lines; there are %3 channels")
                        .arg(path)
                        .arg(lines.size())
                        .arg(Pose::kChannels)
                 << Qt::endl;
        return std::nullopt;
    }
    Names names;
    for (int k = 0; k < lines.size(); ++k) {
        QString line = lines[k];
        if (line.endsWith(u'\r')) line.chop(1);
        names[size_t(k)] = line;
    }
    return names;
}

} // namespace

// qvx board names: the channel names stored on the board; with --set, the
// pose window's names mode: the names are read as the dialog opens, then the
// listed names (an empty line keeps the window's name from the settings
// file) are written as its OK does, and the window's names are kept in the
// settings file as the program keeps them at its end.
int CmdBoardNames(const VerbArgs& args, CliServices& io) {
    if (const auto code = args.require(QStringLiteral("port"), io)) return *code;
    if (const auto code = args.requireCount(0, {}, io)) return *code;
    const QString port = args.value(QStringLiteral("port"));
    const QString setPath = args.value(QStringLiteral("set"));
    std::optional<Names> typed;
    if (!setPath.isEmpty() && !(typed = readNameFile(setPath, io))) return 2;

    AppState state;
    state.link.setServices(&io);
    PoseState pose;
    LinkSelection links;
    PoseFlows flows(state.board, pose, links, [] { return nullptr; });
    if (!OpenCliPort(state, port, io)) return 1;

    // The names are read as the dialog opens; a name that cannot be read
    // fails the verb before anything is written, as names the board holds
    // would otherwise be overwritten with ones the user never saw.
    Names onBoard;
    const int read = flows.ReadChannelNames(onBoard);
    if (read < Pose::kChannels) {
        const QString cause = state.link.failureWith(
            Cli::tr("reading the name of %1 failed").arg(PoseLayout::DefaultName(read + 1)));
        io.failed(QStringLiteral("board names"),
                  typed ? Cli::tr("%1; nothing was written").arg(cause) : cause);
        state.link.ClosePort();
        return 1;
    }
    if (!typed) {
        state.link.ClosePort();
        for (int n = 1; n <= Pose::kChannels; ++n)
            io.out() << PoseLayout::DefaultName(n) << '\t' << onBoard[size_t(n - 1)] << Qt::endl;
        return 0;
    }

    const QString settings = Settings::SettingsPath();
    PoseLayout layout = PoseLayout::Load(settings).value_or(PoseLayout());
    Names names;
    for (int n = 1; n <= Pose::kChannels; ++n) {
        QString& name = layout.channels[size_t(n - 1)].name;
        if (!(*typed)[size_t(n - 1)].isEmpty()) name = (*typed)[size_t(n - 1)];
        names[size_t(n - 1)] = name;
    }
    const int written = flows.WriteChannelNames(names);
    const QString writeFailure = state.link.failureWith(
        Cli::tr("writing the name of %1 failed").arg(PoseLayout::DefaultName(written + 1)));
    state.link.ClosePort();
    const bool kept = layout.Save(settings);
    for (int n = 1; n <= written; ++n)
        io.out() << PoseLayout::DefaultName(n) << '\t' << names[size_t(n - 1)] << Qt::endl;
    if (!kept) io.err() << Cli::tr("the names could not be kept in %1").arg(settings) << Qt::endl;
    if (written < Pose::kChannels) {
        io.failed(QStringLiteral("board names"),
                  Cli::tr("%1; the later channels were not written").arg(writeFailure));
        return 1;
    }
    return kept ? 0 : 1;
}

} // namespace qvx
