#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace qvx {

// The language the program speaks: the texts of the source ("C": the C
// locale, as the tests run), English (the source texts with the corrections
// of quorvex_en.qm) or Japanese (quorvex_ja.qm). The settings file chooses
// with Language=auto|en|ja in its main section [QVX3]; auto follows the
// locale (LANGUAGE, LC_ALL, LC_MESSAGES, LANG). A change applies at the next
// start.
class Language {
  public:
    static constexpr char kKey[] = "Language";
    // The choices the settings file may hold, in the order menus offer them.
    static QStringList Choices() {
        return {QStringLiteral("auto"), QStringLiteral("en"), QStringLiteral("ja")};
    }

    // "C", "en" or "ja" for a setting; an unknown setting counts as auto.
    static QString Resolve(const QString& setting);
    // The language the locale asks for: "C" for the C locale (or none),
    // "ja" when its first language that the program has is Japanese, else
    // "en".
    static QString FromLocale();
    // The folder the catalogues are read from: PREFIX/share/quorvex/translations
    // beside the installed program, or the build tree's copy.
    static QString CatalogueDir();
    // Loads the catalogue of the language (and Qt's own, for its standard
    // buttons) into the application. Nothing to load for "C". False, with
    // the reason, when a catalogue the language needs cannot be read: the
    // program then shows the texts of the source.
    static bool Install(QCoreApplication& app, const QString& language, QString* error);
    // The language installed last ("C" before any).
    static QString Current();
};

} // namespace qvx
