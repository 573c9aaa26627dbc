#include "common/TestRegistry.h"
#include "fuzz/CorpusRows.h"
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
    void corpus_data() { qvxtest::addCorpusRows(QStringLiteral(QVX_FUZZ_CORPUS_DIR)); }
    void corpus() {
        QFETCH(QString, path);
        qvxtest::replayCorpusFile(path, qvx::FuzzReaders);
    }
};

QVX_TEST_CLASS(CorpusReplayTest)
#include "CorpusReplayTest.moc"
