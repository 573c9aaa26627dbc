#include "common/TestRegistry.h"
#include "fuzz/CorpusRows.h"
#include "fuzz/PictureFuzz.h"
#include "pose/BackgroundPicture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

// Every input of the picture decoder's fuzz corpus (the seed pictures and the
// damaged and hostile files) through the very entry the fuzzer drives; a fault
// aborts the run under the sanitizers. Files named "seed-..." are sound
// pictures and must decode; files named "refused-..." are damaged or hostile
// and must be refused; anything else (an input the fuzzer found) only must not
// break the decoder.
class PictureCorpusReplayTest : public QObject {
    Q_OBJECT

  private slots:
    void corpus_data() { qvxtest::addCorpusRows(QStringLiteral(QVX_PICTURE_CORPUS_DIR)); }
    void corpus() {
        QFETCH(QString, path);
        QByteArray input;
        qvxtest::replayCorpusFile(path, qvx::FuzzPictures, &input);
        if (QTest::currentTestFailed()) return;
        const QString name = QFileInfo(path).fileName();
        const bool decoded = !qvx::BackgroundPicture::DecodeJpeg(input).isNull();
        if (name.startsWith(QLatin1String("seed-")))
            QVERIFY2(decoded, "a sound picture is refused");
        if (name.startsWith(QLatin1String("refused-")))
            QVERIFY2(!decoded, "a bad picture is shown");
    }
};

QVX_TEST_CLASS(PictureCorpusReplayTest)
#include "PictureCorpusReplayTest.moc"
