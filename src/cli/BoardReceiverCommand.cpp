#include "app/AppState.h"
#include "cli/CliPort.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "settings/ReceiverFlows.h"

#include <QEventLoop>
#include <QObject>
#include <QTimer>

namespace qvx {

namespace {

const char* kReceiverUsage =
    "usage: qvx board --port DEVICE receiver [--ref N=V | --auto N]...\n"
    "The receiver input dialog. The dialog opens (the board starts sending its\n"
    "receiver reports and the references are read from the stored copy), the\n"
    "changes are made in the order given, each sent to the working copy as its\n"
    "control sends it, and closing saves the references to the stored copy.\n"
    "The references, the measured values of the last receiver report and the\n"
    "button input are printed.\n"
    "  --ref N=V   the reference bar of PA N (1..4) dragged to V (0..127)\n"
    "  --auto N    AUTO pressed on PA N";

// How long the tool waits for the board's first receiver report.
constexpr int kReportWaitMs = 1500;

struct Change {
    bool autoCalibrate = false;
    int n = 0, value = 0;
    QString text; // as given, for messages
};

std::optional<int> numberIn(const QString& text, int lo, int hi) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < lo || n > hi) return std::nullopt;
    return n;
}

std::optional<Change> parseChange(const QString& option, const QString& value) {
    Change change{false, 0, 0, option + u' ' + value};
    const int inputs = ReceiverSettings::kInputs;
    if (option == QLatin1String("--auto")) {
        const auto n = numberIn(value, 1, inputs);
        if (!n) return std::nullopt;
        change.autoCalibrate = true;
        change.n = *n - 1;
        return change;
    }
    const qsizetype eq = value.indexOf(u'=');
    if (option != QLatin1String("--ref") || eq < 0) return std::nullopt;
    const auto n = numberIn(value.left(eq), 1, inputs);
    const auto v = numberIn(value.mid(eq + 1), 0, QmxBoard::Receiver::kReferenceMax);
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

void print(const ReceiverSettings& s, bool reported, CliServices& io) {
    for (int n = 0; n < ReceiverSettings::kInputs; ++n) {
        io.out() << "PA" << n + 1 << " ref " << s.ref[size_t(n)];
        if (reported) io.out() << " measure " << s.meas[size_t(n)] << " amount " << s.amount(n);
        io.out() << Qt::endl;
    }
    if (reported) io.out() << "buttons " << s.button << Qt::endl;
}

int usage(CliServices& io) {
    io.err() << kReceiverUsage << Qt::endl;
    return 2;
}

} // namespace

int RunBoardReceiver(const QString& portGiven, const QStringList& args, CliServices& io) {
    // Everything is checked before anything goes to the board.
    QString port = portGiven;
    QList<Change> changes;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("--yes")) continue;
        const bool known = a == QLatin1String("--port") || a == QLatin1String("--ref") ||
                           a == QLatin1String("--auto");
        if (!known || i + 1 >= args.size()) return usage(io);
        const QString value = args[++i];
        if (a == QLatin1String("--port")) {
            port = value;
            continue;
        }
        const std::optional<Change> change = parseChange(a, value);
        if (!change) {
            io.err() << "qvx board receiver: cannot use " << a << ' ' << value << Qt::endl;
            return usage(io);
        }
        changes << *change;
    }
    if (port.isEmpty()) return usage(io);

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
        io.err() << "qvx board receiver failed: " << flows.problem() << Qt::endl;
        return 1;
    }
    if (!reported) {
        QTimer::singleShot(kReportWaitMs, &waitForReport, &QEventLoop::quit);
        waitForReport.exec();
    }
    if (!reported)
        io.err() << "qvx board receiver: no receiver report arrived; the measured values are "
                    "not known"
                 << Qt::endl;
    bool ok = true;
    // A failed change is told and the rest still made, as in the dialog.
    for (const Change& c : changes) {
        if (apply(flows, c)) continue;
        io.err() << "qvx board receiver: " << state.link.failureWith(c.text + " failed")
                 << Qt::endl;
        ok = false;
    }
    if (!flows.Close()) {
        io.err() << "qvx board receiver failed: " << flows.problem() << Qt::endl;
        ok = false;
    }
    state.link.ClosePort();
    // A failed command prints no values: they might not be what the board holds.
    if (!ok) return 1;
    print(settings, reported, io);
    return 0;
}

} // namespace qvx
