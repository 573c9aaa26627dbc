#include "base/Language.h"

#include "base/DataFolder.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qvx {

namespace {

QString g_current = QStringLiteral("en");

} // namespace

QString Language::Resolve(const QString& setting) {
    const QString s = setting.trimmed().toLower();
    if (s == QLatin1String("en") || s == QLatin1String("ja")) return s;
    return FromLocale();
}

QString Language::FromLocale() {
    // As gettext does: the locale of messages is the first of LC_ALL,
    // LC_MESSAGES and LANG that is set; the C locale speaks English whatever
    // LANGUAGE says, any other lets LANGUAGE's list choose (the first
    // language the program has wins).
    QString locale;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = qEnvironmentVariable(variable);
        if (!locale.isEmpty()) break;
    }
    if (locale.isEmpty() || locale == QLatin1String("C") ||
        locale.startsWith(QLatin1String("C.")) || locale == QLatin1String("POSIX"))
        return QStringLiteral("en");
    for (const QString& entry : qEnvironmentVariable("LANGUAGE").split(u':', Qt::SkipEmptyParts)) {
        if (entry.startsWith(QLatin1String("ja"))) return QStringLiteral("ja");
        if (entry.startsWith(QLatin1String("en"))) return QStringLiteral("en");
    }
    return locale.startsWith(QLatin1String("ja")) ? QStringLiteral("ja") : QStringLiteral("en");
}

QString Language::CatalogueDir() {
    return FindDataFolder(QStringLiteral("translations"));
}

bool Language::Install(QCoreApplication& app, const QString& language, QString* error) {
    if (language != QLatin1String("ja")) {
        g_current = QStringLiteral("en");
        return true;
    }
    auto* own = new QTranslator(&app);
    const QString dir = CatalogueDir();
    if (dir.isEmpty() || !own->load(QStringLiteral("quorvex_") + language, dir)) {
        delete own;
        if (error)
            *error = QStringLiteral("The Japanese texts (quorvex_ja.qm) were not found in %1")
                         .arg(dir.isEmpty() ? QStringLiteral("share/quorvex/translations") : dir);
        return false;
    }
    QCoreApplication::installTranslator(own);
    // Qt's own texts (Yes, No, Cancel ...) when Debian's Qt translations are there.
    auto* qt = new QTranslator(&app);
    if (qt->load(QStringLiteral("qtbase_") + language,
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
    else
        delete qt;
    g_current = language;
    return true;
}

QString Language::Current() {
    return g_current;
}

} // namespace qvx
