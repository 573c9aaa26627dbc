#include "BoardFixture.h"
#include "common/TestRegistry.h"

#include <QLoggingCategory>
#include <QTest>

using namespace qvx;

namespace {

// Messages of the link's category caught while a test runs.
QStringList g_caught;

void catchLinkMessages(QtMsgType, const QMessageLogContext& context, const QString& text) {
    if (context.category && QByteArray(context.category) == "qvx.link") g_caught << text;
}

// Switches the link log on (as QT_LOGGING_RULES would) and catches what it
// writes for the lifetime of the object.
class CaughtLinkLog {
  public:
    explicit CaughtLinkLog(bool on) {
        g_caught.clear();
        QLoggingCategory::setFilterRules(on ? QStringLiteral("qvx.link.debug=true")
                                            : QStringLiteral("qvx.link.debug=false"));
        m_previous = qInstallMessageHandler(catchLinkMessages);
    }
    ~CaughtLinkLog() {
        qInstallMessageHandler(m_previous);
        QLoggingCategory::setFilterRules(QString());
    }

  private:
    QtMessageHandler m_previous = nullptr;
};

bool anyContains(const QString& text) {
    for (const QString& m : g_caught)
        if (m.contains(text)) return true;
    return false;
}

} // namespace

// The link's frame log: off unless switched on, and then every frame, answer,
// retry and time-out in hex.
class LinkLogTest : public QObject {
    Q_OBJECT

  private slots:
    void logOff_writesNothing() {
        CaughtLinkLog log(false);
        BoardFixture fx;
        quint16 word = 0;
        QVERIFY(fx.board.ReadOptionWord(false, word));
        QVERIFY(g_caught.isEmpty());
    }

    void logOn_showsFramesAnswersRetriesAndTimeOuts() {
        CaughtLinkLog log(true);
        BoardFixture fx;
        quint16 word = 0;
        QVERIFY(fx.board.ReadOptionWord(false, word));
        QVERIFY(anyContains(QStringLiteral("sent \"F1 00 F1\"")));
        QVERIFY(anyContains(QStringLiteral("answer \"00 00 00\"")));

        // A short answer is retried, then the board stays silent.
        g_caught.clear();
        fx.sim.injectFault(BoardSimulator::Fault::ShortAnswer);
        QVERIFY(fx.board.ReadOptionWord(false, word));
        QVERIFY(anyContains(QStringLiteral("time-out")));
        QVERIFY(anyContains(QStringLiteral("retrying")));
        g_caught.clear();
        fx.sim.setSilent(true);
        QVERIFY(!fx.board.ReadOptionWord(false, word));
        QVERIFY(anyContains(QStringLiteral("no answer to the attention byte")));

        // A report the board sends on its own.
        g_caught.clear();
        fx.sim.setSilent(false);
        fx.transport->pushFromBoard(BoardSimulator::PlaybackReport(2));
        QTRY_VERIFY(anyContains(QStringLiteral("report \"FF 01")));
    }
};

QVX_TEST_CLASS(LinkLogTest)
#include "LinkLogTest.moc"
