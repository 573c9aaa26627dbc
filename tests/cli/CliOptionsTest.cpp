#include "common/CliRun.h"
#include "common/SimBoard.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace qvx;

namespace {

// Command bytes of the options dialog's opening: sleep (read the working
// option word, read, release and restore the live pose, write the word), the
// four reads of the stored settings, and waking up.
const QByteArray kOpening("\xF1\xFC\xFD\xF2\xFD\xF1\xEE\xEB\xDC\xF1\xF2");

// qvx board options against a simulated board behind a pseudo-terminal.
struct OptionsCli : qvxtest::SimBoard {
    int code = -1;
    QString out, err;

    OptionsCli() {
        if (host)
            sim([](BoardSimulator& s) {
                s.stored().alarmVoltage = 391;
                s.stored().svpChannels = QByteArray("\x01\x00\x00", 3);
            });
    }
    QByteArray commands() { return takeCommands(); }
    int run(const QStringList& args) {
        const qvxtest::CliRun r =
            qvxtest::runQvx(QStringList{"board", "--port", port, "options"} + args);
        out = r.out;
        err = r.err;
        return code = r.code;
    }
};

} // namespace

class CliOptionsTest : public QObject {
    Q_OBJECT
  private slots:
    void print_showsTheControlsAfterTheOpeningAlone() {
        OptionsCli c;
        QVERIFY(c.host);
        c.sim([](BoardSimulator& s) {
            s.stored().option = 0x2E08;
            s.stored().buttonStart = 4;
            s.stored().alarmMotion = 81;
            s.stored().svpChannels = QByteArray("\x00\x01\x80", 3);
        });
        QCOMPARE(c.run({}), 0);
        QCOMPARE(c.commands(), kOpening);
        for (const char* line :
             {"option word   0x2e08\n", "  bit  3  wrx1           on\n",
              "  bit  9  reply-at-end   on\n", "  bit 12  start-switch   off\n",
              "  bit 13  transmitter    on\n", "start-switch  OFF\n", "alarm         S2\n",
              "alarm-volts   06.0V\n", "svp           9,24\n"})
            QVERIFY2(c.out.contains(QLatin1String(line)), qPrintable(c.out));
    }

    void option_runsItsControlsSequence_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QByteArray>("sent"); // command bytes after the opening
        QTest::addColumn<quint16>("option");
        QTest::addColumn<QByteArray>("board"); // button, power-on, alarm motion, volts hi, lo
        QTest::addColumn<QByteArray>("svp");
        QTest::addColumn<QString>("shows");
        const QByteArray word("\xF1\xF2\xF2");
        const QByteArray untouched("\xFF\xFF\xFF\x01\x87");
        QTest::addRow("reply at end")
            << QStringList{"--reply-at-end", "on"} << word << quint16(0x0200) << untouched
            << QByteArray("\x01\0\0", 3) << "bit  9  reply-at-end   on";
        QTest::addRow("transmitter, then WRX-1")
            << QStringList{"--transmitter", "on", "--wrx1", "on"} << word + word << quint16(0x2008)
            << untouched << QByteArray("\x01\0\0", 3) << "bit 13  transmitter    on";
        QTest::addRow("start switch")
            << QStringList{"--start-switch", "M1"} << QByteArray("\xEE") + word + "\xEF"
            << quint16(0x1000) << QByteArray("\x00\xFF\xFF\x01\x87", 5) << QByteArray("\x01\0\0", 3)
            << "start-switch  M1";
        QTest::addRow("power on") << QStringList{"--power-on", "S5"}
                                  << QByteArray("\xEE") + word + "\xEF" << quint16(0x0800)
                                  << QByteArray("\xFF\x54\xFF\x01\x87") << QByteArray("\x01\0\0", 3)
                                  << "power-on      S5";
        QTest::addRow("alarm motion and voltage")
            << QStringList{"--alarm", "m3", "--alarm-volts", "15"}
            << (word + "\xEB\xEC") + (word + "\xEB\xEC") << quint16(0x0400)
            << QByteArray("\xFF\xFF\x02\x03\xD1") << QByteArray("\x01\0\0", 3)
            << "alarm-volts   15.0V";
        QTest::addRow("SVP CH9 and CH24")
            << QStringList{"--svp", "9,24"} << QByteArray("\xDD") << quint16(0) << untouched
            << QByteArray("\x00\x01\x80", 3) << "svp           9,24";
        QTest::addRow("no SVP channel")
            << QStringList{"--svp", "none"} << QByteArray("\xDD") << quint16(0) << untouched
            << QByteArray(3, '\0') << "svp           none";
    }
    void option_runsItsControlsSequence() {
        QFETCH(QStringList, args);
        QFETCH(QString, shows);
        OptionsCli c;
        QVERIFY(c.host);
        QCOMPARE(c.run(args), 0);
        QTEST(c.commands().mid(kOpening.size()), "sent");
        const auto [option, board, svp] = c.sim([](BoardSimulator& s) {
            const BoardSimulator::Stored& st = s.stored();
            QByteArray b;
            b.append(char(st.buttonStart))
                .append(char(st.powerOnStart))
                .append(char(st.alarmMotion));
            b.append(char(st.alarmVoltage >> 8)).append(char(st.alarmVoltage & 0xFF));
            return std::tuple{st.option, b, st.svpChannels};
        });
        QTEST(option, "option");
        QTEST(board, "board");
        QTEST(svp, "svp");
        QVERIFY2(c.out.contains(shows), qPrintable(c.out));
    }

    void valueItsControlCannotTake_usageError_nothingSent_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addRow("motion 81") << QStringList{"--start-switch", "M81"};
        QTest::addRow("scenario 6") << QStringList{"--power-on", "S6"};
        QTest::addRow("below 5.5 V") << QStringList{"--alarm-volts", "5.4"};
        QTest::addRow("between steps") << QStringList{"--alarm-volts", "6.05"};
        QTest::addRow("channel 25") << QStringList{"--svp", "9,25"};
        QTest::addRow("empty channel") << QStringList{"--svp", "9,"};
        QTest::addRow("yes for on") << QStringList{"--transmitter", "yes"};
        QTest::addRow("missing value") << QStringList{"--wrx1"};
        QTest::addRow("unknown option") << QStringList{"--speed", "3"};
        QTest::addRow("a good one first") << QStringList{"--transmitter", "on", "--alarm", "M0"};
    }
    void valueItsControlCannotTake_usageError_nothingSent() {
        QFETCH(QStringList, args);
        OptionsCli c;
        QVERIFY(c.host);
        QCOMPARE(c.run(args), 2);
        // One line naming the problem and the help to see.
        QVERIFY2(c.err.startsWith(QStringLiteral("qvx board options: ")), qPrintable(c.err));
        QVERIFY2(c.err.endsWith(QStringLiteral(" (see qvx board options --help)\n")),
                 qPrintable(c.err));
        QCOMPARE(c.err.count(u'\n'), 1);
        QCOMPARE(c.out, QString());
        QCOMPARE(c.commands(), QByteArray());
    }

    void boardFailure_exit1_laterOptionsNotSent() {
        OptionsCli c;
        QVERIFY(c.host);
        // The opening answers eleven times, then the stored word is read and its
        // write refused.
        c.sim([](BoardSimulator& s) { s.injectFault(BoardSimulator::Fault::BadAck, 1, 12); });
        QCOMPARE(c.run({"--transmitter", "on", "--svp", "9"}), 1);
        QVERIFY(c.err.contains(QStringLiteral("--transmitter")));
        QCOMPARE(c.commands(), kOpening + "\xF1\xF2");

        c.sim([](BoardSimulator& s) { s.setSilent(true); });
        QCOMPARE(c.run({}), 1);
        QVERIFY(c.err.contains(QStringLiteral("could not be read")));
        QCOMPARE(c.out, QString());
    }
};

QVX_TEST_CLASS(CliOptionsTest)
#include "CliOptionsTest.moc"
