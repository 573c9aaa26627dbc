#include "app/Settings.h"
#include "common/RecordingServices.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "document/DocumentFile.h"
#include "document/IniFile.h"
#include "document/MotionHeader.h"

#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

using namespace qvx;
using qvxtest::readFile;
using qvxtest::writeFile;

// Files that are not what they seem: pipes, devices, huge files, and settings
// files holding what the program does not own.
class FileRobustnessTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;

    QString fifo(const char* name) {
        const QString path = dir.filePath(name);
        QFile::remove(path);
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0 ? path : QString();
    }

  private slots:
    void pipesAndDevices_areRefusedWithoutBlocking() {
        const QString pipe = fifo("QVX3J.ini");
        QVERIFY(!pipe.isEmpty());
        // Reading or test-writing a pipe would wait for a writer for ever.
        IniFile settings(pipe);
        QVERIFY(!settings.load());
        QVERIFY(!settings.loadAndTestWrite());
        QVERIFY(QFileInfo(pipe).exists() && !QFileInfo(pipe).isFile());
        // The settings of a start with such a file are the defaults.
        QCOMPARE(Settings::LoadSettings(pipe).gridWidth, 2);

        // A device never ends: refused before anything is read.
        IniFile zero(QStringLiteral("/dev/zero"));
        QVERIFY(!zero.load());
        // Saving over a device is refused: it stays the device it was.
        IniFile null(QStringLiteral("/dev/null"));
        null.writeString("A", "x", "1");
        QVERIFY(!null.save());
        struct stat st {};
        QCOMPARE(::stat("/dev/null", &st), 0);
        QVERIFY(S_ISCHR(st.st_mode));
    }

    void documentsOnPipes_areRefusedWithTheDesignsMessages() {
        qvxtest::RecordingServices services;
        Chart chart;
        MotionHeader header;
        DocumentContext ctx(chart, header, services);
        const QString pipe = fifo("pipe.QMX");
        QVERIFY(!DocumentFile::OpenDocument(ctx, pipe));
        QCOMPARE(services.lastBoxText(), QStringLiteral("The designated file can't be used"));
        services.clear();
        chart.CreateItem(KindPos, 10, 10);
        QVERIFY(!DocumentFile::SaveDocument(ctx, pipe, false));
        QCOMPARE(services.boxes.size(), size_t(1));
        QVERIFY(!QFileInfo(pipe).isFile());
        // A pose table behind a pipe gives no lines at all.
        bool ok = true;
        QVERIFY(DocumentFile::ReadLines(pipe, &ok).isEmpty());
        QVERIFY(!ok);
    }

    void filesPastTheSizeCap_areRefused() {
        const QString path = dir.filePath("huge.ini");
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[A]\r\nx=1\r\n");
        // Sparse: costs no disk, but claims more than any real file holds.
        QVERIFY(f.resize(IniFile::kMaxFileSize + 1));
        f.close();
        IniFile ini(path);
        QVERIFY(!ini.load());
        bool ok = true;
        QVERIFY(DocumentFile::ReadLines(path, &ok).isEmpty());
        QVERIFY(!ok);
    }

    void settingsFile_keepsWhatTheProgramDoesNotOwn_byteForByte_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("comments and loose lines")
            << QByteArray("; my settings\r\n[QVX3]\r\nGrid=1\r\n  a line without equals\r\n"
                          "PanelX1=33\r\n\n[Ports]\nCOM1=/dev/ttyACM0\n# note\nCOM1=/dev/dup\n");
        QTest::newRow("bytes that are not CP932")
            << QByteArray("[QVX3]\r\nGrid=0\r\nName=\x80\xa0\xfd\xff\r\n[X]\r\n\x85\x40=\xfc\r\n");
        QTest::newRow("no line end at the end") << QByteArray("[QVX3]\r\nGridWidth=7");
        QByteArray noise;
        for (int i = 0; i < 4096; ++i)
            noise.append(char((i * 7919 + 13) % 256));
        QTest::newRow("random bytes") << noise;
    }
    void settingsFile_keepsWhatTheProgramDoesNotOwn_byteForByte() {
        QFETCH(QByteArray, content);
        const QString path = dir.filePath("keep.ini");
        QVERIFY(writeFile(path, content));
        // Start-up reads and test-writes: nothing changes.
        const MainSettings loaded = Settings::LoadSettings(path);
        QCOMPARE(readFile(path), content);
        // Closing writes the program's four keys; every other line stays.
        QVERIFY(Settings::SaveSettings(path, loaded));
        const QByteArray after = readFile(path);
        IniFile back(path);
        QVERIFY(back.load());
        QCOMPARE(back.readInteger("QVX3", "GridWidth", -1), loaded.gridWidth);
        QCOMPARE(back.readInteger("QVX3", "CommPort", -1), loaded.commPort);
        // Each line of the old file that holds none of the four keys is still there.
        for (const QByteArray& line : content.split('\n')) {
            const QByteArray t = line.trimmed().toLower();
            if (t.startsWith("grid") || t.startsWith("commport")) continue;
            QVERIFY2(after.contains(line), line.toHex().constData());
        }
    }

    void manyKeysInOneSection_areAllRead() {
        // 100 000 keys, with every tenth repeated: the first of each wins and
        // the whole file comes back unchanged.
        QByteArray text = "[Big]\r\n";
        for (int i = 0; i < 100000; ++i) {
            text += "K" + QByteArray::number(i) + '=' + QByteArray::number(i) + "\r\n";
            if (i % 10 == 0) text += "k" + QByteArray::number(i) + "=dup\r\n";
        }
        IniFile ini;
        ini.parseBytes(text);
        QCOMPARE(ini.keys("big").size(), 100000);
        QCOMPARE(ini.readInteger("BIG", "k99990", -1), 99990);
        QCOMPARE(ini.readString("Big", "K50", ""), QStringLiteral("50"));
        QCOMPARE(ini.toBytes(), text);
        ini.writeString("Big", "K5", "five");
        ini.writeString("Big", "New", "n");
        QVERIFY(ini.toBytes().contains("\r\nK5=five\r\nK6=6\r\n"));
        QVERIFY(ini.toBytes().endsWith("K99999=99999\r\nNew=n\r\n"));
    }
};

QVX_TEST_CLASS(FileRobustnessTest)
#include "FileRobustnessTest.moc"
