#include "fuzz/ModelFuzz.h"

#include "fuzz/FuzzCheck.h"
#include "preview/ChannelMapping.h"
#include "preview/RobotModel.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <cmath>

namespace qvx {

int FuzzModels(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir dir;
    if (!dir.isValid()) return 0;
    const QByteArray text(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const std::optional<RobotModel> model =
        RobotModel::Parse(text, dir.filePath(QStringLiteral("model.urdf")), &error);
    if (!model) {
        FuzzCheck(error.startsWith(QStringLiteral("cannot read the robot model ")),
                  "refusal without the model's name");
        return 0;
    }
    // A tree: every link once in the order, each after the link above it.
    const auto& links = model->links();
    FuzzCheck(model->linkOrder().size() == links.size(), "links outside the tree");
    std::vector<int> place(links.size(), -1);
    for (std::size_t i = 0; i < model->linkOrder().size(); ++i) {
        const int l = model->linkOrder()[i];
        FuzzCheck(l >= 0 && std::size_t(l) < links.size() && place[std::size_t(l)] < 0,
                  "link twice in the order");
        place[std::size_t(l)] = int(i);
    }
    for (const ModelJoint& j : model->joints())
        FuzzCheck(place[std::size_t(j.parentLink)] < place[std::size_t(j.childLink)],
                  "child before its parent");
    // Every channel at a far position gives finite joint values within limits.
    ChannelValues words;
    words.fill(Pose::kHighestPosition);
    for (const JointState& s : ChannelMapping::ForModel(*model).jointPose(*model, words))
        FuzzCheck(std::isfinite(s.value), "joint value not finite");
    return 0;
}

} // namespace qvx
