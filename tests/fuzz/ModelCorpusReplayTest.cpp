#include "common/TestRegistry.h"
#include "fuzz/CorpusRows.h"
#include "fuzz/ModelFuzz.h"

#include <QTest>

// Every input of the robot model reader's corpus (sound models and broken,
// hostile ones) through the very entry the fuzzer drives; a fault aborts the
// run under the sanitizers.
class ModelCorpusReplayTest : public QObject {
    Q_OBJECT

  private slots:
    void corpus_data() { qvxtest::addCorpusRows(QStringLiteral(QVX_MODEL_CORPUS_DIR)); }
    void corpus() {
        QFETCH(QString, path);
        qvxtest::replayCorpusFile(path, qvx::FuzzModels);
    }
};

QVX_TEST_CLASS(ModelCorpusReplayTest)
#include "ModelCorpusReplayTest.moc"
