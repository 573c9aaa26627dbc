#pragma once

// What the picture programs set up alike: the program's look, the locale's
// language (LC_ALL=C.UTF-8 gives the README's English pictures,
// LANG=ja_JP.UTF-8 without LC_ALL the Japanese ones), the IPA font, and a
// settings folder of their own, so that the pictures show the program as it
// starts.
#include "app/MainWindow.h"
#include "app/WidgetServices.h"
#include "base/Language.h"

#include <QApplication>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <QTest>

namespace qvx {

struct Shots {
    QTemporaryDir settings;

    explicit Shots(QApplication& app) {
        WidgetServices::SetUpApplication();
        Language::Install(app, Language::FromLocale(), nullptr);
        QFont font(QStringLiteral("IPAPGothic"));
        if (QFontDatabase::families().contains(QStringLiteral("IPAPGothic"))) {
            font.setPixelSize(12);
            QApplication::setFont(font);
        }
        qputenv("QVX_CONFIG_DIR", QFile::encodeName(settings.path()));
    }

    QString settingsFile() const { return settings.filePath(QStringLiteral("QVX3J.ini")); }

    // The window shown with the document opened into an empty chart.
    static bool Open(MainWindow& window, WidgetServices& services, const char* document) {
        services.attach(&window, window.Edit2);
        window.show();
        window.ClearChart();
        return window.OpenFile(QString::fromLocal8Bit(document));
    }
};

} // namespace qvx
