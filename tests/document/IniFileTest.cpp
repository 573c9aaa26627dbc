#include "document/IniFile.h"
#include "common/FileSizeLimit.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "base/Cp932.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QTemporaryDir>
#include <QTest>

using qvx::IniFile;
using qvx::IniWriter;

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

    void parseInteger_signsBasesAndLimits() {
        const std::pair<const char*, int> good[] = {{"0XfF", 255},
                                                    {"0xFFFFFFFF", -1},
                                                    {"$80000000", -2147483647 - 1},
                                                    {"-0x10", -16},
                                                    {"+7", 7},
                                                    {" \t-2147483648 ", -2147483647 - 1},
                                                    {"2147483647", 2147483647},
                                                    {"000000000012", 12},
                                                    {"$aBc", 0xABC}};
        for (const auto& [text, value] : good) {
            int v = 0;
            QVERIFY2(IniFile::parseInteger(QString(text), v), text);
            QCOMPARE(v, value);
        }
        const char* bad[] = {"-2147483649",   "2147483648", "0x",   "$",          "-",
                             "1 2",           "12a",        "0x1G", "$100000000", "-$FFFFFFFF",
                             "0000000000012", "--5",        "+-5",  "1.0"};
        for (const char* text : bad) {
            int v = 99;
            QVERIFY2(!IniFile::parseInteger(QString(text), v), text);
            QCOMPARE(v, 99);
        }
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

    // Names match as their lower-case forms do, in short sections (searched
    // from the top) and in long ones (found through the key index), for ASCII
    // names and for names whose lower-case form is made differently.
    void names_matchAsTheirLowerCaseForms() {
        QString text =
            QString::fromUtf8("[Short]\r\nAlpha=1\r\nΑΒΓ=2\r\nalpha=dup\r\n[Ｌｏｎｇ]\r\n");
        for (int i = 0; i < 40; ++i)
            text += QStringLiteral("Key%1=%1\r\n").arg(i);
        text += QString::fromUtf8("KEY30=dup\r\nＶＩＩ=seven\r\n");
        IniFile ini;
        ini.parse(text);
        QCOMPARE(ini.readString("SHORT", "ALPHA", ""), QString("1"));
        QCOMPARE(ini.readString("short", QString::fromUtf8("αβγ"), ""), QString("2"));
        const QString lng = QString::fromUtf8("ｌｏｎｇ");
        QCOMPARE(ini.readInteger(lng, "key0", -1), 0);
        QCOMPARE(ini.readInteger(lng, "kEy39", -1), 39);
        QCOMPARE(ini.readInteger(lng, "key30", -1), 30);
        QCOMPARE(ini.readString(lng, QString::fromUtf8("ｖｉｉ"), ""), QString("seven"));
        QCOMPARE(ini.keys(lng).size(), 41);
        QCOMPARE(ini.sections().size(), 2);

        // Writing through other cases changes the entries that were read.
        ini.writeInteger(lng, "KEY39", -39);
        ini.writeString("short", QString::fromUtf8("αΒγ"), "3");
        ini.writeString(lng, "Key40", "new");
        QCOMPARE(ini.sections().size(), 2);
        IniFile back;
        back.parse(ini.toText());
        QCOMPARE(back.readInteger(lng, "Key39", 0), -39);
        QCOMPARE(back.readInteger("Short", QString::fromUtf8("ΑΒΓ"), 0), 3);
        QCOMPARE(back.readString(lng, "Key40", ""), QString("new"));
        QCOMPARE(back.readString(lng, "Key30", ""), QString("30"));

        // The Kelvin sign, which CP932 lacks, has a plain k as its lower-case form.
        IniFile memory;
        memory.writeInteger(QString::fromUtf8("Lin\u212A0"), "Origin", 5);
        QCOMPARE(memory.readInteger("link0", "ORIGIN", 0), 5);
        memory.writeInteger("LINK0", "origin", 6);
        QCOMPARE(memory.sections().size(), 1);
        QCOMPARE(memory.readInteger(QString::fromUtf8("Lin\u212A0"), "Origin", 0), 6);
    }

    // Several keys of one section read through the section found once, as
    // they read one by one.
    void sectionReader_readsAsTheImageDoes() {
        IniFile ini;
        ini.parse("[Item0]\r\nName=a\r\nWidth=$10\r\nTop=x\r\nPrm=\r\n[item1]\r\nname=b\r\n");
        const IniFile::SectionReader first = ini.section("ITEM0");
        QCOMPARE(first.readString("name", "def"), QString("a"));
        QCOMPARE(first.readInteger("WIDTH", 0), 16);
        QCOMPARE(first.readInteger("Top", -7), -7);
        QVERIFY(first.valueExists("prm"));
        QVERIFY(!first.valueExists("Left"));
        QCOMPARE(first.readInteger("Left", 3), 3);
        QCOMPARE(ini.section("Item1").readString("Name", ""), QString("b"));
        const IniFile::SectionReader none = ini.section("Item2");
        QVERIFY(!none.valueExists("Name"));
        QCOMPARE(none.readString("Name", "def"), QString("def"));
        QCOMPARE(none.readInteger("Width", 50), 50);
    }

    // Erasing a section keeps the other lines byte for byte.
    void eraseSection_keepsTheOtherLinesAsRead() {
        IniFile ini;
        ini.parseBytes(
            "; top\nSTRAY\n[A]\r\nx = 1\r\n;c\r\n[B]\r\ny=2\r\n\r\n[C]\r\nz=\x82\xa0\r\nw");
        ini.eraseSection("b");
        QCOMPARE(ini.toBytes(),
                 QByteArray("; top\nSTRAY\n[A]\r\nx = 1\r\n;c\r\n[C]\r\nz=\x82\xa0\r\nw"));
        ini.writeString("A", "n", "new");
        QCOMPARE(ini.toBytes(),
                 QByteArray("; top\nSTRAY\n[A]\r\nx = 1\r\nn=new\r\n;c\r\n[C]\r\nz=\x82\xa0\r\nw"));
    }

    // The test write's checks alone: nothing is written, the image is not touched.
    void canReplace_checksWithoutWriting() {
        QTemporaryDir dir;
        const QString path = dir.filePath("t.ini");
        const QByteArray old = "[A]\nx=1\n\x82\xa0\xff";
        QVERIFY(writeFile(path, old));
        const QDateTime written = QFileInfo(path).lastModified();
        IniFile ini(path);
        ini.writeString("B", "y", "2");
        QVERIFY(ini.canReplace());
        QCOMPARE(readFile(path), old);
        QCOMPARE(QFileInfo(path).lastModified(), written);
        QCOMPARE(ini.toBytes(), QByteArray("[B]\r\ny=2\r\n\r\n"));
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"t.ini"});

        IniFile missing(dir.filePath("new.ini"));
        QVERIFY(missing.canReplace());
        QVERIFY(!QFileInfo::exists(missing.path()));

        QVERIFY(!IniFile(dir.path()).canReplace());
        QVERIFY(!IniFile(dir.filePath("no/dir/x.ini")).canReplace());
        QVERIFY(!IniFile(QString()).canReplace());
        // A file too large to be one of the program's is left alone.
        const QString big = dir.filePath("big.ini");
        {
            QFile f(big);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(IniFile::kMaxFileSize + 1));
        }
        QVERIFY(!IniFile(big).canReplace());
        QCOMPARE(QFileInfo(big).size(), IniFile::kMaxFileSize + 1);
        // So is a file that cannot be written (a check root passes, so only
        // where the test does not run as root).
        if (QFile::setPermissions(path, QFileDevice::ReadOwner) && !QFileInfo(path).isWritable()) {
            QVERIFY(!ini.canReplace());
        }
    }

    // The writer makes the bytes an image filled the same way saves.
    void writer_writesWhatAnImageWrittenTheSameWaySaves() {
        const QString values[] = {"plain",
                                  "",
                                  "  spaced  ",
                                  "a\r\nb\rc\nd",
                                  QString::fromUtf8("無題"),
                                  QString::fromUtf8("改行\nあり"),
                                  "a=b;c",
                                  QString(QChar(0xD800)),
                                  QString::fromUtf8("é 🙂 ～ 〜")};
        IniFile image;
        IniWriter writer;
        const QString sections[] = {"GraphicalEdit", QString::fromUtf8("部分"), "Item0"};
        for (const QString& section : sections) {
            writer.beginSection(section);
            int n = 0;
            for (const QString& v : values) {
                const QString key = QStringLiteral("Key%1").arg(n++);
                image.writeString(section, key, v);
                writer.write(QLatin1StringView(key.toLatin1()), v);
            }
            image.writeInteger(section, "Neg", -2147483647 - 1);
            writer.write(QLatin1StringView("Neg"), -2147483647 - 1);
            image.writeString(section, "List", "1,-2,3");
            writer.writeAscii(QLatin1StringView("List"), "1,-2,3");
        }
        QCOMPARE(writer.finish(), image.toBytes());
        QCOMPARE(writer.finish(), QByteArray());
    }

    // Text made only of ASCII is copied instead of converted; the result must be
    // what the converter gives, for every code and around bytes it refuses.
    void cp932_copiedTextIsWhatTheConverterGives() {
        QByteArray ascii;
        for (int c = 0; c < 128; ++c)
            ascii += char(c);
        const QByteArray inputs[] = {
            ascii,
            "plain\r\n" + QByteArray::fromHex("96b391e8") + "\r\nmore plain\r\n",
            // lead bytes before a line end and at the very end, bytes CP932 lacks
            "a\x81\nb\r\n\xa0\xfd\xff\r\nc\x82\r\n\x82\xa0\nd\x81",
            "\x83\\\n\x83~\n" + ascii + "\xfc\xfc\n" + ascii + "\x82",
        };
        for (const QByteArray& in : inputs) {
            QCOMPARE(qvx::Cp932::decode(in), QStringDecoder("windows-31j").decode(in));
            const QString text = QStringDecoder("windows-31j").decode(in);
            QCOMPARE(qvx::Cp932::encode(text),
                     QByteArray(QStringEncoder("windows-31j").encode(text)));
        }
        for (int c = 0; c < 128; ++c) {
            const QString one = QString(QChar(c));
            QCOMPARE(qvx::Cp932::encode(one),
                     QByteArray(QStringEncoder("windows-31j").encode(one)));
            QCOMPARE(qvx::Cp932::decode(QByteArray(1, char(c))),
                     QString(QStringDecoder("windows-31j").decode(QByteArray(1, char(c)))));
        }
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
