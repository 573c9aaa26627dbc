#include "base/Language.h"
#include "common/TestRegistry.h"

#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

using namespace qvx;

// The language the program speaks: the setting first, else the locale as
// gettext reads it.
class LanguageTest : public QObject {
    Q_OBJECT

    static constexpr const char* kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG", "LANGUAGE"};
    QList<QByteArray> m_saved;

  private slots:
    void initTestCase() {
        for (const char* v : kVariables)
            m_saved << qgetenv(v);
    }
    void cleanupTestCase() {
        for (int i = 0; i < m_saved.size(); ++i)
            qputenv(kVariables[i], m_saved[i]);
    }

    void resolve_data() {
        QTest::addColumn<QString>("setting");
        QTest::addColumn<QStringList>("environment"); // LC_ALL, LC_MESSAGES, LANG, LANGUAGE
        QTest::addColumn<QString>("expected");
        const QStringList japanese{"", "", "ja_JP.UTF-8", ""};
        QTest::newRow("auto, LANG ja") << "auto" << japanese << "ja";
        QTest::newRow("no setting, LANG ja") << "" << japanese << "ja";
        QTest::newRow("en overrides the locale") << "en" << japanese << "en";
        QTest::newRow("ja overrides the locale")
            << "ja" << QStringList{"C.UTF-8", "", "", ""} << "ja";
        QTest::newRow("unknown setting counts as auto") << "fr" << japanese << "ja";
        QTest::newRow("C.UTF-8 speaks English")
            << "auto" << QStringList{"", "", "C.UTF-8", ""} << "C";
        QTest::newRow("an English locale")
            << "auto" << QStringList{"", "", "en_GB.UTF-8", ""} << "en";
        QTest::newRow("LC_ALL before LANG")
            << "auto" << QStringList{"C", "", "ja_JP.UTF-8", ""} << "C";
        QTest::newRow("LC_MESSAGES before LANG")
            << "auto" << QStringList{"", "ja_JP.UTF-8", "en_GB.UTF-8", ""} << "ja";
        QTest::newRow("LANGUAGE lists ja first")
            << "auto" << QStringList{"", "", "en_US.UTF-8", "fr:ja:en"} << "ja";
        QTest::newRow("C ignores LANGUAGE") << "auto" << QStringList{"", "", "C", "ja"} << "C";
        QTest::newRow("nothing set") << "auto" << QStringList{"", "", "", ""} << "C";
    }
    void resolve() {
        QFETCH(QString, setting);
        QFETCH(QStringList, environment);
        QFETCH(QString, expected);
        for (int i = 0; i < 4; ++i) {
            if (environment[i].isEmpty())
                qunsetenv(kVariables[i]);
            else
                qputenv(kVariables[i], environment[i].toUtf8());
        }
        QCOMPARE(Language::Resolve(setting), expected);
    }

    // The catalogues the build makes are found beside the programs; English
    // shows the corrected texts, the C locale those of the source.
    void cataloguesBuilt() {
        QVERIFY(!Language::CatalogueDir().isEmpty());
        QVERIFY(QFile::exists(Language::CatalogueDir() + QStringLiteral("/quorvex_ja.qm")));
        QTranslator english;
        QVERIFY(english.load(QStringLiteral("quorvex_en.qm"), Language::CatalogueDir()));
        QCOMPARE(english.translate("qvx::ServoParameterDialog", "Dumping"),
                 QStringLiteral("Damping"));
        QCOMPARE(english.translate("qvx::ServoParameterDialog", "Punch"), QString());
    }
};

QVX_TEST_CLASS(LanguageTest)
#include "LanguageTest.moc"
