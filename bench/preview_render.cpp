// The robot preview's speed, each row the median of many runs:
//  - the default humanoid: one pose change (channel words to joint values,
//    kinematics) to a repainted 640 x 480 frame; goal < 8 ms;
//  - a model whose one mesh is an STL of 200 000 triangles: reading it
//    (goal < 1 s) and one frame of it (goal < 33 ms).
#include "Median.h"
#include "preview/ChannelMapping.h"
#include "preview/RobotModel.h"
#include "preview/RobotRenderer.h"
#include "preview/RobotScene.h"
#include "preview/ViewCamera.h"

#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

using namespace qvx;

namespace {

constexpr QSize kFrame(640, 480);

// A bumpy sphere of rings x segments x 2 triangles as a binary STL.
bool writeSphereStl(const QString& path, int rings, int segments) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    QByteArray header(80, ' ');
    f.write(header);
    const quint32 count = quint32(rings * segments * 2);
    f.write(reinterpret_cast<const char*>(&count), 4);
    const auto point = [&](int r, int s) {
        const double polar = M_PI * r / rings, around = 2 * M_PI * s / segments;
        const double radius = 0.1 * (1 + 0.05 * std::sin(7 * around) * std::sin(5 * polar));
        return std::array<float, 3>{float(radius * std::sin(polar) * std::cos(around)),
                                    float(radius * std::sin(polar) * std::sin(around)),
                                    float(radius * std::cos(polar))};
    };
    const auto facet = [&](std::array<float, 3> a, std::array<float, 3> b, std::array<float, 3> c) {
        const float normal[3] = {0, 0, 0};
        f.write(reinterpret_cast<const char*>(normal), 12);
        for (const auto& p : {a, b, c})
            f.write(reinterpret_cast<const char*>(p.data()), 12);
        f.write("\0\0", 2);
    };
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            facet(point(r, s), point(r + 1, s), point(r + 1, s + 1));
            facet(point(r, s), point(r + 1, s + 1), point(r, s + 1));
        }
    return f.error() == QFile::NoError;
}

double frameMs(const std::shared_ptr<const RobotModel>& model, int runs, bool poseChange) {
    const RobotRenderer renderer(model);
    RobotScene scene(model);
    const ChannelMapping mapping = ChannelMapping::ForModel(*model);
    ViewCamera camera;
    camera.setView(ViewDirection::Iso);
    QImage image(kFrame, QImage::Format_RGB32);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        ChannelValues words;
        words.fill(Pose::kNeutral);
        for (std::size_t c = 0; c < words.size(); ++c)
            words[c] = quint16(Pose::kNeutral + int(300 * std::sin(i * 0.1 + double(c))));
        QElapsedTimer t;
        t.start();
        if (poseChange) scene.setPose(mapping.jointPose(*model, words));
        QPainter painter(&image);
        renderer.draw(painter, kFrame, &scene, camera);
        painter.end();
        times.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return median(times);
}

} // namespace

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    QString error;
    std::optional<RobotModel> humanoid = RobotModel::Load(RobotModel::DefaultModelPath(), &error);
    if (!humanoid) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    std::printf("default model, pose change to frame: %.2f ms (goal < 8)\n",
                frameMs(std::make_shared<const RobotModel>(std::move(*humanoid)), 300, true));

    QTemporaryDir dir;
    if (!writeSphereStl(dir.filePath(QStringLiteral("big.stl")), 250, 400)) return 1;
    const QString urdf = dir.filePath(QStringLiteral("big.urdf"));
    QFile f(urdf);
    if (!f.open(QIODevice::WriteOnly)) return 1;
    f.write("<robot name=\"big\"><link name=\"base\"><visual><geometry><mesh "
            "filename=\"big.stl\"/></geometry></visual></link></robot>\n");
    f.close();
    std::vector<double> loads;
    std::shared_ptr<const RobotModel> big;
    for (int i = 0; i < 5; ++i) {
        QElapsedTimer t;
        t.start();
        std::optional<RobotModel> model = RobotModel::Load(urdf, &error);
        loads.push_back(double(t.nsecsElapsed()) / 1e6);
        if (!model) {
            std::fprintf(stderr, "%s\n", qPrintable(error));
            return 1;
        }
        big = std::make_shared<const RobotModel>(std::move(*model));
    }
    std::printf("200 000-triangle STL: read %.0f ms (goal < 1000), frame %.2f ms (goal < 33)\n",
                median(loads), frameMs(big, 50, false));
    return 0;
}
