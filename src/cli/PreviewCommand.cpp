#include "app/AppState.h"
#include "app/Settings.h"
#include "cli/CliArgs.h"
#include "cli/CliPort.h"
#include "cli/CliRobot.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "compiler/MotionTransfer.h"
#include "document/Chart.h"
#include "document/DocumentFile.h"
#include "document/IniFile.h"
#include "document/MotionHeader.h"
#include "preview/ChannelMapping.h"
#include "preview/RobotModel.h"
#include "preview/RobotRenderer.h"
#include "preview/RobotScene.h"
#include "preview/SlotRecord.h"
#include "preview/ViewCamera.h"

#include <QImage>
#include <QRegularExpression>
#include <QSaveFile>
#include <limits>

namespace qvx {

namespace {

const QString kVerb = QStringLiteral("preview");
constexpr int kMinSide = 16;
constexpr int kMaxSide = 4096;

std::optional<QSize> parseSize(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch()) return std::nullopt;
    const QSize size(m.captured(1).toInt(), m.captured(2).toInt());
    if (size.width() < kMinSide || size.height() < kMinSide || size.width() > kMaxSide ||
        size.height() > kMaxSide)
        return std::nullopt;
    return size;
}

// The channel words of POS item n of a QMX document; nothing (with the
// message given) when the file or the item cannot be used.
std::optional<ChannelValues> readPoseItem(const QString& path, int n, CliServices& io) {
    Chart chart;
    MotionHeader header;
    DocumentContext ctx{chart, header, io};
    DocumentSource source = DocumentFile::ReadSource(path);
    const int kind = DocumentFile::DetectFileKind(source);
    const int problems = io.messageCount;
    if ((kind != MotionChart && kind != ScenarioChart) ||
        !DocumentFile::LoadDocument(ctx, source) || io.messageCount != problems) {
        io.failed(kVerb, CannotOpenText(path));
        return std::nullopt;
    }
    if (!chart.validItem(n)) {
        io.failed(kVerb, Cli::tr("%1 has no item %2").arg(path).arg(n));
        return std::nullopt;
    }
    const Item& item = chart.items[std::size_t(n)];
    if (item.kind != KindPos) {
        io.failed(kVerb, NotPosItemText(path, n, item.name, KindLabel(item.kind)));
        return std::nullopt;
    }
    return item.values;
}

} // namespace

// The pose of record `index` (from 0) of motion `slot`, read from the board on
// port; nothing, after the failure line, when it cannot be had.
std::optional<ChannelValues> readRecordPose(const QString& port, int slot, int index,
                                            CliServices& io) {
    AppState state;
    state.link.setServices(&io);
    if (!OpenCliPort(state, port, io)) return std::nullopt;
    SlotRecord reader(state.board);
    const std::optional<MotionRecord> record = reader.read(slot, index);
    state.link.ClosePort();
    if (!record) {
        io.failed(kVerb, reader.failure());
        return std::nullopt;
    }
    return record->words;
}

int CmdPreview(const VerbArgs& args, CliServices& io) {
    // The pose comes from an item of a document, or from a record on a board.
    const bool fromBoard = args.has(QStringLiteral("record"));
    if (fromBoard && (!args.positional().isEmpty() || args.has(QStringLiteral("item"))))
        return args.usage(Cli::tr("give FILE --item N or --record M:R --port PATH, not both"), io);
    if (fromBoard) {
        if (const auto refused = args.require(QStringLiteral("port"), io)) return *refused;
    } else {
        if (const auto refused = args.requireCount(1, Cli::tr("a document"), io)) return *refused;
        if (const auto refused = args.require(QStringLiteral("item"), io)) return *refused;
    }
    if (const auto refused = args.require(QStringLiteral("png"), io)) return *refused;
    const QString itemText = args.value(QStringLiteral("item"));
    const QString recordText = args.value(QStringLiteral("record"));
    const QString out = args.value(QStringLiteral("png"));
    const QString sizeText = args.has(QStringLiteral("size")) ? args.value(QStringLiteral("size"))
                                                              : QStringLiteral("640x480");
    const QString viewText = args.has(QStringLiteral("view")) ? args.value(QStringLiteral("view"))
                                                              : QStringLiteral("iso");
    QString modelPath = args.value(QStringLiteral("model"));
    int n = 0, slot = 0, index = 0;
    if (fromBoard) {
        const QStringList parts = recordText.split(u':');
        const std::optional<int> m =
            parts.size() == 2 ? NumberIn(parts[0], 0, QmxBoard::kMotionSlots - 1) : std::nullopt;
        const std::optional<int> r =
            parts.size() == 2 ? NumberIn(parts[1], 1, QmxBoard::kMaxRecords) : std::nullopt;
        if (!m || !r)
            return args.usage(Cli::tr("--record must be M:R, a motion slot 0..%1 and a "
                                      "record 1..%2, not %3")
                                  .arg(QmxBoard::kMotionSlots - 1)
                                  .arg(QmxBoard::kMaxRecords)
                                  .arg(recordText),
                              io);
        slot = *m;
        index = *r - 1;
    } else {
        const std::optional<int> item = NumberIn(itemText, 0, std::numeric_limits<int>::max());
        if (!item)
            return args.usage(Cli::tr("the item number \"%1\" is not a number").arg(itemText), io);
        n = *item;
    }
    const std::optional<QSize> size = parseSize(sizeText);
    if (!size)
        return args.usage(Cli::tr("the size \"%1\" is not WIDTHxHEIGHT, each from %2 to %3")
                              .arg(sizeText)
                              .arg(kMinSide)
                              .arg(kMaxSide),
                          io);
    const std::optional<ViewDirection> view = ViewDirectionFromName(viewText);
    if (!view)
        return args.usage(Cli::tr("the view \"%1\" is not front, side, top or iso").arg(viewText),
                          io);

    const std::optional<CliRobot> robot = LoadCliRobot(modelPath, kVerb, io);
    if (!robot) return 1;
    const std::shared_ptr<const RobotModel>& model = robot->model;
    const ChannelMapping& mapping = robot->mapping;

    const std::optional<ChannelValues> words =
        fromBoard ? readRecordPose(args.value(QStringLiteral("port")), slot, index, io)
                  : readPoseItem(args.positional()[0], n, io);
    if (!words) return 1;

    RobotScene scene(model);
    scene.setPose(mapping.jointPose(*model, *words));
    ViewCamera camera;
    camera.setView(*view);
    const QImage picture = RobotRenderer(model).render(*size, &scene, camera);
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
        io.failed(kVerb, Cli::tr("cannot write %1: %2").arg(out, file.errorString()));
        return 1;
    }
    io.out() << Cli::tr("%1 drawn to %2")
                    .arg(fromBoard ? MotionTransfer::RecordName(slot, index)
                                   : Cli::tr("item %1").arg(n),
                         out)
             << Qt::endl;
    return 0;
}

} // namespace qvx
