#include "document/IniFile.h"
#include "common/FileSizeLimit.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "document/Cp932.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using qvx::IniFile;

using qvxtest::readFile;
using qvxtest::writeFile;

class IniFileTest : public QObject {
    Q_OBJECT
private slots:
    void save_writesCp932WithCrLfAndBlankLineAfterEachSection() {
        QTemporaryDir dir;
        IniFile ini(dir.filePath("a.ini"));
        ini.writeString("One", "Name", QString::fromUtf8("無題"));
        ini.writeInteger("One", "N", -5);
        ini.writeString("Two", "Empty", "");
        QVERIFY(ini.save());
        QByteArray expected = "[One]\r\nName=";
        expected += QByteArray::fromHex("96b391e8"); // 無題 in CP932
        expected += "\r\nN=-5\r\n\r\n[Two]\r\nEmpty=\r\n\r\n";
        QCOMPARE(readFile(ini.path()), expected);
    }

    void read_matchesSectionsAndKeysWithoutCase_firstKeyWins() {
        IniFile ini;
        ini.parse("[Sec]\r\nKey=1\r\nkey=2\r\n[other]\r\nX = 7\r\n[SEC]\r\nMore=3\r\n");
        QCOMPARE(ini.readInteger("sec", "KEY", 0), 1);
        QCOMPARE(ini.readInteger("Sec", "more", 0), 3);
        QCOMPARE(ini.readInteger("OTHER", "x", 0), 7);
        QCOMPARE(ini.sections(), QStringList({"Sec", "other"}));
        QCOMPARE(ini.readString("none", "x", "def"), QString("def"));
    }

    void writeExistingKey_keepsItsPlaceAndOtherKeys() {
        IniFile ini;
        ini.parse("[S]\r\na=1\r\nb=2\r\nc=3\r\n");
        ini.writeInteger("s", "B", 9);
        QCOMPARE(ini.toText(), QString("[S]\r\na=1\r\nb=9\r\nc=3\r\n"));
    }

    void readInteger_acceptsDecimalAndHex_refusesJunk() {
        IniFile ini;
        ini.parse("[S]\r\na=-2147483633\r\nb=$FF\r\nc=0x10\r\nd=12abc\r\ne=99999999999\r\nf=\r\ng= 42 \r\n");
        QCOMPARE(ini.readInteger("S", "a", 0), -2147483633);
        QCOMPARE(ini.readInteger("S", "b", 0), 255);
        QCOMPARE(ini.readInteger("S", "c", 0), 16);
        QCOMPARE(ini.readInteger("S", "d", -1), -1);
        QCOMPARE(ini.readInteger("S", "e", -1), -1);
        QCOMPARE(ini.readInteger("S", "f", -1), -1);
        QCOMPARE(ini.readInteger("S", "g", -1), 42);
    }

    void loadSaveRoundTrip_isByteIdentical() {
        QTemporaryDir dir;
        const QString path = dir.filePath("r.ini");
        QByteArray content = "[QVX3]\r\nGrid=1\r\nPanelX1=33\r\n\r\n[Ports]\r\nCOM1=/dev/x\r\n\r\n";
        writeFile(path, content);
        IniFile ini(path);
        QVERIFY(ini.loadAndTestWrite());
        QCOMPARE(readFile(path), content);
    }

    void saveIntoUnwritablePlace_failsAndKeepsOldFile() {
        QTemporaryDir dir;
        IniFile missingDir(dir.filePath("no/such/dir/x.ini"));
        QVERIFY(!missingDir.loadAndTestWrite());
        IniFile isDir(dir.path());
        QVERIFY(!isDir.loadAndTestWrite());

        // A save that fails part-way, after some bytes are written, keeps the old file.
        const QString path = dir.filePath("keep.ini");
        const QByteArray old = "[A]\r\nx=1\r\n\r\n";
        QVERIFY(writeFile(path, old));
        IniFile ini(path);
        QVERIFY(ini.load());
        ini.writeString("A", "x", "a value longer than the old file");
        bool limited = false, saved = true;
        {
            qvxtest::FileSizeLimit limit(8);
            limited = limit.active();
            saved = ini.save();
        }
        QVERIFY(limited);
        QVERIFY(!saved);
        QCOMPARE(readFile(path), old);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files),
                 QStringList{"keep.ini"}); // no temporary file left
        QVERIFY(ini.save());
        QVERIFY(readFile(path).contains("a value longer"));
    }

    void valueWithLineBreak_staysOnOneLine() {
        IniFile ini;
        ini.writeString("S", "k", "a\r\nb");
        IniFile back;
        back.parse(ini.toText());
        QCOMPARE(back.keys("S"), QStringList{"k"});
    }

    void cp932_cutNeverSplitsACharacter() {
        QVERIFY(qvx::Cp932::available());
        const QString name = QString::fromUtf8("a無題b");
        QCOMPARE(qvx::Cp932::encodeCut(name, 2), QByteArray("a"));
        QCOMPARE(qvx::Cp932::encodeCut(name, 3), QByteArray("a") + QByteArray::fromHex("96b3"));
        QCOMPARE(qvx::Cp932::decode(qvx::Cp932::encode(name)), name);
    }
};

QVX_TEST_CLASS(IniFileTest)
#include "IniFileTest.moc"
