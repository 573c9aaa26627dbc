#include "app/AppState.h"
#include "app/Settings.h"
#include "cli/CliArgs.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "document/IniFile.h"
#include "pose/PoseLayout.h"
#include "timeline/MotionTimeline.h"
#include "timeline/TimelineChart.h"

#include <QBuffer>
#include <QSaveFile>

namespace qvx {

namespace {

const QString kVerb = QStringLiteral("timeline");
constexpr int kMaxLimitMs = 600000;
const QSize kPictureSize(1280, 720);

// The samples as lines of text: a header, then the time in ms and the 24
// channels as the pose window shows them (empty when no servo position).
QByteArray samplesText(const Timeline& t, const TimelineLabels& labels) {
    QByteArray out = "ms";
    for (int c = 0; c < QmxBoard::kChannels; ++c)
        out += ",CH" + QByteArray::number(c + 1);
    out += '\n';
    for (size_t i = 0; i < t.outputs.size(); ++i) {
        out += QByteArray::number(qint64(i) * Timeline::kSampleMs);
        for (int c = 0; c < QmxBoard::kChannels; ++c) {
            out += ',';
            if (const auto v = ShownOutput(t.outputs[i][size_t(c)], labels.rates[size_t(c)]))
                out += QByteArray::number(*v);
        }
        out += '\n';
    }
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes, CliServices& io) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        io.failed(kVerb, Cli::tr("cannot write %1: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int CmdTimeline(const VerbArgs& args, CliServices& io) {
    // Every input is checked before anything is computed or written.
    QString error;
    const std::optional<TimelineInputs> inputs =
        TimelineInputs().parsed(args.value(QStringLiteral("inputs")), &error);
    // not translated: a form
    if (!inputs) return args.usage(QStringLiteral("--inputs: %1").arg(error), io);
    int limitMs = Timeline::kDefaultLimitMs;
    if (args.has(QStringLiteral("limit"))) {
        const std::optional<int> limit =
            NumberIn(args.value(QStringLiteral("limit")), Timeline::kSampleMs, kMaxLimitMs);
        if (!limit)
            return args.usage(Cli::tr("--limit must be a number of ms from %1 to %2")
                                  .arg(Timeline::kSampleMs)
                                  .arg(kMaxLimitMs),
                              io);
        limitMs = *limit;
    }
    AppState state;
    if (const int status = OpenAndCompile(args, io, state)) return status;
    if (state.compiler.showsScenario()) {
        io.failed(kVerb, Cli::tr("%1 is a scenario chart; a timeline shows a motion chart")
                             .arg(args.positional()[0]));
        return 1;
    }

    // Positions are shown as the pose window shows them: its display rates
    // and channel names come from the settings file, read only.
    IniFile settings(Settings::SettingsPath());
    settings.load();
    PoseLayout layout;
    layout.Read(settings);
    const TimelineLabels labels(layout, state.chart);

    const Timeline t =
        ComputeTimeline(state.compiler.MotionImage(), state.compiler.StepItem(), *inputs, limitMs);
    const QByteArray samples = samplesText(t, labels);
    if (args.has(QStringLiteral("png"))) {
        QByteArray png;
        QBuffer buffer(&png);
        buffer.open(QIODevice::WriteOnly);
        TimelineChart::Draw(t, labels, kPictureSize).save(&buffer, "PNG");
        if (!writeFile(args.value(QStringLiteral("png")), png, io)) return 1;
    }
    if (args.has(QStringLiteral("csv"))) {
        if (!writeFile(args.value(QStringLiteral("csv")), samples, io)) return 1;
    } else if (!args.has(QStringLiteral("png"))) {
        io.out() << samples;
        io.out().flush();
    }
    if (!t.ended) io.err() << TimelineLimitText(t.limitMs) << Qt::endl;
    return 0;
}

} // namespace qvx
