#include "base/Language.h"

#include "base/DataFolder.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace qvx {

namespace {

QString g_current = QStringLiteral("C");

} // namespace

QString Language::Resolve(const QString& setting) {
    const QString s = setting.trimmed().toLower();
    if (s == QLatin1String("en") || s == QLatin1String("ja")) return s;
    return FromLocale();
}

QString Language::FromLocale() {
    // As gettext does: the locale of messages is the first of LC_ALL,
    // LC_MESSAGES and LANG that is set; the C locale shows the texts of the
    // source whatever LANGUAGE says, any other lets LANGUAGE's list choose
    // (the first language the program has wins).
    QString locale;
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        locale = qEnvironmentVariable(variable);
        if (!locale.isEmpty()) break;
    }
    if (locale.isEmpty() || locale == QLatin1String("C") ||
        locale.startsWith(QLatin1String("C.")) || locale == QLatin1String("POSIX"))
        return QStringLiteral("C");
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
    if (language != QLatin1String("ja") && language != QLatin1String("en")) {
        g_current = QStringLiteral("C");
        return true;
    }
    auto* own = new QTranslator(&app);
    const QString dir = CatalogueDir();
    const QString file = QStringLiteral("quorvex_%1.qm").arg(language);
    if (dir.isEmpty() || !own->load(file, dir)) {
        delete own;
        g_current = QStringLiteral("C");
        if (error)
            *error =
                QStringLiteral("The texts of %1 were not found in %2")
                    .arg(file, dir.isEmpty() ? QStringLiteral("share/quorvex/translations") : dir);
        return false;
    }
    QCoreApplication::installTranslator(own);
    if (language == QLatin1String("en")) {
        // Qt's own texts are English already.
        g_current = language;
        return true;
    }
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
