#include "app/Settings.h"
#include "cli/CliArgs.h"
#include "cli/CliServices.h"
#include "cli/Commands.h"
#include "document/Chart.h"
#include "document/DocumentFile.h"
#include "document/IniFile.h"
#include "document/MotionHeader.h"
#include "preview/ChannelMapping.h"
#include "preview/RobotModel.h"
#include "preview/RobotRenderer.h"
#include "preview/RobotScene.h"
#include "preview/ViewCamera.h"

#include <QImage>
#include <QRegularExpression>
#include <QSaveFile>
#include <limits>

namespace qvx {

namespace {

constexpr char kFailed[] = "qvx preview failed: ";
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
    const int kind = DocumentFile::DetectFileKind(path);
    const int problems = io.messageCount;
    if ((kind != MotionChart && kind != ScenarioChart) || !DocumentFile::LoadDocument(ctx, path) ||
        io.messageCount != problems) {
        io.err() << kFailed << "cannot open " << path << ": " << DocumentFile::CantUseText()
                 << Qt::endl;
        return std::nullopt;
    }
    if (!chart.validItem(n)) {
        io.err() << kFailed << path << " has no item " << n << Qt::endl;
        return std::nullopt;
    }
    const Item& item = chart.items[std::size_t(n)];
    if (item.kind != KindPos) {
        io.err() << kFailed << path << ": item " << n << " (\"" << item.name << "\") is a "
                 << KindLabel(item.kind) << " item, not a POS item" << Qt::endl;
        return std::nullopt;
    }
    return item.values;
}

} // namespace

int CmdPreview(const VerbArgs& args, CliServices& io) {
    if (const auto refused = args.requireCount(1, QStringLiteral("a document"), io))
        return *refused;
    for (const char* name : {"item", "png"})
        if (const auto refused = args.require(QLatin1String(name), io)) return *refused;
    const QString& path = args.positional()[0];
    const QString itemText = args.value(QStringLiteral("item"));
    const QString out = args.value(QStringLiteral("png"));
    const QString sizeText = args.has(QStringLiteral("size")) ? args.value(QStringLiteral("size"))
                                                              : QStringLiteral("640x480");
    const QString viewText = args.has(QStringLiteral("view")) ? args.value(QStringLiteral("view"))
                                                              : QStringLiteral("iso");
    QString modelPath = args.value(QStringLiteral("model"));
    const std::optional<int> item = NumberIn(itemText, 0, std::numeric_limits<int>::max());
    if (!item)
        return args.usage(QStringLiteral("the item number \"%1\" is not a number").arg(itemText),
                          io);
    const int n = *item;
    const std::optional<QSize> size = parseSize(sizeText);
    if (!size)
        return args.usage(QStringLiteral("the size \"%1\" is not WIDTHxHEIGHT, each from %2 to %3")
                              .arg(sizeText)
                              .arg(kMinSide)
                              .arg(kMaxSide),
                          io);
    const std::optional<ViewDirection> view = ViewDirectionFromName(viewText);
    if (!view)
        return args.usage(
            QStringLiteral("the view \"%1\" is not front, side, top or iso").arg(viewText), io);

    if (modelPath.isEmpty()) modelPath = RobotModel::DefaultModelPath();
    if (modelPath.isEmpty()) {
        io.err() << kFailed << "the default robot model " << RobotModel::kDefaultModelName
                 << " is not installed; name one with --model" << Qt::endl;
        return 1;
    }
    QString error;
    std::optional<RobotModel> read = RobotModel::Load(modelPath, &error);
    if (!read) {
        io.err() << kFailed << error << Qt::endl;
        return 1;
    }
    const auto model = std::make_shared<const RobotModel>(std::move(*read));

    // The channel mapping of the settings file, read only.
    IniFile settings(Settings::SettingsPath());
    settings.load();
    const std::optional<ChannelMapping> mapping =
        ChannelMapping::FromSettings(settings, *model, &error);
    if (!mapping) {
        io.err() << kFailed << error << Qt::endl;
        return 1;
    }
    for (const QString& fault : mapping->check(*model))
        io.err() << fault << Qt::endl;

    const std::optional<ChannelValues> words = readPoseItem(path, n, io);
    if (!words) return 1;

    RobotScene scene(model);
    scene.setPose(mapping->jointPose(*model, *words));
    ViewCamera camera;
    camera.setView(*view);
    const QImage picture = RobotRenderer(model).render(*size, &scene, camera);
    QSaveFile file(out);
    if (!file.open(QIODevice::WriteOnly) || !picture.save(&file, "PNG") || !file.commit()) {
        io.err() << kFailed << "cannot write " << out << ": " << file.errorString() << Qt::endl;
        return 1;
    }
    io.out() << "item " << n << " drawn to " << out << Qt::endl;
    return 0;
}

} // namespace qvx
