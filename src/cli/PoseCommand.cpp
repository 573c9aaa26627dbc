#include "app/AppState.h"
#include "app/Settings.h"
#include "cli/CliArgs.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "document/DocumentFile.h"
#include "pose/LinkPattern.h"
#include "pose/PatternFile.h"
#include "pose/PoseFlows.h"

namespace qvx {

namespace {

// What a verb needs besides the port.
enum class Needs { Nothing, OptionalItem, Item, ItemAndPattern };

struct Verb {
    const char* name;
    Needs needs;
};

constexpr Verb kVerbs[] = {
    {"send", Needs::Item},           {"get", Needs::Item},     {"home", Needs::OptionalItem},
    {"sleep", Needs::Nothing},       {"sethome", Needs::Item}, {"teach", Needs::ItemAndPattern},
    {"link", Needs::ItemAndPattern},
};

const Verb* findVerb(const QString& name) {
    for (const Verb& v : kVerbs)
        if (name == QLatin1String(v.name)) return &v;
    return nullptr;
}

QString channelList(const QList<int>& channels) {
    QStringList names;
    for (int n : channels)
        names << QStringLiteral("CH") + QString::number(n);
    return names.join(u' ');
}

// Reads the document a verb works on. Only a QMX document read whole will do:
// a changed item is saved back over the file, and saving what was only partly
// read (or a pose table turned into a chart) would lose the rest of it.
// Returns the exit status when the document cannot be used, else 0.
int readDocument(DocumentContext& ctx, const QString& path, CliServices& io) {
    DocumentSource source = DocumentFile::ReadSource(path);
    const int kind = DocumentFile::DetectFileKind(source);
    if (kind == DocumentFile::kPoseTable) {
        io.err() << PoseTableRefusal(path) << Qt::endl;
        return 2;
    }
    if (kind != MotionChart && kind != ScenarioChart) {
        io.err() << CannotOpenText(path) << Qt::endl;
        return 1;
    }
    const int problems = io.messageCount;
    if (!DocumentFile::LoadDocument(ctx, source) || io.messageCount != problems) {
        io.err() << Cli::tr("%1 was not read completely; it is left as it is").arg(path)
                 << Qt::endl;
        return 1;
    }
    // The file's own canvas size goes back into it, not the editor's minimum.
    ctx.canvas = ctx.loadedCanvas;
    return 0;
}

// Checks that item n of the chart is a POS item. Returns the exit status when
// it is not, else 0.
int checkItem(const Chart& chart, int n, const QString& path, CliServices& io) {
    if (!chart.validItem(n)) {
        io.err() << NoItemText(path, n, chart.itemCount()) << Qt::endl;
        return 2;
    }
    const Item& item = chart.items[size_t(n)];
    if (item.kind != KindPos) {
        io.err() << NotPosItemText(path, n, item.name, KindLabel(item.kind)) << Qt::endl;
        return 2;
    }
    return 0;
}

// Reads the named link pattern from PATTERN.ini in the settings folder into
// the selection the teach button works with. Returns the exit status when it
// cannot, else 0.
int selectPattern(const QString& name, LinkSelection& links, CliServices& io) {
    PatternFile patterns(PatternFile::PathIn(Settings::ConfigDir()));
    if (!patterns.load()) {
        io.err() << Cli::tr("cannot read %1").arg(patterns.path()) << Qt::endl;
        return 1;
    }
    const QStringList names = patterns.linkNames();
    const std::optional<PatternFile::Pattern> pattern = patterns.linkPattern(name);
    if (!pattern) {
        io.err() << (names.isEmpty()
                         ? Cli::tr("there is no link pattern \"%1\" in %2 (it holds none)")
                               .arg(name, patterns.path())
                         : Cli::tr("there is no link pattern \"%1\" in %2 (its link patterns: "
                                   "\"%3\")")
                               .arg(name, patterns.path(), names.join(QStringLiteral("\", \""))))
                 << Qt::endl;
        return 2;
    }
    // A pattern the window would refuse to pick is refused here too.
    if (const std::optional<QString> refusal = LoadLinkPattern(patterns, name, links.actions)) {
        io.err() << *refusal << Qt::endl;
        return 1;
    }
    links.selected = int(names.indexOf(name));
    links.name = name;
    return 0;
}

} // namespace

// qvx pose: the pose window's live robot operations, run with the window's own
// flow objects against a serial device (a real board, or `qvx sim --link PATH`),
// so the board receives the bytes the window would send. A verb that changes
// the item saves the document in place, as the window's edit would be kept.
int CmdPose(const VerbArgs& args, CliServices& io) {
    const Verb* verb = findVerb(args.action());
    const QString patternName = args.value(QStringLiteral("pattern"));
    const bool havePattern = args.has(QStringLiteral("pattern"));
    const bool sync = args.has(QStringLiteral("sync"));
    const bool plus = args.has(QStringLiteral("plus")), minus = args.has(QStringLiteral("minus"));
    const int direction = plus ? +1 : -1;

    // Check the arguments before anything goes to the board.
    if (const auto code = args.require(QStringLiteral("port"), io)) return *code;
    const QString port = args.value(QStringLiteral("port"));
    const bool wantsItem = verb->needs == Needs::Item || verb->needs == Needs::ItemAndPattern ||
                           (verb->needs == Needs::OptionalItem && !args.positional().isEmpty());
    if (const auto code = args.requireCount(wantsItem ? 1 : 0, QStringLiteral("FILE"), io))
        return *code;
    if (wantsItem)
        if (const auto code = args.require(QStringLiteral("item"), io)) return *code;
    if (!wantsItem && args.has(QStringLiteral("item")))
        return args.usage(Cli::tr("--item needs FILE"), io);
    if (verb->needs == Needs::ItemAndPattern)
        if (const auto code = args.require(QStringLiteral("pattern"), io)) return *code;
    if (havePattern && patternName.isEmpty())
        return args.usage(Cli::tr("--pattern needs a name"), io);
    const bool linkVerb = QLatin1String(verb->name) == QLatin1String("link");
    if (linkVerb && plus == minus) return args.usage(Cli::tr("give one of --plus and --minus"), io);
    int n = -1;
    if (wantsItem) {
        bool ok = false;
        n = args.value(QStringLiteral("item")).toInt(&ok);
        if (!ok)
            return args.usage(Cli::tr("the item number \"%1\" is not a number")
                                  .arg(args.value(QStringLiteral("item"))),
                              io);
    }
    const QString path = wantsItem ? args.positional()[0] : QString();
    const QString verbName = QLatin1String(verb->name);

    AppState state;
    state.link.setServices(&io);
    DocumentContext ctx{state.chart, state.header, io};
    if (wantsItem) {
        if (const int status = readDocument(ctx, path, io)) return status;
        if (const int status = checkItem(state.chart, n, path, io)) return status;
    }
    LinkSelection links;
    if (havePattern)
        if (const int status = selectPattern(patternName, links, io)) return status;

    // Link movement without SYNC stays in the document: nothing goes to the board.
    const bool needsBoard = !linkVerb || sync;
    if (needsBoard && !OpenCliPort(state, port, io)) return 1;

    // The window as it stands after opening the item: the item's pose on its
    // controls, the pattern (if any) selected.
    PoseState pose;
    Item before;
    if (wantsItem) {
        before = state.chart.items[size_t(n)];
        ShowPoseItem(pose, before);
    }
    // The current item is looked up by index each time; the chart does not
    // change while the flow runs.
    PoseFlows flows(state.board, pose, links, [&]() -> Item* {
        return wantsItem && state.chart.validItem(n) ? &state.chart.items[size_t(n)] : nullptr;
    });
    QString panel;
    QObject::connect(&state.board, &BoardCommands::sleepPanelChanged,
                     [&panel](const QString& text) { panel = text; });

    bool ok = false;
    if (verbName == QLatin1String("send"))
        ok = flows.Send();
    else if (verbName == QLatin1String("get"))
        ok = flows.Acquire();
    else if (verbName == QLatin1String("home"))
        ok = flows.HomePosition(wantsItem ? PoseFlows::HomeCaller::PoseWindow
                                          : PoseFlows::HomeCaller::MainWindow);
    else if (verbName == QLatin1String("sleep"))
        ok = flows.Sleep();
    else if (verbName == QLatin1String("sethome"))
        ok = flows.MakeHomePosition();
    else if (verbName == QLatin1String("teach"))
        ok = flows.Teach();
    else if (linkVerb) {
        const PoseFlows::LinkOutcome outcome = flows.LinkMove(direction, sync);
        if (!outcome.refusal.isEmpty()) io.err() << outcome.refusal << Qt::endl;
        ok = outcome.ok;
    }
    const QString cause = ok ? QString() : io.failureCause(state.link.lastFailure());
    if (needsBoard) state.link.ClosePort();

    // The item is saved when the flow changed it, even when a later step of
    // the flow failed: the window would hold the change as well.
    QList<int> freed, taken;
    bool changed = false;
    if (wantsItem) {
        const Item& after = state.chart.items[size_t(n)];
        changed = after.lead != before.lead || after.values != before.values;
        for (int ch = 1; ch <= Pose::kChannels; ++ch) {
            const quint16 was = before.values[size_t(ch - 1)], is = after.values[size_t(ch - 1)];
            if (is == Pose::kFree && was != Pose::kFree) freed << ch;
            if (was == Pose::kFree && is != Pose::kFree) taken << ch;
        }
    }
    const bool saved = changed && DocumentFile::SaveDocument(ctx, path, false);
    if (changed && !saved) {
        io.err() << Cli::tr("the changed item %1 could not be saved in %2").arg(n).arg(path)
                 << Qt::endl;
        return 1;
    }
    const QString savedNote = saved ? Cli::tr("; saved %1").arg(path) : QString();
    if (!ok) {
        QString failure = Cli::tr("qvx pose %1 failed").arg(verbName);
        if (!cause.isEmpty()) failure += QStringLiteral(": ") + cause;
        if (saved) failure += u' ' + Cli::tr("(item %1 had changed%2)").arg(n).arg(savedNote);
        io.err() << failure << Qt::endl;
        return 1;
    }

    const QString itemLabel = Cli::tr("item %1 (\"%2\")").arg(n).arg(before.name);
    QString done;
    if (verbName == QLatin1String("send")) {
        done = Cli::tr("sent the pose of %1 to the robot").arg(itemLabel);
    } else if (verbName == QLatin1String("get")) {
        done =
            (changed ? Cli::tr("%1 took the live pose") : Cli::tr("%1 already held the live pose"))
                .arg(itemLabel);
    } else if (verbName == QLatin1String("home")) {
        done = Cli::tr("the robot went to its home position");
        if (wantsItem)
            done += QStringLiteral("; ") +
                    Cli::tr("%1 took it at speed %2").arg(itemLabel).arg(Pose::kHomeSpeed);
    } else if (verbName == QLatin1String("sleep")) {
        done = panel;
    } else if (verbName == QLatin1String("sethome")) {
        done = Cli::tr("the pose of %1 is the board's home position now").arg(itemLabel);
    } else if (verbName == QLatin1String("teach")) {
        if (!taken.isEmpty())
            done = Cli::tr("%1 took the angles of %2").arg(itemLabel, channelList(taken));
        else if (!freed.isEmpty())
            done = Cli::tr("released %1 of %2").arg(channelList(freed), itemLabel);
        else
            done = Cli::tr("link pattern \"%1\" marks no channel TCH; the pose was sent as shown")
                       .arg(patternName);
    } else if (linkVerb) {
        if (changed)
            done = direction > 0 ? Cli::tr("%1 took one link step forward")
                                 : Cli::tr("%1 took one link step back");
        else
            done = direction > 0 ? Cli::tr("%1 was not changed by a link step forward")
                                 : Cli::tr("%1 was not changed by a link step back");
        done = done.arg(itemLabel);
        if (sync) done += Cli::tr(", sent to the robot");
    }
    io.out() << done << savedNote << Qt::endl;
    return 0;
}

} // namespace qvx
