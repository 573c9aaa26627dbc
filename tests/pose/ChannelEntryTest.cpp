#include "pose/ChannelEntry.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace qvx;

namespace {
using Actions = std::array<QString, Pose::kChannels>;
}

// Channel action texts of link patterns: how they split, which ones the
// pattern editor accepts, and what one press of a link button does with them.
class ChannelEntryTest : public QObject {
    Q_OBJECT
  private slots:
    void splitEntry_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QString>("argument");
        const char* rows[][4] = {
            {"blanks everywhere", "mov ( -10 )", "MOV", "-10"},
            {"text after the bracket", "MOV(1)2", "MOV", "12"},
            {"no bracket", "free", "FREE", ""},
            {"only the first bracket opens", "Spd((*1.5)", "SPD", "*1.5"},
            {"blank inside the keyword", "Copy To(5", "COPYTO", "5"},
            {"empty", "", "", ""},
            {"only an argument", "(h)", "", "H"},
        };
        for (const auto& r : rows)
            QTest::newRow(r[0]) << QString::fromUtf8(r[1]) << QString::fromUtf8(r[2])
                                << QString::fromUtf8(r[3]);
    }
    void splitEntry() {
        QFETCH(QString, text);
        const EntryParts parts = SplitEntry(text);
        QTEST(parts.keyword, "keyword");
        QTEST(parts.argument, "argument");
    }

    void validateLinkPattern_data() {
        QTest::addColumn<QString>("action");
        QTest::addColumn<bool>("allowed");
        const QList<std::pair<const char*, bool>> rows = {
            {"", true},         {"  ", true},        {"PRM(-32767)", true}, {"prm(32768)", false},
            {"MOV(+10)", true}, {"MOV(1.5)", false}, {"MOV", false},        {"SET(1)", true},
            {"SET(3)", true},   {"SET(0)", false},   {"SET(4)", false},     {"ttl(h)", true},
            {"TTL(0)", true},   {"TTL(X)", false},   {"TTL", false},        {"FREE", true},
            {"FREE(1)", false}, {"TCH", true},       {"TCH()", true},       {"SPD(-127)", true},
            {"SPD(0)", false},  {"SPD(128)", false}, {"STR(00)", true},     {"STR(0)", false},
            {"JUMP(1)", false}, {"(5)", false},      {"SPD", false},
        };
        for (const auto& [action, allowed] : rows)
            QTest::newRow(action[0] ? action : "empty") << QString::fromLatin1(action) << allowed;
    }
    void validateLinkPattern() {
        QFETCH(QString, action);
        QFETCH(bool, allowed);
        // Put the action on CH7 behind valid entries; CH20 fails in any case.
        Actions actions;
        actions[0] = QStringLiteral("MOV(10)");
        actions[6] = action;
        actions[19] = QStringLiteral("SET(9)");
        QCOMPARE(ValidateLinkPattern(actions), allowed ? 20 : 7);
        actions[19].clear();
        QCOMPARE(ValidateLinkPattern(actions), allowed ? 0 : 7);
    }

    void linkStep_data() {
        QTest::addColumn<int>("b");
        QTest::addColumn<QString>("action");
        QTest::addColumn<int>("direction");
        QTest::addColumn<int>("expected"); // -1: the action cannot be used
        QTest::newRow("MOV up") << 16000 << "MOV(10)" << 1 << 16010;
        QTest::newRow("MOV down") << 16000 << "MOV(10)" << -1 << 15990;
        QTest::newRow("negative MOV up") << 16000 << "mov ( -10 )" << 1 << 15990;
        QTest::newRow("MOV clamped high") << 17070 << "MOV(10)" << 1 << 17074;
        QTest::newRow("MOV clamped low") << 15700 << "MOV(10)" << -1 << 15694;
        QTest::newRow("MOV from outside the bar") << 30000 << "MOV(-1)" << 1 << 17074;
        QTest::newRow("huge MOV") << 16000 << "MOV(-2147483648)" << -1 << 17074;
        QTest::newRow("MOV leaves FREE") << int(Pose::kFree) << "MOV(10)" << 1 << int(Pose::kFree);
        QTest::newRow("MOV leaves unused") << 0 << "MOV(10)" << 1 << 0;
        QTest::newRow("PRM up") << 16000 << "PRM(700)" << 1 << 17074;
        QTest::newRow("PRM down") << 16000 << "PRM(700)" << -1 << 17074;
        QTest::newRow("PRM small") << 1 << "PRM(-5)" << 1 << 16379;
        QTest::newRow("PRM leaves L")
            << int(Pose::kOutputLow) << "PRM(5)" << 1 << int(Pose::kOutputLow);
        QTest::newRow("SET on unused") << 0 << "SET(2)" << 1 << int(Pose::kSet2);
        QTest::newRow("SET on position") << 16000 << "set(3)" << -1 << int(Pose::kSet3);
        QTest::newRow("TTL H") << 16000 << "TTL(H)" << 1 << int(Pose::kOutputHigh);
        QTest::newRow("TTL 1") << 0 << "TTL(1)" << -1 << int(Pose::kOutputHigh);
        QTest::newRow("TTL l") << int(Pose::kFree) << "ttl(l)" << 1 << int(Pose::kOutputLow);
        QTest::newRow("TTL 0") << 16000 << "TTL(0)" << 1 << int(Pose::kOutputLow);
        QTest::newRow("FREE") << 16000 << "FREE" << 1 << int(Pose::kFree);
        QTest::newRow("TCH") << 16000 << "TCH" << 1 << 16000;
        QTest::newRow("SPD") << 16000 << "SPD(5)" << 1 << 16000;
        QTest::newRow("STR") << 16000 << "STR(5)" << -1 << 16000;
        QTest::newRow("empty") << 16000 << "" << 1 << 16000;
        QTest::newRow("MOV not integer") << 16000 << "MOV(1.5)" << 1 << -1;
        QTest::newRow("MOV not integer, unused") << 0 << "MOV(x)" << 1 << -1;
        QTest::newRow("PRM empty") << 16000 << "PRM" << 1 << -1;
        QTest::newRow("PRM beyond 32 bits") << 16000 << "PRM(99999999999)" << 1 << -1;
        QTest::newRow("SET not integer") << 16000 << "SET(?)" << 1 << -1;
        QTest::newRow("SET 7") << 16000 << "SET(7)" << 1 << -1;
        QTest::newRow("TTL X") << 16000 << "TTL(X)" << 1 << -1;
        QTest::newRow("unknown keyword") << 16000 << "JUMP(1)" << 1 << -1;
    }
    void linkStep() {
        QFETCH(int, b);
        QFETCH(QString, action);
        QFETCH(int, direction);
        QFETCH(int, expected);
        const std::optional<quint16> v = LinkStep(quint16(b), action, direction);
        QCOMPARE(v ? int(*v) : -1, expected);
    }
};

QVX_TEST_CLASS(ChannelEntryTest)
#include "ChannelEntryTest.moc"
