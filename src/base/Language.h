#pragma once

#include <QString>
#include <QStringList>

class QCoreApplication;

namespace qvx {

// The language the program speaks: English (the texts of the source) or
// Japanese (the catalogue quorvex_ja.qm). The settings file chooses with
// Language=auto|en|ja in its main section [QVX3]; auto follows the locale
// (LANGUAGE, LC_ALL, LC_MESSAGES, LANG). A change applies at the next start.
class Language {
  public:
    static constexpr char kKey[] = "Language";
    // The choices the settings file may hold, in the order menus offer them.
    static QStringList Choices() {
        return {QStringLiteral("auto"), QStringLiteral("en"), QStringLiteral("ja")};
    }

    // "en" or "ja" for a setting; an unknown setting counts as auto.
    static QString Resolve(const QString& setting);
    // The language the locale asks for: "ja" when its first language that
    // the program has is Japanese, else "en".
    static QString FromLocale();
    // The folder the catalogues are read from: PREFIX/share/quorvex/translations
    // beside the installed program, or the build tree's copy.
    static QString CatalogueDir();
    // Loads the catalogue of the language (and Qt's own, for its standard
    // buttons) into the application. Nothing to load for English. False,
    // with the reason, when a catalogue the language needs cannot be read:
    // the program then speaks English.
    static bool Install(QCoreApplication& app, const QString& language, QString* error);
    // The language installed last ("en" before any).
    static QString Current();
};

} // namespace qvx
