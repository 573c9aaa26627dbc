#include "common/CliRun.h"
#include "common/TestFiles.h"
#include "common/TestRegistry.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

using qvxtest::writeFile;

// qvx timeline: the samples' lines, the picture and the refusal of bad input.
class CliTimelineTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    qvxtest::CliRun run(const QStringList& args) {
        qvxtest::CliSetup setup;
        setup.configDir(m_dir.filePath("config"));
        // Drawing starts the toolkit, which warns on standard error without a
        // runtime folder of its own, as a desktop session gives one.
        QDir().mkpath(m_dir.filePath("run"));
        QFile::setPermissions(m_dir.filePath("run"), QFileDevice::ReadOwner |
                                                         QFileDevice::WriteOwner |
                                                         QFileDevice::ExeOwner);
        setup.env.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_dir.filePath("run"));
        return qvxtest::runQvx(args, setup);
    }

  private slots:
    void timeline_printsSamples_drawsThePicture_refusesBadInputs() {
        // CH1 to home + 100 at speed 2, then back home at speed 1.
        auto prm = [](int lead, int ch1) {
            QByteArray p = QByteArray::number(lead) + ',' + QByteArray::number(ch1);
            for (int i = 1; i < 24; ++i)
                p += ",0";
            return p;
        };
        const QString doc = m_dir.filePath("m.QMX");
        writeFile(doc,
                  "[GraphicalEdit]\r\nType=0\r\nItems=2\r\nLinks=1\r\nStart=0\r\nName=m\r\n\r\n"
                  "[Item0]\r\nName=Up\r\nPrm=" +
                      prm(2, 16484) +
                      "\r\n\r\n[Item1]\r\nName=Down\r\n"
                      "Prm=" +
                      prm(1, 16384) + "\r\n\r\n[Link0]\r\nOrigin=0\r\nFinal=1\r\n\r\n");
        QString expected = QStringLiteral("ms");
        for (int c = 1; c <= 24; ++c)
            expected += QStringLiteral(",CH%1").arg(c);
        expected += u'\n';
        // The move takes two ticks, the way back one, the end mark one more.
        for (const auto& [ms, ch1] : std::initializer_list<std::pair<int, int>>{
                 {0, 0}, {10, 50}, {20, 100}, {30, 0}, {40, 0}})
            expected += QStringLiteral("%1,%2").arg(ms).arg(ch1) +
                        QStringLiteral(",0").repeated(23) + u'\n';
        qvxtest::CliRun r = run({"timeline", doc});
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, expected);
        QCOMPARE(r.code, 0);

        r = run({"timeline", doc, "--limit", "20", "--csv", m_dir.filePath("t.csv"), "--png",
                 m_dir.filePath("t.png")});
        QCOMPARE(r.code, 0);
        QCOMPARE(r.out, QString());
        QCOMPARE(r.err, QStringLiteral("The motion did not end within 0.02 s of board time; shown "
                                       "up to the limit.\n"));
        QCOMPARE(QString::fromUtf8(qvxtest::readFile(m_dir.filePath("t.csv"))),
                 expected.section(u'\n', 0, 3) + u'\n');
        QCOMPARE(QImage(m_dir.filePath("t.png")).size(), QSize(1280, 720));

        r = run({"timeline", doc, "--inputs", "pa1=1,ad9=3", "--csv", m_dir.filePath("x.csv")});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.err,
                 QStringLiteral("qvx timeline: --inputs: unknown input \"ad9\" (known: "
                                "button, pa1..pa4, ad1..ad3, cmp) (see qvx timeline --help)\n"));
        QVERIFY(!QFile::exists(m_dir.filePath("x.csv")));
    }
};

QVX_TEST_CLASS(CliTimelineTest)
#include "CliTimelineTest.moc"
