#include "common/TestRegistry.h"
#include "fuzz/ReaderFuzz.h"

#include <QDir>
#include <QFile>
#include <QTest>

// Every input of the readers' fuzz corpus (the seed documents, tables and
// settings files, and the inputs that once broke a reader) through the very
// entry the fuzzer drives; a fault aborts the run under the sanitizers.
class CorpusReplayTest : public QObject {
    Q_OBJECT

  private slots:
    void corpus_data() {
        QTest::addColumn<QString>("path");
        const QDir dir(QStringLiteral(QVX_FUZZ_CORPUS_DIR));
        const QStringList names = dir.entryList(QDir::Files, QDir::Name);
        QVERIFY2(names.size() >= 10, "the corpus is missing");
        for (const QString& n : names)
            QTest::newRow(qPrintable(n)) << dir.filePath(n);
    }
    void corpus() {
        QFETCH(QString, path);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray input = f.readAll();
        QCOMPARE(qvx::FuzzReaders(reinterpret_cast<const std::uint8_t*>(input.constData()),
                                  std::size_t(input.size())),
                 0);
    }
};

QVX_TEST_CLASS(CorpusReplayTest)
#include "CorpusReplayTest.moc"
