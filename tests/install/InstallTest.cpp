#include "common/TestRegistry.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {

struct Ran {
    int code = -1;
    QString out;
};

// Runs a program to its end (at most two minutes) and keeps what it printed.
Ran run(const QString& program, const QStringList& args, const QString& dir = {}) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    if (!dir.isEmpty()) p.setWorkingDirectory(dir);
    p.start(program, args);
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAll())};
}

QString readText(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

// The installed program: `cmake --install` into a temporary prefix puts every
// file where the XDG specifications and Debian look for it, and `cpack -G DEB`
// builds a package with its dependencies.
class InstallTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_prefix;

  private slots:
    void initTestCase() {
        const Ran r = run(QStringLiteral("cmake"), {"--install", QStringLiteral(QVX_BUILD_DIR),
                                                    "--prefix", m_prefix.path()});
        QVERIFY2(r.code == 0, qPrintable(r.out));
    }

    void filesAreInTheirXdgPlaces() {
        const QDir p(m_prefix.path());
        const QStringList expected = {
            "bin/quorvex",
            "bin/qvx",
            "share/applications/quorvex.desktop",
            "share/mime/packages/quorvex.xml",
            "share/icons/hicolor/scalable/apps/quorvex.svg",
            "share/icons/hicolor/scalable/mimetypes/application-x-quorvex-qmx.svg",
            "share/man/man1/quorvex.1.gz",
            "share/man/man1/qvx.1.gz",
            "share/bash-completion/completions/qvx",
            "lib/udev/rules.d/60-quorvex-serial.rules",
            "share/quorvex/models/quorvex-humanoid.urdf",
            "share/quorvex/examples/wave.QMX",
            "share/metainfo/org.example.quorvex.metainfo.xml",
            "share/doc/quorvex/copyright",
            "share/doc/quorvex/changelog.gz",
            "share/doc/quorvex/changelog.Debian.gz",
            "share/quorvex/translations/quorvex_ja.qm",
            "share/quorvex/translations/quorvex_en.qm",
            "share/lintian/overrides/quorvex",
            "share/doc/quorvex/README.md",
            "share/doc/quorvex/guide.md",
        };
        for (const QString& f : expected)
            QVERIFY2(QFile::exists(p.filePath(f)), qPrintable(f));
        for (int size : {16, 32, 48, 64, 128, 256}) {
            const QString png =
                p.filePath(QStringLiteral("share/icons/hicolor/%1x%1/apps/quorvex.png").arg(size));
            const QImage image(png);
            QCOMPARE(image.size(), QSize(size, size));
        }
        QVERIFY(QFileInfo(p.filePath("bin/qvx")).isExecutable());
        const Ran v = run(p.filePath("bin/qvx"), {"--version"});
        QCOMPARE(v.code, 0);
        QVERIFY(v.out.contains(QStringLiteral("qvx 3.")));
    }

    // The installed qvx draws with the installed robot model: the build tree's
    // copy lies out of its reach, and naming no model there fails.
    void installedPreview_findsTheInstalledModel() {
        const QString doc = QStringLiteral(QVX_SOURCE_DIR "/docs/screenshots/wave.QMX");
        const QString png = m_prefix.filePath(QStringLiteral("robot.png"));
        const Ran r = run(QDir(m_prefix.path()).filePath("bin/qvx"),
                          {"preview", doc, "--item", "1", "--png", png, "--size", "64x48"});
        QVERIFY2(r.code == 0, qPrintable(r.out));
        QCOMPARE(QImage(png).size(), QSize(64, 48));
    }

    void desktopEntryAndMimeTypeAreValidAndAgree() {
        const QDir p(m_prefix.path());
        const QString desktop = p.filePath("share/applications/quorvex.desktop");
        const Ran validate = run(QStringLiteral("desktop-file-validate"), {desktop});
        QVERIFY2(validate.code == 0 && validate.out.trimmed().isEmpty(), qPrintable(validate.out));
        const QString entry = readText(desktop);
        QVERIFY(entry.contains(QStringLiteral("\nExec=quorvex %f\n")));
        QVERIFY(entry.contains(QStringLiteral("\nIcon=quorvex\n")));
        QVERIFY(entry.contains(QStringLiteral("\nMimeType=application/x-quorvex-qmx;\n")));

        const QString mime = p.filePath("share/mime/packages/quorvex.xml");
        const Ran lint = run(QStringLiteral("xmllint"), {"--noout", mime});
        QVERIFY2(lint.code == 0, qPrintable(lint.out));
        // The shared-mime-info format: a mime-info root in its namespace, the
        // type with a glob for the documents and the icon that is installed.
        QFile f(mime);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&f);
        QStringList seen;
        while (!xml.atEnd()) {
            xml.readNext();
            if (!xml.isStartElement()) continue;
            const QString name = xml.name().toString();
            if (name == QLatin1String("mime-info"))
                QCOMPARE(xml.namespaceUri().toString(),
                         QStringLiteral("http://www.freedesktop.org/standards/shared-mime-info"));
            else if (name == QLatin1String("mime-type"))
                seen << QStringLiteral("type=") + xml.attributes().value("type").toString();
            else if (name == QLatin1String("glob"))
                seen << QStringLiteral("glob=") + xml.attributes().value("pattern").toString();
            else if (name == QLatin1String("icon"))
                seen << QStringLiteral("icon=") + xml.attributes().value("name").toString();
        }
        QVERIFY(!xml.hasError());
        QVERIFY(seen.contains(QStringLiteral("type=application/x-quorvex-qmx")));
        QVERIFY(seen.contains(QStringLiteral("glob=*.qmx")));
        QVERIFY(seen.contains(QStringLiteral("icon=application-x-quorvex-qmx")));
    }

    // Software centres read the AppStream file; it names the desktop entry
    // that is installed beside it.
    void appStreamMetadata_isValid() {
        const QDir p(m_prefix.path());
        const QString metainfo = p.filePath("share/metainfo/org.example.quorvex.metainfo.xml");
        const Ran validate =
            run(QStringLiteral("appstreamcli"), {"validate", "--no-net", "--explain", metainfo});
        QVERIFY2(validate.code == 0, qPrintable(validate.out));
        QVERIFY(readText(metainfo).contains(
            QStringLiteral("<launchable type=\"desktop-id\">quorvex.desktop</launchable>")));
        QVERIFY(QFile::exists(p.filePath("share/applications/quorvex.desktop")));
    }

    // Every installed example compiles with the installed qvx, and none has a
    // finding the checks call an error on the shipped robot model.
    void examples_compileAndPassTheChecks_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("listed");
        QTest::newRow("wave") << "wave.QMX"
                              << "\"Waved 3 times?\",CPJ,\"Wave out\"";
        QTest::newRow("squats") << "squats.QMX"
                                << "\"Squatted 5 times?\",CPJ,\"Squat down\"";
        QTest::newRow("button") << "button.QMX"
                                << "\"Button 1 pressed?\",CPJ,\"Raise both arms\"";
        QTest::newRow("scenario") << "scenario.QMX"
                                  << "M3 Button reply";
    }

    void examples_compileAndPassTheChecks() {
        QFETCH(QString, file);
        QFETCH(QString, listed);
        const QDir p(m_prefix.path());
        const QString doc = p.filePath(QStringLiteral("share/quorvex/examples/") + file);
        const Ran compiled = run(p.filePath("bin/qvx"), {"compile", doc});
        QVERIFY2(compiled.code == 0, qPrintable(compiled.out));
        QVERIFY2(compiled.out.contains(listed), qPrintable(compiled.out));
        const Ran checked = run(p.filePath("bin/qvx"), {"check", doc, "--model", ""});
        QVERIFY2(checked.code == 0, qPrintable(checked.out));
    }

    // The package's documents: the copyright file in the machine-readable
    // form; the project's changelog and the package's Debian changelog, which
    // begins with this version, compressed without name or time stamp.
    void copyrightAndChangelogs() {
        const QDir p(m_prefix.path());
        const QString copyright = readText(p.filePath("share/doc/quorvex/copyright"));
        QVERIFY(copyright.startsWith(
            "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"));
        QVERIFY(copyright.contains("\nLicense: Expat\n"));
        QVERIFY(!copyright.contains(u'@' + QStringLiteral("QVX")));
        const QStringList starts = {QStringLiteral("Quorvex " QVX_VERSION_TEXT " ("),
                                    QStringLiteral("quorvex (" QVX_PACKAGE_VERSION ") unstable;")};
        const QStringList files = {"changelog.gz", "changelog.Debian.gz"};
        for (int i = 0; i < files.size(); ++i) {
            const QString changelog = p.filePath(QStringLiteral("share/doc/quorvex/") + files[i]);
            const Ran z = run(QStringLiteral("gzip"), {"-dc", changelog});
            QCOMPARE(z.code, 0);
            QVERIFY2(z.out.startsWith(starts[i]), qPrintable(z.out));
            QFile gz(changelog);
            QVERIFY(gz.open(QIODevice::ReadOnly));
            QCOMPARE(gz.read(10).mid(3, 5), QByteArray(5, '\0')); // no name, no time stamp
        }
    }

    void manPagesCompletionAndRule() {
        const QDir p(m_prefix.path());
        for (const char* page : {"quorvex", "qvx"}) {
            const Ran z =
                run(QStringLiteral("gzip"),
                    {"-dc", p.filePath(QStringLiteral("share/man/man1/%1.1.gz").arg(page))});
            QCOMPARE(z.code, 0);
            QVERIFY2(z.out.startsWith(QStringLiteral(".TH ") + QString::fromLatin1(page).toUpper()),
                     page);
        }
        const Ran syntax = run(QStringLiteral("bash"),
                               {"-n", p.filePath("share/bash-completion/completions/qvx")});
        QVERIFY2(syntax.code == 0, qPrintable(syntax.out));
        // ModemManager is kept off the converter chips only, not off every
        // ttyUSB (cellular modems show as ttyUSB too).
        const QString rules = readText(p.filePath("lib/udev/rules.d/60-quorvex-serial.rules"));
        QVERIFY(rules.contains(QStringLiteral("ENV{ID_MM_DEVICE_IGNORE}=\"1\"")));
        QVERIFY(!rules.contains(QStringLiteral("KERNEL==")));
    }

    void debianPackageBuildsWithItsDependencies() {
        QTemporaryDir out;
        const Ran pack = run(QStringLiteral("cpack"),
                             {"-G", "DEB", "-B", out.path(), "--config",
                              QStringLiteral(QVX_BUILD_DIR "/CPackConfig.cmake")},
                             QStringLiteral(QVX_BUILD_DIR));
        QVERIFY2(pack.code == 0, qPrintable(pack.out));
        const QStringList debs = QDir(out.path()).entryList({"*.deb"});
        QCOMPARE(debs.size(), 1);
        const QString deb = QDir(out.path()).filePath(debs.first());
        // The libraries as dpkg-shlibdeps finds them (the C++ runtime's
        // libgcc-s1 too); the font and the platform plugins are no dependency.
        const Ran depends = run(QStringLiteral("dpkg-deb"), {"--field", deb, "Depends"});
        QCOMPARE(depends.code, 0);
        for (const char* p : {"libqt6widgets6", "libqt6serialport6", "libjpeg62-turbo", "libgcc-s1",
                              "libgvc6", "libassimp5"})
            QVERIFY2(depends.out.contains(QLatin1String(p)), qPrintable(depends.out));
        for (const char* p : {"fonts-ipafont-gothic", "qt6-qpa-plugins"})
            QVERIFY2(!depends.out.contains(QLatin1String(p)), qPrintable(depends.out));
        const Ran recommends = run(QStringLiteral("dpkg-deb"), {"--field", deb, "Recommends"});
        QVERIFY2(recommends.out.contains("fonts-ipafont-gothic | fonts-noto-cjk"),
                 qPrintable(recommends.out));
        QVERIFY2(recommends.out.contains("qt6-wayland"), qPrintable(recommends.out));
        const Ran version = run(QStringLiteral("dpkg-deb"), {"--field", deb, "Version"});
        QCOMPARE(version.out.trimmed(), QStringLiteral(QVX_PACKAGE_VERSION));
        const Ran fields =
            run(QStringLiteral("dpkg-deb"), {"--field", deb, "Maintainer", "Homepage"});
        QVERIFY2(!fields.out.contains("localhost") && fields.out.contains("Homepage: https://"),
                 qPrintable(fields.out));
        const Ran contents = run(QStringLiteral("dpkg-deb"), {"--contents", deb});
        for (const char* f :
             {"./usr/bin/quorvex", "./usr/bin/qvx", "./usr/share/applications/quorvex.desktop",
              "./usr/share/mime/packages/quorvex.xml",
              "./usr/lib/udev/rules.d/60-quorvex-serial.rules", "./usr/share/doc/quorvex/copyright",
              "./usr/share/doc/quorvex/changelog.gz", "./usr/share/quorvex/examples/scenario.QMX"})
            QVERIFY2(contents.out.contains(QLatin1String(f)), f);
    }
};

QVX_TEST_CLASS(InstallTest)
#include "InstallTest.moc"
