#include "app/Settings.h"
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

namespace qvx {

namespace {

constexpr char kUsage[] = "qvx preview FILE --item N --png OUT [--size WxH] "
                          "[--view front|side|top|iso] [--model URDF]";
constexpr int kMinSide = 16;
constexpr int kMaxSide = 4096;

int usage(CliServices& io) {
    io.err() << "usage: " << kUsage << Qt::endl;
    return 2;
}

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
        io.err() << "cannot open " << path << ": " << DocumentFile::CantUseText() << Qt::endl;
        return std::nullopt;
    }
    if (!chart.validItem(n)) {
        io.err() << path << " has no item " << n << Qt::endl;
        return std::nullopt;
    }
    const Item& item = chart.items[std::size_t(n)];
    if (item.kind != KindPos) {
        io.err() << path << ": item " << n << " (\"" << item.name << "\") is a "
                 << KindLabel(item.kind) << " item, not a POS item" << Qt::endl;
        return std::nullopt;
    }
    return item.values;
}

} // namespace

int CmdPreview(const QStringList& args, CliServices& io) {
    QString path, itemText, out, sizeText = QStringLiteral("640x480"),
                                 viewText = QStringLiteral("iso"), modelPath;
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        QString* value = a == QLatin1String("--item")    ? &itemText
                         : a == QLatin1String("--png")   ? &out
                         : a == QLatin1String("--size")  ? &sizeText
                         : a == QLatin1String("--view")  ? &viewText
                         : a == QLatin1String("--model") ? &modelPath
                                                         : nullptr;
        if (value && i + 1 < args.size())
            *value = args[++i];
        else if (value || a.startsWith(QLatin1String("--")) || !path.isEmpty())
            return usage(io);
        else
            path = a;
    }
    if (path.isEmpty() || itemText.isEmpty() || out.isEmpty()) return usage(io);
    bool ok = false;
    const int n = itemText.toInt(&ok);
    if (!ok) {
        io.err() << "the item number \"" << itemText << "\" is not a number" << Qt::endl;
        return usage(io);
    }
    const std::optional<QSize> size = parseSize(sizeText);
    if (!size) {
        io.err() << "the size \"" << sizeText << "\" is not WIDTHxHEIGHT, each from " << kMinSide
                 << " to " << kMaxSide << Qt::endl;
        return usage(io);
    }
    const std::optional<ViewDirection> view = ViewDirectionFromName(viewText);
    if (!view) {
        io.err() << "the view \"" << viewText << "\" is not front, side, top or iso" << Qt::endl;
        return usage(io);
    }

    if (modelPath.isEmpty()) modelPath = RobotModel::DefaultModelPath();
    if (modelPath.isEmpty()) {
        io.err() << "the default robot model " << RobotModel::kDefaultModelName
                 << " is not installed; name one with --model" << Qt::endl;
        return 1;
    }
    QString error;
    std::optional<RobotModel> read = RobotModel::Load(modelPath, &error);
    if (!read) {
        io.err() << error << Qt::endl;
        return 1;
    }
    const auto model = std::make_shared<const RobotModel>(std::move(*read));

    // The channel mapping of the settings file, read only.
    IniFile settings(Settings::SettingsPath());
    settings.load();
    const std::optional<ChannelMapping> mapping =
        ChannelMapping::FromSettings(settings, *model, &error);
    if (!mapping) {
        io.err() << error << Qt::endl;
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
        io.err() << "cannot write " << out << ": " << file.errorString() << Qt::endl;
        return 1;
    }
    io.out() << "item " << n << " drawn to " << out << Qt::endl;
    return 0;
}

} // namespace qvx
