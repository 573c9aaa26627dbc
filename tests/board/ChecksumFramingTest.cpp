#include "BoardFixture.h"
#include "board/ReportFramer.h"
#include "common/TestRegistry.h"

#include <QSignalSpy>
#include <QTest>

using namespace qvx;

class ChecksumFramingTest : public QObject {
    Q_OBJECT
  private slots:
    void appendSum_isLowByteOfSum() {
        QByteArray f = QByteArray::fromHex("FF");
        BoardLink::AppendSum(f);
        QCOMPARE(f, QByteArray::fromHex("FFFF"));
        f = QByteArray::fromHex("F301FFFFFF");
        BoardLink::AppendSum(f);
        QCOMPARE(f, QByteArray::fromHex("F301FFFFFFF1"));
    }

    void checkAnswerSum_acceptsRightRejectsWrongAndShort() {
        QByteArray good = QByteArray::fromHex("1234"
                                              "46");
        QVERIFY(BoardLink::CheckAnswerSum(good));
        QByteArray bad = QByteArray::fromHex("1234"
                                             "47");
        QVERIFY(!BoardLink::CheckAnswerSum(bad));
        // The answer keeps its length with the recomputed last byte.
        QCOMPARE(bad, QByteArray::fromHex("123446"));
        QByteArray one = QByteArray::fromHex("00");
        QVERIFY(!BoardLink::CheckAnswerSum(one));
    }

    void framer_splitReport_isCutWhenComplete() {
        ReportFramer f;
        f.append(QByteArray::fromHex("FE010203040506"));
        QVERIFY(f.takeReport().isEmpty());
        QCOMPARE(f.buffer().size(), 7);
        f.append(QByteArray::fromHex("070809"));
        QCOMPARE(f.takeReport(), QByteArray::fromHex("FE010203040506070809"));
        QVERIFY(f.buffer().isEmpty());
    }

    void framer_noiseAndLeadsWithoutLength_areConsumed() {
        ReportFramer f;
        // Noise below 0x80, then a lead byte without a report length, then a
        // complete receiver report.
        f.append(QByteArray::fromHex("0102"
                                     "80"
                                     "7F"
                                     "FC"
                                     "FD0011223344556677"));
        QCOMPARE(f.takeReport(), QByteArray::fromHex("FD0011223344556677"));
        // Noise without any lead byte does not pile up.
        f.append(QByteArray(100, '\x01'));
        QVERIFY(f.takeReport().isEmpty());
        QVERIFY(f.buffer().isEmpty());
    }

    void link_reportSplitOverReads_isDecodedOnce() {
        BoardFixture fx;
        QSignalSpy spy(&fx.link, &BoardLink::reportReceived);
        fx.transport->pushFromBoard(QByteArray::fromHex("55FE01020304"));
        fx.transport->pushFromBoard(QByteArray::fromHex("0506"));
        // Both pieces framed (the noise in front dropped), and no report yet.
        QTRY_COMPARE(fx.link.framer().buffer(), QByteArray::fromHex("FE010203040506"));
        QCOMPARE(spy.count(), 0);
        fx.transport->pushFromBoard(QByteArray::fromHex("070809"));
        QTRY_COMPARE(spy.count(), 1);
        QCOMPARE(spy[0][0].toByteArray(), QByteArray::fromHex("FE010203040506070809"));
    }

    void link_twoReportsInOneEvent_areHandledOnePerEvent() {
        BoardFixture fx;
        QSignalSpy spy(&fx.link, &BoardLink::reportReceived);
        QList<qsizetype> waiting; // bytes left in the buffer as each report is handed on
        connect(&fx.link, &BoardLink::reportReceived, this,
                [&] { waiting << fx.link.framer().buffer().size(); });
        const QByteArray a = QByteArray::fromHex("FD0011223344556677");
        const QByteArray b = QByteArray::fromHex("FE01020304050607 0809");
        fx.transport->pushFromBoard(QByteArray::fromHex("0102") + a + b);
        QTRY_COMPARE(spy.count(), 2);
        QCOMPARE(waiting, (QList<qsizetype>{10, 0}));
        QCOMPARE(spy[0][0].toByteArray(), a);
        QCOMPARE(spy[1][0].toByteArray(), b);
    }

    void link_reopen_emptiesReportBuffer() {
        BoardFixture fx;
        QSignalSpy spy(&fx.link, &BoardLink::reportReceived);
        fx.transport->pushFromBoard(QByteArray::fromHex("FF0102"));
        QTRY_COMPARE(fx.link.framer().buffer().size(), 3);
        auto t = std::make_unique<SimTransport>(fx.sim);
        SimTransport* second = t.get();
        QVERIFY(fx.link.OpenTransport(2, std::move(t)));
        QVERIFY(fx.link.framer().buffer().isEmpty());
        // With the old bytes kept these would complete a report; a report sent
        // after them comes out alone and whole.
        second->pushFromBoard(QByteArray(29, '\0'));
        const QByteArray marker = QByteArray::fromHex("FD0102030405060708");
        second->pushFromBoard(marker);
        QVERIFY(spy.wait(5000));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy[0][0].toByteArray(), marker);
    }
};

QVX_TEST_CLASS(ChecksumFramingTest)
#include "ChecksumFramingTest.moc"
