#include "app/AppState.h"
#include "cli/CliArgs.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "settings/ReceiverFlows.h"

#include <QEventLoop>
#include <QObject>
#include <QTimer>

namespace qvx {

namespace {

// How long the tool waits for the board's first receiver report.
constexpr int kReportWaitMs = 1500;

struct Change {
    bool autoCalibrate = false;
    int n = 0, value = 0;
    QString text; // as given, for messages
};

std::optional<Change> parseChange(const QString& option, const QString& value) {
    Change change{false, 0, 0, option + u' ' + value};
    const int inputs = ReceiverSettings::kInputs;
    if (option == QLatin1String("--auto")) {
        const auto n = NumberIn(value, 1, inputs);
        if (!n) return std::nullopt;
        change.autoCalibrate = true;
        change.n = *n - 1;
        return change;
    }
    const qsizetype eq = value.indexOf(u'=');
    if (option != QLatin1String("--ref") || eq < 0) return std::nullopt;
    const auto n = NumberIn(value.left(eq), 1, inputs);
    const auto v = NumberIn(value.mid(eq + 1), 0, QmxBoard::Receiver::kReferenceMax);
    if (!n || !v) return std::nullopt;
    change.n = *n - 1;
    change.value = *v;
    return change;
}

bool apply(ReceiverFlows& flows, const Change& c) {
    if (c.autoCalibrate) return flows.AutoCalibrate(c.n);
    // The bar is dragged to the value and let go.
    return flows.MoveReference(c.n, c.value) && flows.EndReference(c.n);
}

// A listing scripts read: the same in every language.
void print(const ReceiverSettings& s, bool reported, CliServices& io) {
    for (int n = 0; n < ReceiverSettings::kInputs; ++n) {
        // not translated: a listing scripts read
        io.out() << "PA" << n + 1 << " ref " << s.ref[size_t(n)];
        // not translated: a listing scripts read
        if (reported) io.out() << " measure " << s.meas[size_t(n)] << " amount " << s.amount(n);
        io.out() << Qt::endl;
    }
    // not translated: a listing scripts read
    if (reported) io.out() << "buttons " << s.button << Qt::endl;
}

} // namespace

int CmdBoardReceiver(const VerbArgs& args, CliServices& io) {
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
    ReceiverSettings settings;
    ReceiverFlows flows(state.board, settings);
    // The dialog shows the values of every report while it is open.
    bool reported = false;
    QEventLoop waitForReport;
    QObject::connect(&state.board, &BoardCommands::receiverReport,
                     [&](int button, const QList<int>& values) {
                         flows.TakeReport(button, values);
                         reported = true;
                         waitForReport.quit();
                     });
    if (!OpenCliPort(state, port, io)) return 1;

    if (!flows.Open()) {
        state.link.ClosePort();
        io.failed(QStringLiteral("board receiver"), flows.problem());
        return 1;
    }
    if (!reported) {
        QTimer::singleShot(kReportWaitMs, &waitForReport, &QEventLoop::quit);
        waitForReport.exec();
    }
    if (!reported)
        io.note(QStringLiteral("board receiver"),
                Cli::tr("no receiver report arrived; the measured values are not known"));
    bool ok = true;
    // A failed change is told and the rest still made, as in the dialog.
    for (const Change& c : changes) {
        if (apply(flows, c)) continue;
        io.note(QStringLiteral("board receiver"),
                state.link.failureWith(Cli::tr("%1 failed").arg(c.text)));
        ok = false;
    }
    if (!flows.Close()) {
        io.failed(QStringLiteral("board receiver"), flows.problem());
        ok = false;
    }
    state.link.ClosePort();
    // A failed command prints no values: they might not be what the board holds.
    if (!ok) return 1;
    print(settings, reported, io);
    return 0;
}

} // namespace qvx
