#include "board/WordClasses.h"
#include "common/TestRegistry.h"

#include <QTest>

using namespace qvx;

class WordClassesTest : public QObject {
    Q_OBJECT

  private slots:
    void table_coversEveryWordOnce() {
        int expected = 0;
        for (const WordClass& c : WordClasses::table()) {
            QCOMPARE(int(c.first), expected);
            QVERIFY(c.last >= c.first);
            expected = int(c.last) + 1;
        }
        QCOMPARE(expected, 0x10000);
    }

    void splitValue_recombinesToTheWordForEveryWord() {
        for (int w = 0; w <= 0xFFFF; ++w) {
            const CodeSplit s = WordClasses::SplitValue(quint16(w));
            const WordClass& c = WordClasses::ValueKind(quint16(w));
            QVERIFY2(w >= c.first && w <= c.last, qPrintable(QString::number(w, 16)));
            if (c.assigned()) {
                QCOMPARE(s.base + s.argument, w);
                QVERIFY(s.argument >= 0);
            } else {
                QCOMPARE(s, (CodeSplit{w + 1, -1}));
            }
        }
    }

    void valueKind_atRangeBoundaries_data() {
        QTest::addColumn<int>("word");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("base");
        const struct {
            int word, number, kind, base;
        } rows[] = {
            {0x0000, 0, RecordPos, 0x0000},   {0x0001, 1, RecordPos, 0x0001},
            {0x8005, 1, RecordPos, 0x0001},   {0x8006, 2, RecordSet, 0x8006},
            {0x8007, 3, RecordPos, 0x8007},   {0x8086, 3, RecordPos, 0x8007},
            {0x8087, 4, RecordPos, 0x8087},   {0x8106, 4, RecordPos, 0x8087},
            {0x8107, 5, RecordJmp, 0x8107},   {0x8206, 5, RecordJmp, 0x8107},
            {0x8207, 6, RecordSet, 0x8207},   {0x8306, 6, RecordSet, 0x8207},
            {0x8307, 7, RecordCmp, 0x8307},   {0x8406, 7, RecordCmp, 0x8307},
            {0x8407, -1, RecordNone, 0x8408}, {0x8C05, -1, RecordNone, 0x8C06},
            {0x8C06, 9, RecordCmp, 0x8C06},   {0x8D06, 10, RecordCmp, 0x8D06},
            {0x8E06, 11, RecordCmp, 0x8E06},  {0x8F05, 11, RecordCmp, 0x8E06},
            {0x8F06, 12, RecordSet, 0x8F06},  {0x9205, 14, RecordSet, 0x9106},
            {0x9206, 15, RecordCmp, 0x9206},  {0x9605, 18, RecordCmp, 0x9506},
            {0x9606, 19, RecordSet, 0x9606},  {0x9A05, 22, RecordSet, 0x9906},
            {0x9A06, 34, RecordCmp, 0x9A06},  {0x9B06, 35, RecordCmp, 0x9B06},
            {0x9C05, 35, RecordCmp, 0x9B06},  {0x9C06, 8, RecordSet, 0x9C06},
            {0xE004, 8, RecordSet, 0x9C06},   {0xE005, -1, RecordNone, 0xE006},
            {0xFBEF, -1, RecordNone, 0xFBF0}, {0xFBF0, 33, RecordSet, 0xFBF0},
            {0xFBF1, 33, RecordSet, 0xFBF0},  {0xFBF2, 32, RecordSet, 0xFBF2},
            {0xFBF3, 32, RecordSet, 0xFBF2},  {0xFBF4, 23, RecordSet, 0xFBF4},
            {0xFCF4, 24, RecordSet, 0xFCF4},  {0xFEF3, 25, RecordSet, 0xFDF4},
            {0xFEF4, 26, RecordSet, 0xFEF4},  {0xFEF5, 27, RecordSet, 0xFEF4},
            {0xFEF6, 28, RecordSet, 0xFEF4},  {0xFEF7, 29, RecordSet, 0xFEF7},
            {0xFFF6, 29, RecordSet, 0xFEF7},  {0xFFF7, 30, RecordSet, 0xFFF7},
            {0xFFFE, 30, RecordSet, 0xFFF7},  {0xFFFF, 31, RecordEnd, 0xFFFF},
        };
        for (const auto& r : rows)
            QTest::newRow(qPrintable(QString::number(r.word, 16)))
                << r.word << r.number << r.kind << r.base;
    }
    void valueKind_atRangeBoundaries() {
        QFETCH(int, word);
        QFETCH(int, number);
        QFETCH(int, kind);
        QFETCH(int, base);
        const WordClass& c = WordClasses::ValueKind(quint16(word));
        QCOMPARE(c.number, number);
        QCOMPARE(int(c.kind), kind);
        QCOMPARE(WordClasses::SplitValue(quint16(word)).base, base);
    }

    void branchAndJumpClasses_areAll256Wide() {
        for (const WordClass& c : WordClasses::table())
            if (c.kind == RecordCmp || c.kind == RecordJmp) QCOMPARE(c.size(), 256);
    }

    void commonCodeBase_ofEqualBases_givesLastArgument() {
        ChannelValues v;
        v.fill(0x8207 + 5);
        v[23] = 0x8207 + 9;
        QCOMPARE(WordClasses::CommonCodeBase(v), (CodeSplit{0x8207, 9}));
    }

    void commonCodeBase_ofMixedBases_givesZeroAndFirstDifferingArgument() {
        ChannelValues v;
        v.fill(0xFBF4 + 3);
        v[4] = 0xFCF4 + 7; // differs from the value before it
        v[9] = 0xFDF4 + 1;
        QCOMPARE(WordClasses::CommonCodeBase(v), (CodeSplit{0, 7}));
    }

    void commonCodeBase_sharedBaseOfCalibrationClasses_counts_asOne() {
        ChannelValues v;
        v.fill(0xFEF4);
        v[23] = 0xFEF6;
        QCOMPARE(WordClasses::CommonCodeBase(v), (CodeSplit{0xFEF4, 2}));
    }

    void recordCodeBase_readsWordsHighByteFirst() {
        MotionRecord r;
        r.lead = 7;
        r.words.fill(0x8307);
        r.words[23] = 0x8307 + 0x12;
        QByteArray bytes = r.toBytes();
        QCOMPARE(WordClasses::RecordCodeBase(bytes), (CodeSplit{0x8307, 0x12}));
        bytes[1] = char(0x00); // CH1 becomes 0x0007, a pose value
        QCOMPARE(WordClasses::RecordCodeBase(bytes).base, 0);
        QCOMPARE(WordClasses::RecordCodeBase(bytes.left(48)), (CodeSplit{0, -1}));
    }

    void recordCodeBase_ofTwoUnassignedWords_differs() {
        MotionRecord r;
        r.words.fill(0x8500);
        QCOMPARE(WordClasses::RecordCodeBase(r), (CodeSplit{0x8501, -1}));
        r.words[3] = 0x8501;
        QCOMPARE(WordClasses::RecordCodeBase(r).base, 0);
    }
};

QVX_TEST_CLASS(WordClassesTest)
#include "WordClassesTest.moc"
