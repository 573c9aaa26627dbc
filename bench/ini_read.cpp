// INI reading figures: a document with many keys in one section, loaded as
// `qvx info` and start-up do, and the settings file test write at start-up.
#include "Median.h"
#include "app/Settings.h"
#include "document/IniFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <vector>

using namespace qvx;

namespace {

QByteArray manyKeys(int keys) {
    QByteArray text = "[GraphicalEdit]\r\nType=0\r\n";
    for (int i = 0; i < keys; ++i)
        text += "Key" + QByteArray::number(i) + "=" + QByteArray::number(i * 7) + "\r\n";
    return text;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    for (int keys : {40000, 100000, 400000}) {
        const QString path = dir.filePath(QStringLiteral("keys%1.ini").arg(keys));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly)) return 1;
        f.write(manyKeys(keys));
        f.close();
        std::vector<double> load, start;
        for (int run = 0; run < 5; ++run) {
            QElapsedTimer t;
            t.start();
            IniFile ini(path);
            if (!ini.load() || ini.readInteger("GraphicalEdit", "Key17", -1) != 119) return 1;
            load.push_back(double(t.nsecsElapsed()) / 1e6);
            t.restart();
            // Start-up: the settings file read and written back unchanged.
            Settings::LoadSettings(path);
            start.push_back(double(t.nsecsElapsed()) / 1e6);
        }
        std::printf("%6d keys in one section (%lld bytes): load %.1f ms, settings read and test "
                    "write %.1f ms (median of 5)\n",
                    keys, static_cast<long long>(QFile(path).size()), median(load),
                    median(start));
    }
    return 0;
}
