#include "cli/CliRobot.h"

#include "app/Settings.h"
#include "cli/CliServices.h"
#include "document/IniFile.h"

namespace qvx {

std::optional<CliRobot> LoadCliRobot(QString path, const QString& command, CliServices& io) {
    if (path.isEmpty()) path = RobotModel::DefaultModelPath();
    if (path.isEmpty()) {
        io.failed(command, Cli::tr("the default robot model %1 is not installed; name one with "
                                   "--model")
                               .arg(QLatin1String(RobotModel::kDefaultModelName)));
        return std::nullopt;
    }
    QString error;
    std::optional<RobotModel> read = RobotModel::Load(path, &error);
    if (!read) {
        io.failed(command, error);
        return std::nullopt;
    }
    auto model = std::make_shared<const RobotModel>(std::move(*read));
    IniFile settings(Settings::SettingsPath());
    settings.load();
    const std::optional<ChannelMapping> mapping =
        ChannelMapping::FromSettings(settings, *model, &error);
    if (!mapping) {
        io.failed(command, error);
        return std::nullopt;
    }
    for (const QString& fault : mapping->check(*model))
        io.err() << fault << Qt::endl;
    return CliRobot{std::move(model), *mapping};
}

} // namespace qvx
