#include "app/Settings.h"
#include "app/SingleInstance.h"
#include "common/FileSizeLimit.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qvx;

class SettingsTest : public QObject {
    Q_OBJECT
private slots:
    void missingFile_givesDefaultsAndIsCreated() {
        QTemporaryDir dir;
        const QString path = dir.filePath("QVX3J.ini");
        const MainSettings s = Settings::LoadSettings(path);
        QCOMPARE(s.grid, false);
        QCOMPARE(s.gridWidth, 2);
        QCOMPARE(s.gridHeight, 2);
        QCOMPARE(s.commPort, 0);
        QVERIFY(QFile::exists(path));
    }

    void save_writesOwnKeysAndKeepsOthers() {
        QTemporaryDir dir;
        const QString path = dir.filePath("QVX3J.ini");
        {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write("[QVX3]\r\nPanelLeft1=12\r\ngridwidth=25\r\n\r\n[Ports]\r\nCOM3=/dev/ttyACM0\r\n\r\n");
        }
        MainSettings s = Settings::LoadSettings(path);
        QCOMPARE(s.gridWidth, 25);
        s.grid = true;
        s.gridWidth = 10;
        s.gridHeight = 12;
        s.commPort = 3;
        QVERIFY(Settings::SaveSettings(path, s));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("[QVX3]\r\nPanelLeft1=12\r\ngridwidth=10\r\nGrid=1\r\nGridHeight=12\r\n"
                                         "CommPort=3\r\n\r\n[Ports]\r\nCOM3=/dev/ttyACM0\r\n\r\n"));
        QCOMPARE(Settings::PortDevice(path, 3), QString("/dev/ttyACM0"));
        QCOMPARE(Settings::PortDevice(path, 1), QString("/dev/ttyUSB0"));
        const MainSettings back = Settings::LoadSettings(path);
        QCOMPARE(back.grid, true);
        QCOMPARE(back.gridHeight, 12);
        QCOMPARE(back.commPort, 3);
    }

    void unwritableSettings_areNotSaved() {
        QTemporaryDir dir;
        QVERIFY(!Settings::SaveSettings(dir.filePath("none/QVX3J.ini"), MainSettings{}));
    }

    void failedSave_keepsTheOldFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath("QVX3J.ini");
        const QByteArray old = "[QVX3]\r\nGrid=0\r\n\r\n";
        QVERIFY(qvxtest::writeFile(path, old));
        MainSettings s;
        s.grid = true;
        s.gridWidth = 30;
        s.commPort = 5;
        bool limited = false, saved = true;
        {
            // Room for the old file, not for the settings added to it.
            qvxtest::FileSizeLimit limit(rlim_t(old.size()));
            limited = limit.active();
            saved = Settings::SaveSettings(path, s);
        }
        QVERIFY(limited);
        QVERIFY(!saved);
        QCOMPARE(qvxtest::readFile(path), old);
        QVERIFY(Settings::SaveSettings(path, s));
        QCOMPARE(Settings::LoadSettings(path).gridWidth, 30);
    }

    void configDir_followsTheEnvironment() {
        QTemporaryDir dir;
        qputenv("QVX_CONFIG_DIR", dir.filePath("cfg").toUtf8());
        QCOMPARE(Settings::SettingsPath(), dir.filePath("cfg") + "/QVX3J.ini");
        qunsetenv("QVX_CONFIG_DIR");
    }

    void secondInstance_isRefusedUntilTheFirstEnds() {
        QTemporaryDir dir;
        auto first = std::make_unique<SingleInstance>(dir.path());
        QVERIFY(first->acquire());
        SingleInstance second(dir.path());
        QVERIFY(!second.acquire());
        first.reset();
        SingleInstance third(dir.path());
        QVERIFY(third.acquire());
    }
};

QVX_TEST_CLASS(SettingsTest)
#include "SettingsTest.moc"
