#include "common/CliRun.h"
#include "common/RecordingServices.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"
#include "document/DocumentFile.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

using namespace qvx;
using qvxtest::readFile;

namespace {

// Inputs are every file of the folder but the stored results, NAME.resaved,
// which hold the bytes a resave of NAME has always written, and NAME.messages,
// the messages opening NAME has always shown (one a line; no file, none).
const QString kResaved = QStringLiteral(".resaved");
const QString kMessages = QStringLiteral(".messages");

QString dataFolder() {
    return QStringLiteral(QVX_TEST_DATA_DIR "/resave");
}

QStringList inputNames() {
    QStringList names;
    for (const QString& n : QDir(dataFolder()).entryList(QDir::Files, QDir::Name))
        if (!n.endsWith(kResaved) && !n.endsWith(kMessages)) names << n;
    return names;
}

// Opens the file into an empty chart and saves it, as `qvx resave` does.
QByteArray openAndSave(const QString& input, const QString& output, QString* messages = nullptr) {
    Chart chart;
    MotionHeader header;
    qvxtest::RecordingServices services;
    DocumentContext ctx(chart, header, services);
    if (!DocumentFile::OpenDocument(ctx, input)) return {};
    if (!DocumentFile::SaveDocument(ctx, output, false)) return {};
    if (messages)
        for (const auto& box : services.boxes)
            *messages += box.text + u'\n';
    return readFile(output);
}

} // namespace

// Documents, hand-written files and pose tables of every sort, opened and saved
// again: the bytes must be exactly those stored beside each of them.
class ResaveTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

  private slots:
    void resave_data() {
        QTest::addColumn<QString>("name");
        const QStringList names = inputNames();
        QVERIFY2(names.size() >= 20, "the resave data is missing");
        for (const QString& n : names)
            QTest::newRow(qPrintable(n)) << n;
    }

    // The stored bytes and messages come back, and saving what was written
    // gives the bytes again without a message.
    void resave() {
        QFETCH(QString, name);
        const QByteArray expected = readFile(dataFolder() + u'/' + name + kResaved);
        QVERIFY2(!expected.isEmpty(), "no stored result beside the input");
        QString messages;
        QCOMPARE(openAndSave(dataFolder() + u'/' + name, m_dir.filePath(name), &messages),
                 expected);
        QCOMPARE(messages, QString::fromUtf8(readFile(dataFolder() + u'/' + name + kMessages)));

        messages.clear();
        QCOMPARE(openAndSave(m_dir.filePath(name), m_dir.filePath(name + ".again"), &messages),
                 expected);
        QCOMPARE(messages, QString());
    }

    // Over an existing file, as the main window saves: the old bytes go.
    void resaveOverTheInput_replacesItWithTheStoredResult() {
        for (const QString& name : inputNames()) {
            const QString path = m_dir.filePath(QStringLiteral("over-") + name);
            QVERIFY(QFile::copy(dataFolder() + u'/' + name, path));
            QCOMPARE(openAndSave(path, path), readFile(dataFolder() + u'/' + name + kResaved));
        }
    }

    // The command-line tool writes the same bytes.
    void qvxResave_writesTheStoredResult() {
        for (const QString& name : inputNames()) {
            const QString out = m_dir.filePath(QStringLiteral("cli-") + name);
            const QStringList args{QStringLiteral("resave"), dataFolder() + u'/' + name, out};
            QVERIFY(qvxtest::runQvx(args).code != -1);
            QCOMPARE(readFile(out), readFile(dataFolder() + u'/' + name + kResaved));
        }
    }
};

QVX_TEST_CLASS(ResaveTest)
#include "ResaveTest.moc"
