#include "board/BoardCommands.h"
#include "common/CliRun.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace qvx;
using Cmd = QmxBoard::Command;

namespace {

// A simulated board behind a pseudo-terminal and `qvx board receiver` run against it.
struct ReceiverCli : qvxtest::SimBoard {
    qvxtest::CliRun receiver(const QStringList& args) {
        return qvxtest::runQvx(QStringList{"board", "--port", port, "receiver"} + args);
    }
};

QByteArray frame(Cmd c, std::initializer_list<int> params, const QByteArray& data = {}) {
    return BoardCommands::Frame(c, params, data);
}

} // namespace

// qvx board receiver: the receiver dialog's opening, changes and closing, as
// the board receives them.
class CliReceiverTest : public QObject {
    Q_OBJECT
  private slots:
    void changes_reachTheBoardAsTheControlsSendThem_andValuesArePrinted() {
        ReceiverCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        cli.sim([](BoardSimulator& s) {
            s.stored().receiverReference = s.working().receiverReference =
                QByteArray::fromHex("0A141E28");
            s.setReceiverValues({64, 5, 90, 0});
            s.setButtonInput(0x0102);
        });
        const auto r = cli.receiver({"--ref", "2=127", "--auto", "3"});
        QVERIFY2(r.code == 0, qPrintable(r.err));
        const QList<QByteArray> expected = {
            // opening
            frame(Cmd::ReadOptionWord, {0x00}), frame(Cmd::WriteOptionWord, {0x01, 0x00, 0x04}),
            frame(Cmd::ReadReceiverReference, {0x02}),
            // the changes, in the order given
            frame(Cmd::WriteReceiverReference, {0x01}, QByteArray::fromHex("0A7F1E28")),
            frame(Cmd::WriteReceiverReference, {0x01}, QByteArray::fromHex("0A7FFF28")),
            frame(Cmd::ReadReceiverReference, {0x00}),
            // closing
            frame(Cmd::WriteReceiverReference, {0x03}, QByteArray::fromHex("0A7F5A28")),
            frame(Cmd::ReadOptionWord, {0x00}), frame(Cmd::WriteOptionWord, {0x01, 0x00, 0x00})};
        QCOMPARE(cli.frames(), expected);
        QCOMPARE(r.out, QStringLiteral("PA1 ref 10 measure 64 amount 54\n"
                                       "PA2 ref 127 measure 5 amount -122\n"
                                       "PA3 ref 90 measure 90 amount 0\n"
                                       "PA4 ref 40 measure 0 amount -40\n"
                                       "buttons 258\n"));
    }

    void invalidValues_areUsageErrorsBeforeAnythingIsSent_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("input 5") << QStringList{"--ref", "5=10"};
        QTest::newRow("reference 128") << QStringList{"--ref", "1=128"};
        QTest::newRow("auto 0") << QStringList{"--auto", "0"};
        QTest::newRow("value missing") << QStringList{"--auto"};
        QTest::newRow("unknown option") << QStringList{"--mix", "1"};
    }
    void invalidValues_areUsageErrorsBeforeAnythingIsSent() {
        QFETCH(QStringList, args);
        ReceiverCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        QCOMPARE(cli.receiver(QStringList{"--ref", "1=5"} + args).code, 2);
        QVERIFY(cli.frames().isEmpty());
    }

    void failedSave_isReportedAndLeavesTheReportsOn() {
        ReceiverCli cli;
        QVERIFY2(cli.host, qPrintable(cli.error));
        // Opening and the report wait pass; the save is refused.
        cli.sim([](BoardSimulator& s) { s.injectFault(BoardSimulator::Fault::BadAck, 1, 3); });
        const auto r = cli.receiver({});
        QCOMPARE(r.code, 1);
        QCOMPARE(r.err, QStringLiteral("qvx board receiver failed: Connection failed: the board "
                                       "answered 15 instead of the acknowledge byte. The board "
                                       "still sends receiver reports: open and close the receiver "
                                       "window again to stop them\n"));
        // No values: they were not saved.
        QVERIFY(r.out.isEmpty());
        QCOMPARE(cli.sim([](BoardSimulator& s) { return s.working().option; }), quint16(0x0004));
    }
};

QVX_TEST_CLASS(CliReceiverTest)
#include "CliReceiverTest.moc"
