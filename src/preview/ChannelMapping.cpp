#include "preview/ChannelMapping.h"

#include "document/IniFile.h"
#include "preview/RobotModel.h"

#include <QCoreApplication>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace qvx {

namespace {

QString channelKey(int n) {
    return QStringLiteral("CH%1").arg(n);
}

// The joint value a channel drive gives for a position: radians for a turning
// joint, metres for a sliding one.
double driveValue(const ChannelDrive& d, const ModelJoint& joint, int position) {
    const double amount =
        d.sign * (position - int(Pose::kNeutral)) * d.degreesPerUnit + d.offsetDegrees;
    return joint.kind == JointKind::Prismatic ? amount / 1000.0 : amount * std::numbers::pi / 180.0;
}

} // namespace

ChannelMapping ChannelMapping::ForModel(const RobotModel& model) {
    ChannelMapping mapping;
    std::size_t n = 0;
    for (const ModelJoint& j : model.joints())
        if (j.movable() && n < mapping.drives.size()) mapping.drives[n++].joint = j.name;
    return mapping;
}

std::optional<ChannelMapping> ChannelMapping::Read(const IniFile& ini, QString* error) {
    if (!ini.sectionExists(QLatin1String(kSection))) return std::nullopt;
    ChannelMapping mapping;
    for (int n = 1; n <= Pose::kChannels; ++n) {
        const QString value =
            ini.readString(QLatin1String(kSection), channelKey(n), QString()).trimmed();
        ChannelDrive& d = mapping.drives[std::size_t(n - 1)];
        if (value.isEmpty()) {
            d.joint.clear();
            continue;
        }
        const auto refuse = [&](const QString& reason) {
            *error = QCoreApplication::translate("ChannelMapping",
                                                 "settings file %1, section [%2], key %3: %4")
                         .arg(ini.path(), QLatin1String(kSection), channelKey(n), reason);
            return std::nullopt;
        };
        const QStringList parts = value.split(QLatin1Char(','));
        if (parts.size() < 4)
            return refuse(QCoreApplication::translate(
                              "ChannelMapping", "\"%1\" is not SIGN,DEGREES PER UNIT,OFFSET,JOINT")
                              .arg(value));
        bool signOk = false, rateOk = false, offsetOk = false;
        d.sign = parts[0].trimmed().toInt(&signOk);
        d.degreesPerUnit = parts[1].trimmed().toDouble(&rateOk);
        d.offsetDegrees = parts[2].trimmed().toDouble(&offsetOk);
        d.joint = parts.mid(3).join(QLatin1Char(',')).trimmed();
        if (!signOk || (d.sign != 1 && d.sign != -1))
            return refuse(
                QCoreApplication::translate("ChannelMapping", "the sign \"%1\" is not 1 or -1")
                    .arg(parts[0].trimmed()));
        if (!rateOk || !std::isfinite(d.degreesPerUnit) || d.degreesPerUnit <= 0)
            return refuse(
                QCoreApplication::translate("ChannelMapping",
                                            "the degrees per unit \"%1\" is not a number above 0")
                    .arg(parts[1].trimmed()));
        if (!offsetOk || !std::isfinite(d.offsetDegrees))
            return refuse(
                QCoreApplication::translate("ChannelMapping", "the offset \"%1\" is not a number")
                    .arg(parts[2].trimmed()));
        if (d.joint.isEmpty())
            return refuse(QCoreApplication::translate("ChannelMapping", "it names no joint"));
    }
    return mapping;
}

std::optional<ChannelMapping>
ChannelMapping::FromSettings(const IniFile& ini, const RobotModel& model, QString* error) {
    error->clear();
    std::optional<ChannelMapping> mapping = Read(ini, error);
    if (!mapping && error->isEmpty()) mapping = ForModel(model);
    return mapping;
}

void ChannelMapping::write(IniFile& ini) const {
    for (int n = 1; n <= Pose::kChannels; ++n) {
        const ChannelDrive& d = drives[std::size_t(n - 1)];
        ini.writeString(QLatin1String(kSection), channelKey(n),
                        d.joint.isEmpty() ? QString()
                                          : QStringLiteral("%1,%2,%3,%4")
                                                .arg(d.sign)
                                                .arg(d.degreesPerUnit, 0, 'g', 17)
                                                .arg(d.offsetDegrees, 0, 'g', 17)
                                                .arg(d.joint));
    }
}

QStringList ChannelMapping::check(const RobotModel& model) const {
    QStringList faults;
    for (int n = 1; n <= Pose::kChannels; ++n) {
        const QString& joint = drives[std::size_t(n - 1)].joint;
        if (joint.isEmpty()) continue;
        const int index = model.jointIndex(joint);
        if (index < 0)
            faults << QCoreApplication::translate(
                          "ChannelMapping",
                          "CH%1 drives joint \"%2\", which the robot model %3 does not "
                          "have; the channel moves nothing")
                          .arg(n)
                          .arg(joint, model.path());
        else if (!model.joints()[std::size_t(index)].movable())
            faults << QCoreApplication::translate(
                          "ChannelMapping",
                          "CH%1 drives joint \"%2\" of the robot model %3, which does "
                          "not move; the channel moves nothing")
                          .arg(n)
                          .arg(joint, model.path());
    }
    return faults;
}

JointPose ChannelMapping::jointPose(const RobotModel& model, const ChannelValues& words,
                                    const JointPose* previous) const {
    JointPose pose(model.joints().size());
    if (previous && previous->size() == pose.size())
        for (std::size_t i = 0; i < pose.size(); ++i)
            pose[i].value = (*previous)[i].value;
    for (int n = 1; n <= Pose::kChannels; ++n) {
        const ChannelDrive& d = drives[std::size_t(n - 1)];
        const int index = d.joint.isEmpty() ? -1 : model.jointIndex(d.joint);
        if (index < 0) continue;
        const ModelJoint& joint = model.joints()[std::size_t(index)];
        if (!joint.movable()) continue;
        JointState& state = pose[std::size_t(index)];
        state.channel = n;
        const quint16 word = words[std::size_t(n - 1)];
        if (ChannelKindOf(word) != ChannelKind::Servo) {
            state.limp = true;
            continue;
        }
        const double wanted = driveValue(d, joint, word);
        state.requested = wanted;
        state.value = joint.limited ? std::clamp(wanted, joint.lower, joint.upper) : wanted;
        state.atLimit = state.value != wanted;
    }
    return pose;
}

} // namespace qvx
