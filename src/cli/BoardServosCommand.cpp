#include "app/AppState.h"
#include "app/Settings.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "settings/ServoFlows.h"
#include "document/IniFile.h"
#include "pose/PoseLayout.h"

#include <optional>
#include <utility>

namespace qvx {

namespace {

const char* kServosUsage =
    "usage: qvx board --port DEVICE servos [--read | --show ID | --copy FROM=TO |\n"
    "                                       --set ID PARAM=VALUE...]\n"
    "  bare, opens the servo setup dialog and prints its list; --read also presses\n"
    "  the read button; --show double-clicks a row and closes the parameter dialog\n"
    "  unchanged; --copy drags row FROM onto row TO; --set changes the parameters\n"
    "  of one servo (PARAM a list column such as Stretch1, Punch, Reverse, Limit(L);\n"
    "  VALUE as the list shows it). ID is the servo ID 0..23 (channel ID + 1)";

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
    io.err() << "qvx board servos failed: " << why << Qt::endl;
    return 1;
}

} // namespace

// qvx board servos: the servo setup dialog without a window. Opens as the
// main window's SVP button does, makes the one change asked for as the
// dialog's list and parameter dialog make it, closes as the dialog's close
// box does and prints what the list then shows.
int RunBoardServos(const QString& portIn, const QStringList& args, CliServices& io) {
    enum class Verb { List, Read, Show, Copy, Set } verb = Verb::List;
    QString port = portIn;
    int id = -1, to = -1;
    QList<std::pair<QString, QString>> changes;
    const auto usage = [&io] {
        io.err() << kServosUsage << Qt::endl;
        return 2;
    };
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        const bool hasValue = i + 1 < args.size();
        if (verb != Verb::List) return usage();
        if (a == QLatin1String("--port") && hasValue) {
            port = args[++i];
        } else if (a == QLatin1String("--read")) {
            verb = Verb::Read;
        } else if (a == QLatin1String("--show") && hasValue) {
            const auto n = servoId(args[++i]);
            if (!n) return usage();
            verb = Verb::Show;
            id = *n;
        } else if (a == QLatin1String("--copy") && hasValue) {
            const QStringList pair = args[++i].split(u'=');
            const auto from = pair.size() == 2 ? servoId(pair[0]) : std::nullopt;
            const auto onto = pair.size() == 2 ? servoId(pair[1]) : std::nullopt;
            if (!from || !onto) return usage();
            verb = Verb::Copy;
            id = *from;
            to = *onto;
        } else if (a == QLatin1String("--set") && hasValue) {
            const auto n = servoId(args[++i]);
            if (!n) return usage();
            ServoControls check;
            for (++i; i < args.size() && !args[i].startsWith(QLatin1String("--")); ++i) {
                const qsizetype eq = args[i].indexOf(u'=');
                const QString param = args[i].left(eq), value = args[i].mid(eq + 1);
                if (eq < 0 || !ServoParams::SetColumn(check, param, value)) {
                    io.err() << "qvx board servos: " << args[i]
                             << ": no such column, or a value its control cannot take" << Qt::endl;
                    return usage();
                }
                changes.append({param, value});
            }
            --i;
            if (changes.isEmpty()) return usage();
            verb = Verb::Set;
            id = *n;
        } else {
            return usage();
        }
    }
    if (port.isEmpty()) return usage();

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
    case Verb::List: break;
    case Verb::Read:
        ok = flows.ReadServos();
        why = QStringLiteral("not every SVP servo could be read");
        break;
    case Verb::Show:
    case Verb::Set:
        ok = flows.EditServo(id, [&changes](ServoControls& controls, const QString&) {
            for (const auto& [param, value] : changes)
                ServoParams::SetColumn(controls, param, value);
        });
        why = QStringLiteral("servo %1 could not be read and written back").arg(id);
        break;
    case Verb::Copy:
        if (!flows.CanDrop(id, to)) {
            ok = false;
            why = QStringLiteral("rows %1 and %2 must both be SVP channels").arg(id).arg(to);
        } else {
            ok = flows.CopyServo(id, to);
            why = QStringLiteral("servo %1 could not be copied to servo %2").arg(id).arg(to);
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
