#include "common/TestRegistry.h"
#include "base/CommaList.h"

#include <QRandomGenerator>
#include <QTest>

using qvx::CommaList;

class CommaListTest : public QObject {
    Q_OBJECT
private slots:
    void split_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("fields");
        QTest::newRow("plain") << "1,2,3" << QStringList{"1", "2", "3"};
        QTest::newRow("empty text") << "" << QStringList{};
        QTest::newRow("two commas give an empty field") << "a,,b" << QStringList{"a", "", "b"};
        QTest::newRow("comma at the end gives a final empty field") << "a,b," << QStringList{"a", "b", ""};
        QTest::newRow("blanks around commas skipped") << "  a ,  b" << QStringList{"a", "b"};
        QTest::newRow("unquoted blank separates") << "a b,c" << QStringList{"a", "b", "c"};
        QTest::newRow("quoted keeps commas and blanks") << "\"a, b\",c" << QStringList{"a, b", "c"};
        QTest::newRow("doubled quote") << "\"say \"\"hi\"\"\",x" << QStringList{"say \"hi\"", "x"};
        QTest::newRow("quote left open takes the rest") << "\"abc,def" << QStringList{"abc,def"};
        QTest::newRow("tab ends a field") << "a\tb" << QStringList{"a", "b"};
        QTest::newRow("quoted empty") << "\"\",1" << QStringList{"", "1"};
    }
    void split() {
        QFETCH(QString, text);
        QFETCH(QStringList, fields);
        QCOMPARE(CommaList::split(text), fields);
    }

    void scan_stopsWhereTheCallerSays() {
        QStringList seen;
        const bool whole = CommaList::scan(u"1, \"a\"\"b\",3,", [&](QStringView f) {
            seen << f.toString();
            return true;
        });
        QVERIFY(whole);
        QCOMPARE(seen, QStringList({"1", "a\"b", "3", ""}));
        seen.clear();
        const bool stopped = CommaList::scan(u"1,2,3", [&](QStringView f) {
            seen << f.toString();
            return f != u"2";
        });
        QVERIFY(!stopped);
        QCOMPARE(seen, QStringList({"1", "2"}));
    }

    void join_quotesOnlyWhereNeeded() {
        QCOMPARE(CommaList::join({"NO", "motion 1", "a,b", "q\"", ""}),
                 QString("NO,\"motion 1\",\"a,b\",\"q\"\"\","));
        QCOMPARE(CommaList::join({""}), QString("\"\""));
        QCOMPARE(CommaList::join({}), QString());
    }

    void joinThenSplit_givesTheElementsBack() {
        QRandomGenerator rng(7);
        const QString alphabet = QString::fromUtf8("ab, \"\t無題x1");
        for (int round = 0; round < 500; ++round) {
            QStringList elements;
            const int n = 1 + int(rng.bounded(6));
            for (int i = 0; i < n; ++i) {
                QString e;
                const int len = int(rng.bounded(6));
                for (int k = 0; k < len; ++k) e += alphabet[int(rng.bounded(alphabet.size()))];
                elements << e;
            }
            QCOMPARE(CommaList::split(CommaList::join(elements)), elements);
        }
    }
};

QVX_TEST_CLASS(CommaListTest)
#include "CommaListTest.moc"
