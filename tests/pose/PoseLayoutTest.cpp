#include "common/TestRegistry.h"
#include "document/IniFile.h"
#include "pose/PoseLayout.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace qvx;

// The pose window's layout as the settings file keeps it.
class PoseLayoutTest : public QObject {
    Q_OBJECT
  private slots:
    void defaults_withoutASettingsFile() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QVX3J.ini"));
        const std::optional<PoseLayout> layout = PoseLayout::Load(path);
        QVERIFY(layout);
        QCOMPARE(layout->panels[12].place, QPoint(254, 0));   // CH13
        QCOMPARE(layout->panels[23].place, QPoint(254, 264)); // CH24
        QCOMPARE(layout->panels[PoseLayout::kCommandPanel - 1].place, QPoint(0, 312));
        QCOMPARE(layout->panels[PoseLayout::kLinkPanel - 1].place, QPoint(254, 288));
        QCOMPARE(layout->channels[4].name, QStringLiteral("CH5"));
        QCOMPARE(QSize(layout->clientWidth, layout->clientHeight), QSize(508, 336));
        // The test write created the file.
        QVERIFY(QFile::exists(path));

        // The defaults are written as the design spells them.
        IniFile ini;
        layout->Write(ini);
        QCOMPARE(ini.readString("QVX3", "CH13", {}), QStringLiteral("1,254,0,-2147483633,0,1,CH13"));
        QCOMPARE(ini.readString("QVX3", "CMD", {}), QStringLiteral("1,0,312,-2147483633"));
        QCOMPARE(ini.readString("QVX3", "Form", {}), QStringLiteral("508,336,-2147483633"));
    }

    void roundTrip_keepsNamesRatesAndOtherKeys() {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("QVX3J.ini"));
        {
            IniFile ini(path);
            ini.writeString("QVX3", "Grid", "1");
            ini.writeString("Ports", "COM1", "/dev/ttyACM0");
            QVERIFY(ini.save());
        }
        PoseLayout layout;
        layout.channels[0].name = QStringLiteral("Right shoulder");
        layout.channels[1].name = QStringLiteral("a,\"b\"");
        layout.channels[2].rate = 0.5f;
        layout.channels[3].rate = -1.0f;
        layout.channels[4].rate = 0.1f;
        layout.channels[5].kind = ChannelKind::Param;
        layout.panels[6].visible = false;
        layout.panels[7].place = QPoint(700, 900);
        layout.panels[8].colour = 0x0000FF;
        layout.clientWidth = 640;
        layout.picturePath = QStringLiteral("/pictures/robot 1.jpg");
        layout.backgroundShown = true;
        QVERIFY(layout.Save(path));

        const std::optional<PoseLayout> back = PoseLayout::Load(path);
        QVERIFY(back);
        for (int k = 0; k < 24; ++k) {
            QCOMPARE(back->channels[size_t(k)].name, layout.channels[size_t(k)].name);
            QCOMPARE(back->channels[size_t(k)].rate, layout.channels[size_t(k)].rate);
            QCOMPARE(back->channels[size_t(k)].kind, layout.channels[size_t(k)].kind);
        }
        for (int p = 0; p < PoseLayout::kPanels; ++p) {
            QCOMPARE(back->panels[size_t(p)].visible, layout.panels[size_t(p)].visible);
            QCOMPARE(back->panels[size_t(p)].place, layout.panels[size_t(p)].place);
            QCOMPARE(back->panels[size_t(p)].colour, layout.panels[size_t(p)].colour);
        }
        QCOMPARE(back->clientWidth, 640);
        QCOMPARE(back->picturePath, layout.picturePath);
        QVERIFY(back->backgroundShown);

        IniFile ini(path);
        QVERIFY(ini.load());
        QCOMPARE(ini.readString("QVX3", "CH1", {}), QStringLiteral("1,0,0,-2147483633,0,1,\"Right shoulder\""));
        QCOMPARE(ini.readString("QVX3", "CH3", {}), QStringLiteral("1,0,48,-2147483633,0,0.5,CH3"));
        QCOMPARE(ini.readString("QVX3", "CH5", {}).section(u',', 5, 5), QStringLiteral("0.1"));
        QCOMPARE(ini.readString("QVX3", "Grid", {}), QStringLiteral("1"));
        QCOMPARE(ini.readString("Ports", "COM1", {}), QStringLiteral("/dev/ttyACM0"));
    }

    void unreadableValues_takeTheirDefaults() {
        IniFile ini;
        ini.writeString("QVX3", "CH2", "yes,abc,,12,9,fast");
        ini.writeString("QVX3", "CH3", "1,5,6,7,4,0,5");
        ini.writeString("QVX3", "SPEED", "1");
        ini.writeString("QVX3", "Form", "wide");
        PoseLayout layout;
        layout.Read(ini);
        const PoseLayout::Panel& ch2 = layout.panels[1];
        QVERIFY(!ch2.visible); // only "1" shows a panel
        QCOMPARE(ch2.place, QPoint(0, 24));
        QCOMPARE(ch2.colour, 12u);
        QCOMPARE(layout.channels[1].kind, ChannelKind::None); // 9 is no display kind
        QCOMPARE(layout.channels[1].rate, 1.0f);
        QCOMPARE(layout.channels[1].name, QStringLiteral("CH2")); // no name given
        // A rate of 0 from the file is kept (typed entries are ignored for it);
        // a comma stands for the decimal point as well.
        QCOMPARE(layout.channels[2].rate, 0.0f);
        QCOMPARE(layout.channels[2].name, QStringLiteral("5"));
        QCOMPARE(PoseLayout::ParseRate(QStringLiteral("0,25")), std::optional<float>(0.25f));
        QVERIFY(!PoseLayout::ParseRate(QStringLiteral("inf")));
        QCOMPARE(layout.panels[PoseLayout::kSpeedPanel - 1].place, QPoint(0, 288));
        QCOMPARE(layout.clientWidth, 508);
    }

    void unwritableSettings_neitherLoadNorSave() {
        QTemporaryDir dir;
        // A folder where the file should be cannot be written back.
        const QString path = dir.filePath(QStringLiteral("QVX3J.ini"));
        QVERIFY(QDir().mkpath(path));
        QVERIFY(!PoseLayout::Load(path));
        QVERIFY(!PoseLayout().Save(path));
    }
};

QVX_TEST_CLASS(PoseLayoutTest)
#include "PoseLayoutTest.moc"
