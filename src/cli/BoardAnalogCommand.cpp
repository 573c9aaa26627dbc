#include "app/AppState.h"
#include "cli/CliArgs.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "settings/AnalogFlows.h"

#include <QObject>

namespace qvx {

namespace {

// One change, as a control of the dialog makes it.
struct Change {
    enum class Kind { Reference, Auto, Gain, Sensor } kind;
    int a = 0, b = 0, c = 0; // K V | K | K CH GAIN | S THRESHOLD MOTION
    QString text;            // as given, for messages
};

std::optional<Change> parseChange(const QString& option, const QString& value) {
    Change change{Change::Kind::Reference, 0, 0, 0, option + u' ' + value};
    if (option == QLatin1String("--auto")) {
        const auto k = NumberIn(value, 1, 3);
        if (!k) return std::nullopt;
        change.kind = Change::Kind::Auto;
        change.a = *k - 1;
        return change;
    }
    const qsizetype eq = value.indexOf(u'=');
    if (eq < 0) return std::nullopt;
    const QString left = value.left(eq), right = value.mid(eq + 1);
    if (option == QLatin1String("--ref")) {
        const auto k = NumberIn(left, 1, 3);
        const auto v = NumberIn(right, 0, QmxBoard::Analog::kReferenceMax);
        if (!k || !v) return std::nullopt;
        change.a = *k - 1;
        change.b = *v;
        return change;
    }
    if (option == QLatin1String("--mix")) {
        const QStringList kch = left.split(u':');
        if (kch.size() != 2) return std::nullopt;
        const auto k = NumberIn(kch[0], 1, 3);
        const auto ch = NumberIn(kch[1], 1, AnalogSettings::kChannels);
        const auto gain = AnalogSettings::GainIndexOf(right);
        if (!k || !ch || !gain) return std::nullopt;
        change.kind = Change::Kind::Gain;
        change.a = *k - 1;
        change.b = *ch;
        change.c = *gain;
        return change;
    }
    if (option == QLatin1String("--sensor")) {
        const QStringList tm = right.split(u':');
        if (tm.size() != 2) return std::nullopt;
        const int max = QmxBoard::Analog::kThresholdMax;
        const auto s = NumberIn(left, 1, AnalogSettings::kSlots);
        const auto t = NumberIn(tm[0], -max, max);
        const auto m = AnalogSettings::SelectionOf(tm[1].trimmed());
        if (!s || !t || !m) return std::nullopt;
        change.kind = Change::Kind::Sensor;
        change.a = *s - 1;
        change.b = *t;
        change.c = *m;
        return change;
    }
    return std::nullopt;
}

bool apply(AnalogFlows& flows, const Change& c) {
    switch (c.kind) {
    case Change::Kind::Reference:
        return flows.DragReference(c.a, c.b);
    case Change::Kind::Auto:
        return flows.AutoCalibrate(c.a);
    case Change::Kind::Gain:
        return flows.ChooseGain(c.a, c.b, c.c);
    case Change::Kind::Sensor:
        // The bar is dragged and let go, then the motion list is closed up.
        return flows.MoveThreshold(c.a, c.b) && flows.EndThreshold(c.a) &&
               flows.ChooseMotion(c.a, c.c);
    }
    return false;
}

// A listing scripts read: the same in every language.
void print(const AnalogSettings& s, CliServices& io) {
    for (int k = 0; k < AnalogSettings::kInputs; ++k)
        // not translated: a listing scripts read
        io.out() << "AD" << k + 1 << " ref " << s.ref[size_t(k)] << Qt::endl;
    for (int k = 0; k < AnalogSettings::kInputs; ++k)
        for (int c = 0; c < AnalogSettings::kChannels; ++c)
            // not translated: a listing scripts read
            io.out() << "AD" << k + 1 << " CH" << c + 1 << ' '
                     << AnalogSettings::GainText(s.gain[size_t(k)][size_t(c)]) << Qt::endl;
    for (int slot = 0; slot < AnalogSettings::kSlots; ++slot)
        // not translated: a listing scripts read
        io.out() << "sensor " << slot + 1 << " AD" << slot / 2 + 1 << " threshold "
                 << s.thr[size_t(slot)] << " motion "
                 << AnalogSettings::SelectionCaption(s.sel[size_t(slot)]) << Qt::endl;
}

} // namespace

int CmdBoardAnalog(const VerbArgs& args, CliServices& io) {
    // Everything is checked before anything goes to the board.
    if (const auto code = args.require(QStringLiteral("port"), io)) return *code;
    if (const auto code = args.requireCount(0, {}, io)) return *code;
    const QString port = args.value(QStringLiteral("port"));
    QList<Change> changes;
    for (const auto& [name, value] : args.given()) {
        if (name == QLatin1String("port") || name == QLatin1String("yes")) continue;
        const std::optional<Change> change = parseChange(QStringLiteral("--") + name, value);
        if (!change) return args.usage(Cli::tr("cannot use --%1 %2").arg(name, value), io);
        changes << *change;
    }

    AppState state;
    state.link.setServices(&io);
    AnalogSettings settings;
    AnalogFlows flows(state.board, settings);
    // The dialog shows the measured values of every report while it is open.
    QObject::connect(&state.board, &BoardCommands::adReport,
                     [&flows](const QList<int>& values) { flows.TakeReport(values); });
    if (!OpenCliPort(state, port, io)) return 1;

    if (changes.isEmpty()) {
        const bool read = flows.ReadAll();
        const QString failure = state.link.failureWith(AnalogFlows::ReadFailedText());
        state.link.ClosePort();
        if (!read) {
            io.failed(QStringLiteral("board analog"), failure);
            return 1;
        }
        print(settings, io);
        return 0;
    }

    bool reportsOn = false;
    if (!flows.Open(&reportsOn)) {
        state.link.ClosePort();
        io.failed(QStringLiteral("board analog"), flows.problem());
        return 1;
    }
    bool ok = true;
    if (!reportsOn) {
        io.note(QStringLiteral("board analog"), flows.problem());
        ok = false;
    }
    // A failed change is told and the rest still made, as in the dialog.
    for (const Change& c : changes) {
        if (apply(flows, c)) continue;
        io.note(QStringLiteral("board analog"),
                state.link.failureWith(Cli::tr("%1 failed").arg(c.text)));
        ok = false;
    }
    if (!flows.Close()) {
        io.failed(QStringLiteral("board analog"), flows.problem());
        ok = false;
    }
    state.link.ClosePort();
    // A failed command prints no values: they might not be what the board holds.
    if (!ok) return 1;
    print(settings, io);
    return 0;
}

} // namespace qvx
