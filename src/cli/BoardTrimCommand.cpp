#include "app/AppState.h"
#include "cli/CliArgs.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "settings/TrimFlows.h"

#include <QRegularExpression>
#include <optional>
#include <utility>
#include <vector>

namespace qvx {

namespace {

// "CH=OFFSET" with CH 1..24 and OFFSET an integer.
std::optional<std::pair<int, QString>> entry(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,2})=([-+]?[0-9]{1,9})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int ch = m.captured(1).toInt();
    if (ch < 1 || ch > QmxBoard::kChannels) return std::nullopt;
    return std::pair{ch, m.captured(2)};
}

void printOffsets(const TrimFlows& flows, CliServices& io) {
    for (int n = 1; n <= QmxBoard::kChannels; ++n)
        io.out() << QStringLiteral("%1 %2")
                        .arg(QStringLiteral("CH") + QString::number(n), -4)
                        .arg(flows.offsets()[size_t(n - 1)], 4)
                 << Qt::endl;
}

} // namespace

// qvx board trim: the trim window without a window. Checks the file to load
// or the place to save in first, then opens as the trim button does, saves,
// loads or makes the edit-box entries in the order given, closes as the window
// does (which writes the stored copy) and prints the offsets the edit boxes
// then show.
int CmdBoardTrim(const VerbArgs& args, CliServices& io) {
    if (const auto code = args.require(QStringLiteral("port"), io)) return *code;
    if (const auto code = args.requireCount(0, {}, io)) return *code;
    const QString port = args.value(QStringLiteral("port"));
    const QString savePath = args.value(QStringLiteral("save"));
    const QString loadPath = args.value(QStringLiteral("load"));
    std::vector<std::pair<int, QString>> entries;
    for (const auto& [name, value] : args.given()) {
        if (name != QLatin1String("set")) continue;
        const auto e = entry(value);
        if (!e)
            return args.usage(
                Cli::tr("--set %1: give CH=OFFSET with CH 1..24 and OFFSET an integer").arg(value),
                io);
        entries.push_back(*e);
    }
    const int forms = int(args.has(QStringLiteral("save"))) +
                      int(args.has(QStringLiteral("load"))) + int(!entries.empty());
    if (forms > 1) return args.usage(Cli::tr("give one of --save, --load and --set"), io);

    AppState state;
    state.link.setServices(&io);
    TrimFlows flows(state.board, io);
    // Every input is checked before the window opens: a refused one sends
    // nothing at all.
    std::optional<TrimFlows::Words> loaded;
    if (!loadPath.isEmpty()) {
        loaded = flows.CheckFile(loadPath);
        if (!loaded) return 1;
    }
    if (!savePath.isEmpty() && !flows.CheckSavePlace(savePath)) return 1;
    if (!OpenCliPort(state, port, io)) return 1;

    if (!flows.Open()) {
        state.link.ClosePort();
        io.failed(QStringLiteral("board trim"), flows.problem());
        return 1;
    }
    QString failure;
    if (!savePath.isEmpty()) {
        // The name as given: no filter, so no extension is changed.
        if (!flows.SaveFile(savePath)) failure = Cli::tr("the trim file was not saved");
    } else if (loaded) {
        if (flows.LoadWords(*loaded) != TrimFlows::LoadResult::Loaded) failure = flows.problem();
    } else {
        for (const auto& [channel, offset] : entries)
            flows.EnterOffset(channel, offset);
    }
    // The window's close: always, whatever happened before.
    const bool closed = flows.Close();
    state.link.ClosePort();
    if (!closed)
        failure += (failure.isEmpty() ? QString() : QStringLiteral("; ")) + flows.problem();
    if (!failure.isEmpty()) {
        io.failed(QStringLiteral("board trim"), failure);
        return 1;
    }
    // What the board now holds in its stored copy.
    printOffsets(flows, io);
    return 0;
}

} // namespace qvx
