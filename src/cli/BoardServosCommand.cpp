#include "app/AppState.h"
#include "app/Settings.h"
#include "cli/CliArgs.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "document/IniFile.h"
#include "pose/PoseLayout.h"
#include "settings/ServoFlows.h"

#include <optional>
#include <utility>

namespace qvx {

namespace {

std::optional<int> servoId(const QString& text) {
    bool ok = false;
    const int id = text.toInt(&ok);
    if (!ok || !ServoFlows::validRow(id)) return std::nullopt;
    return id;
}

// The names the pose window shows, from the settings file; the defaults when
// it cannot be read. Nothing is written to it.
QStringList poseNames() {
    PoseLayout layout;
    IniFile ini(Settings::SettingsPath());
    if (ini.load()) layout.Read(ini);
    QStringList names;
    for (const auto& channel : layout.channels)
        names << channel.name;
    return names;
}

void printRow(const QStringList& texts, CliServices& io) {
    io.out() << texts.join(u'\t') << Qt::endl;
}

// The parameters of one row, a column name and its text per line.
void printServo(const ServoFlows& flows, int row, CliServices& io) {
    const QStringList columns = ServoParams::Columns();
    const QStringList texts = flows.rowTexts(row);
    for (int c = 0; c < columns.size() && c < texts.size(); ++c)
        io.out() << columns[c] << '\t' << texts[c] << Qt::endl;
}

int fail(CliServices& io, const QString& why) {
    io.failed(QStringLiteral("board servos"), why);
    return 1;
}

} // namespace

// qvx board servos: the servo setup dialog without a window. Opens as the
// main window's SVP button does, makes the one change asked for as the
// dialog's list and parameter dialog make it, closes as the dialog's close
// box does and prints what the list then shows.
int CmdBoardServos(const VerbArgs& args, CliServices& io) {
    enum class Verb { List, Read, Show, Copy, Set } verb = Verb::List;
    int id = -1, to = -1;
    QList<std::pair<QString, QString>> changes;
    if (const auto code = args.require(QStringLiteral("port"), io)) return *code;
    const QString port = args.value(QStringLiteral("port"));
    int forms = 0;
    for (const auto& [name, value] : args.given()) {
        if (name == QLatin1String("port") || name == QLatin1String("yes")) continue;
        ++forms;
        if (name == QLatin1String("read")) {
            verb = Verb::Read;
        } else if (name == QLatin1String("copy")) {
            const QStringList pair = value.split(u'=');
            const auto from = pair.size() == 2 ? servoId(pair[0]) : std::nullopt;
            const auto onto = pair.size() == 2 ? servoId(pair[1]) : std::nullopt;
            if (!from || !onto)
                return args.usage(Cli::tr("--copy %1: give FROM=TO, servo IDs 0..%2")
                                      .arg(value)
                                      .arg(ServoFlows::kRows - 1),
                                  io);
            verb = Verb::Copy;
            id = *from;
            to = *onto;
        } else {
            const auto n = servoId(value);
            if (!n)
                return args.usage(Cli::tr("--%1 %2: a servo ID is 0..%3")
                                      .arg(name, value)
                                      .arg(ServoFlows::kRows - 1),
                                  io);
            verb = name == QLatin1String("show") ? Verb::Show : Verb::Set;
            id = *n;
        }
    }
    if (forms > 1) return args.usage(Cli::tr("give one of --read, --show, --copy and --set"), io);
    // The PARAM=VALUE arguments of --set.
    if (verb != Verb::Set && !args.positional().isEmpty())
        return args.usage(Cli::tr("unexpected argument %1").arg(args.positional()[0]), io);
    if (verb == Verb::Set && args.positional().isEmpty())
        return args.usage(Cli::tr("--set needs PARAM=VALUE arguments"), io);
    ServoControls check;
    for (const QString& change : args.positional()) {
        const qsizetype eq = change.indexOf(u'=');
        const QString param = change.left(eq), value = change.mid(eq + 1);
        if (eq < 0 || !ServoParams::SetColumn(check, param, value))
            return args.usage(
                Cli::tr("%1: no such column, or a value its control cannot take").arg(change), io);
        changes.append({param, value});
    }

    AppState state;
    state.link.setServices(&io);
    ServoFlows flows(state.board);
    flows.SetChannelNames(poseNames());
    if (!OpenCliPort(state, port, io)) return 1;
    if (!flows.Open()) {
        state.link.ClosePort();
        return fail(io, flows.problem());
    }

    bool ok = true;
    QString why;
    switch (verb) {
    case Verb::List:
        break;
    case Verb::Read:
        ok = flows.ReadServos();
        why = Cli::tr("not every SVP servo could be read");
        break;
    case Verb::Show:
    case Verb::Set:
        ok = flows.EditServo(id, [&changes](ServoControls& controls, const QString&) {
            for (const auto& [param, value] : changes)
                ServoParams::SetColumn(controls, param, value);
        });
        why = Cli::tr("servo %1 could not be read and written back").arg(id);
        break;
    case Verb::Copy:
        if (!flows.CanDrop(id, to)) {
            ok = false;
            why = Cli::tr("rows %1 and %2 must both be SVP channels").arg(id).arg(to);
        } else {
            ok = flows.CopyServo(id, to);
            why = Cli::tr("servo %1 could not be copied to servo %2").arg(id).arg(to);
        }
        break;
    }
    if (!ok) why = state.link.failureWith(why);
    const bool closed = flows.Close();
    state.link.ClosePort();
    // A failed command prints no rows: they might not be what the board holds.
    if (!ok) fail(io, why);
    if (!closed) fail(io, flows.problem());
    if (!ok || !closed) return 1;

    if (verb == Verb::Show || verb == Verb::Set) {
        printServo(flows, id, io);
    } else {
        printRow(ServoParams::Columns(), io);
        for (int r = 0; r < ServoFlows::kRows; ++r)
            if (verb != Verb::Copy || r == to) printRow(flows.rowTexts(r), io);
    }
    return 0;
}

} // namespace qvx
