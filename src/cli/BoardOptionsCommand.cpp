#include "app/AppState.h"
#include "cli/CliArgs.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "settings/OptionFlows.h"

#include <QRegularExpression>
#include <functional>
#include <vector>

namespace qvx {

namespace {

// One change as the dialog's control makes it.
struct Change {
    QString option;
    std::function<bool(OptionFlows&)> run;
};

std::optional<bool> onOff(const QString& text) {
    if (text == QLatin1String("on")) return true;
    if (text == QLatin1String("off")) return false;
    return std::nullopt;
}

// "OFF", "Mn" (1..80) or "Sn" (1..5) as a choice list index.
std::optional<int> choice(const QString& text) {
    if (text.compare(QLatin1String("OFF"), Qt::CaseInsensitive) == 0) return 0;
    static const QRegularExpression form(QStringLiteral("^([MmSs])([0-9]{1,2})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int n = m.captured(2).toInt();
    const bool scenario = m.captured(1).compare(QLatin1String("S"), Qt::CaseInsensitive) == 0;
    const int count = scenario ? QmxBoard::kScenarioSlots : QmxBoard::kMotionSlots;
    if (n < 1 || n > count) return std::nullopt;
    return (scenario ? QmxBoard::kScenarioEntryBase : 0) + n;
}

// Volts with at most one decimal (an "06.0V" as printed is taken too), in tenths.
std::optional<int> tenths(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^([0-9]{1,2})(?:\\.([0-9]))?[Vv]?$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const int t =
        m.captured(1).toInt() * 10 + (m.captured(2).isEmpty() ? 0 : m.captured(2).toInt());
    if (t < OptionFlows::kVoltMin || t > OptionFlows::kVoltMax) return std::nullopt;
    return t;
}

// "9,24" or "none" as a channel mask.
std::optional<quint32> channels(const QString& text) {
    if (text == QLatin1String("none")) return 0u;
    quint32 mask = 0;
    for (const QString& part : text.split(u',')) {
        bool ok = false;
        const int n = part.trimmed().toInt(&ok);
        if (!ok || n < 1 || n > QmxBoard::kChannels) return std::nullopt;
        mask |= 1u << (n - 1);
    }
    return mask;
}

// The change an option stands for; nothing when the value is not one its
// control can take.
std::optional<Change> parseChange(const QString& option, const QString& value) {
    using F = OptionFlows;
    const auto flag = [&](bool (F::*set)(bool)) -> std::optional<Change> {
        const auto on = onOff(value);
        if (!on) return std::nullopt;
        return Change{option, [set, v = *on](F& f) { return (f.*set)(v); }};
    };
    const auto list = [&](bool (F::*set)(int)) -> std::optional<Change> {
        const auto index = choice(value);
        if (!index) return std::nullopt;
        return Change{option, [set, v = *index](F& f) { return (f.*set)(v); }};
    };
    if (option == QLatin1String("--reply-at-end")) return flag(&F::SetReplyAtEnd);
    if (option == QLatin1String("--transmitter")) return flag(&F::SetTransmitter);
    if (option == QLatin1String("--wrx1")) return flag(&F::SetWrx1);
    if (option == QLatin1String("--start-switch")) return list(&F::SetButtonStart);
    if (option == QLatin1String("--power-on")) return list(&F::SetPowerOnStart);
    if (option == QLatin1String("--alarm")) return list(&F::SetAlarm);
    if (option == QLatin1String("--alarm-volts")) {
        const auto t = tenths(value);
        if (!t) return std::nullopt;
        return Change{option, [v = *t](F& f) { return f.SetAlarmVolts(v); }};
    }
    if (option == QLatin1String("--svp")) {
        const auto mask = channels(value);
        if (!mask) return std::nullopt;
        return Change{option, [v = *mask](F& f) { return f.SetSvpChannels(v); }};
    }
    return std::nullopt;
}

QString onOffText(bool on) {
    return on ? QStringLiteral("on") : QStringLiteral("off");
}

QString channelList(quint32 mask) {
    QStringList n;
    for (int c = 1; c <= QmxBoard::kChannels; ++c)
        if (mask & (1u << (c - 1))) n << QString::number(c);
    return n.isEmpty() ? QStringLiteral("none") : n.join(u',');
}

void printState(const OptionFlows& flows, CliServices& io) {
    const OptionSettings& s = flows.settings();
    const quint16 w = flows.optionWord();
    const auto bit = [&](const char* name, quint16 mask, int number) {
        // A listing scripts read: the same in every language.
        // not translated: a listing scripts read
        io.out() << QStringLiteral("  bit %1  %2 %3")
                        .arg(number, 2)
                        .arg(QLatin1String(name), -14)
                        .arg(onOffText(w & mask))
                 << Qt::endl;
    };
    // not translated: a listing scripts read
    io.out() << QStringLiteral("option word   0x%1").arg(w, 4, 16, QLatin1Char('0')) << Qt::endl;
    bit("wrx1", BoardCommands::kOptWrx1, 3);
    bit("reply-at-end", BoardCommands::kOptPlaybackReport, 9);
    bit("alarm", BoardCommands::kOptAlarm, 10);
    bit("power-on", BoardCommands::kOptPowerOnStart, 11);
    bit("start-switch", BoardCommands::kOptButtonStart, 12);
    bit("transmitter", BoardCommands::kOptTransmitter, 13);
    const auto line = [&](const char* name, const QString& value) {
        io.out() << QStringLiteral("%1 %2").arg(QLatin1String(name), -13).arg(value) << Qt::endl;
    };
    line("start-switch", OptionFlows::ChoiceCaption(s.buttonStart));
    line("power-on", OptionFlows::ChoiceCaption(s.powerOnStart));
    line("alarm", OptionFlows::ChoiceCaption(s.alarm));
    line("alarm-volts", OptionFlows::VoltText(s.alarmTenths));
    line("svp", channelList(s.svp));
}

} // namespace

// qvx board options: the options dialog without a window. Opens as the
// options button does, makes the changes the options stand for in the order
// given, each as its control would, and prints what the dialog then shows.
int CmdBoardOptions(const VerbArgs& args, CliServices& io) {
    if (const auto code = args.require(QStringLiteral("port"), io)) return *code;
    if (const auto code = args.requireCount(0, {}, io)) return *code;
    const QString port = args.value(QStringLiteral("port"));
    std::vector<Change> changes;
    for (const auto& [name, value] : args.given()) {
        if (name == QLatin1String("port") || name == QLatin1String("yes")) continue;
        const QString option = QStringLiteral("--") + name;
        std::optional<Change> change = parseChange(option, value);
        if (!change)
            return args.usage(Cli::tr("%1 %2: a value its control cannot take").arg(option, value),
                              io);
        changes.push_back(std::move(*change));
    }

    AppState state;
    state.link.setServices(&io);
    OptionFlows flows(state.board, state.table);
    if (!OpenCliPort(state, port, io)) return 1;

    if (!flows.Open()) {
        state.link.ClosePort();
        io.failed(QStringLiteral("board options"),
                  state.link.failureWith(Cli::tr("the options could not be read from the board")));
        return 1;
    }
    for (const Change& change : changes) {
        if (!change.run(flows)) {
            state.link.ClosePort();
            io.failed(QStringLiteral("board options"),
                      Cli::tr("%1; the later options were not sent")
                          .arg(state.link.failureWith(
                              Cli::tr("the board did not take %1").arg(change.option))));
            return 1;
        }
    }
    state.link.ClosePort();
    printState(flows, io);
    return 0;
}

} // namespace qvx
