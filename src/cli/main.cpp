#include "app/Settings.h"
#include "base/Language.h"
#include "cli/CliArgs.h"
#include "cli/CliHelp.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "timeline/TimelineChart.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <functional>
#include <map>
#include <memory>

using namespace qvx;

namespace {

using Run = std::function<int(const VerbArgs&, CliServices&)>;

const std::map<QString, Run>& runners() {
    static const std::map<QString, Run> table = {
        {QStringLiteral("info"), CmdInfo},
        {QStringLiteral("resave"), CmdResave},
        {QStringLiteral("arrange"), CmdArrange},
        {QStringLiteral("compile"), CmdCompile},
        {QStringLiteral("convert"), CmdConvert},
        {QStringLiteral("hex"), CmdHex},
        {QStringLiteral("board table"), CmdBoard},
        {QStringLiteral("board write"), CmdBoard},
        {QStringLiteral("board read"), CmdBoard},
        {QStringLiteral("board delete"), CmdBoard},
        {QStringLiteral("board play"), CmdBoard},
        {QStringLiteral("board stop"), CmdBoard},
        {QStringLiteral("board pause"), CmdBoard},
        {QStringLiteral("board diff"), CmdBoardDiff},
        {QStringLiteral("board backup"), CmdBoardBackup},
        {QStringLiteral("board restore"), CmdBoardRestore},
        {QStringLiteral("board names"), CmdBoardNames},
        {QStringLiteral("board options"), CmdBoardOptions},
        {QStringLiteral("board servos"), CmdBoardServos},
        {QStringLiteral("board trim"), CmdBoardTrim},
        {QStringLiteral("board analog"), CmdBoardAnalog},
        {QStringLiteral("board receiver"), CmdBoardReceiver},
        {QStringLiteral("pose send"), CmdPose},
        {QStringLiteral("pose get"), CmdPose},
        {QStringLiteral("pose home"), CmdPose},
        {QStringLiteral("pose sleep"), CmdPose},
        {QStringLiteral("pose sethome"), CmdPose},
        {QStringLiteral("pose teach"), CmdPose},
        {QStringLiteral("pose link"), CmdPose},
        {QStringLiteral("remote"), CmdRemote},
        {QStringLiteral("sim"), CmdSim},
        {QStringLiteral("ports"), CmdPorts},
        {QStringLiteral("preview"), CmdPreview},
        {QStringLiteral("check"), CmdCheck},
        {QStringLiteral("timeline"), CmdTimeline},
    };
    return table;
}

// Where the action of a group ("write" of qvx board) stands: the first
// argument that is neither an option nor the value of one.
std::optional<qsizetype> actionIndex(const QString& group, const QStringList& args) {
    QStringList valued;
    for (const VerbHelp& v : Verbs())
        if (v.name.startsWith(group + u' '))
            for (const QCommandLineOption& o : v.options)
                if (!o.valueName().isEmpty()) valued << o.names();
    static const QRegularExpression option(QStringLiteral("^--?([^-=0-9][^=]*)$"));
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--"))
            return i + 1 < args.size() ? std::optional<qsizetype>(i + 1) : std::nullopt;
        if (!args[i].startsWith(u'-') || args[i] == QLatin1String("-")) return i;
        const QRegularExpressionMatch m = option.match(args[i]);
        if (m.hasMatch() && valued.contains(m.captured(1))) ++i;
    }
    return std::nullopt;
}

// True when the command draws a timeline's picture: the chart library needs
// the toolkit's widgets (run offscreen), which no other command starts.
bool drawsChart(int argc, char** argv) {
    bool timeline = false, png = false;
    for (int i = 1; i < argc; ++i) {
        timeline = timeline || qstrcmp(argv[i], "timeline") == 0;
        png = png || qstrncmp(argv[i], "--png", 5) == 0;
    }
    return timeline && png;
}

} // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QCoreApplication> app =
        drawsChart(argc, argv) ? TimelineChart::NewApplication(argc, argv)
                               : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("qvx"));
    QCoreApplication::setApplicationVersion(QStringLiteral(QVX_VERSION));
    CliServices io;
    // Messages and help in the language of the settings file or the locale;
    // what scripts read (listings, rows, findings, files) never changes with it.
    QString languageProblem;
    // not translated: a listing scripts read
    if (!Language::Install(*app,
                           Language::Resolve(Settings::ReadLanguage(Settings::SettingsPath())),
                           &languageProblem))
        io.err() << QStringLiteral("qvx: %1").arg(languageProblem) << Qt::endl;
    QStringList args = QCoreApplication::arguments().mid(1);
    if (const auto code = CheckToolArgs(args, io)) return *code;
    if (args.isEmpty()) return UsageError({}, Cli::tr("a command is required"), io);
    QString name = args.takeFirst();
    if (!FindVerb(name)) return UsageError({}, Cli::tr("no command %1").arg(name), io);
    if (IsVerbGroup(name)) {
        const std::optional<qsizetype> at = actionIndex(name, args);
        if (!at) {
            if (args.contains(QLatin1String("--help")) || args.contains(QLatin1String("-h"))) {
                io.out() << GroupHelpText(name);
                io.out().flush();
                return 0;
            }
            return UsageError(name, Cli::tr("an action is required"), io);
        }
        const QString action = name + u' ' + args[*at];
        if (!FindVerb(action)) return UsageError(name, Cli::tr("no action %1").arg(args[*at]), io);
        args.removeAt(*at);
        name = action;
    }
    const VerbHelp& verb = *FindVerb(name);
    VerbArgs parsed;
    if (const auto code = VerbArgs::Parse(verb, args, parsed, io)) return *code;
    return runners().at(name)(parsed, io);
}
