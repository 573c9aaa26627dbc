#include "common/CallbackGuard.h"
#include "common/TestRegistry.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QMetaMethod>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>

namespace qvxtest {
std::vector<RegisteredClass>& registry() {
    static std::vector<RegisteredClass> r;
    return r;
}
} // namespace qvxtest

namespace {

using qvxtest::RegisteredClass;

// Qt Test options followed by a value.
const QSet<QString> kOptionsWithValue = {
    QStringLiteral("-o"),
    QStringLiteral("-eventdelay"),
    QStringLiteral("-keydelay"),
    QStringLiteral("-mousedelay"),
    QStringLiteral("-maxwarnings"),
    QStringLiteral("-seed"),
    QStringLiteral("-repeat"),
    QStringLiteral("-iterations"),
    QStringLiteral("-median"),
    QStringLiteral("-minimumvalue"),
    QStringLiteral("-minimumtotal"),
    QStringLiteral("-perfcounter"),
};

// Output formats whose files may simply follow one another.
const QSet<QString> kStreamFormats = {QStringLiteral("txt"), QStringLiteral("csv"),
                                      QStringLiteral("tap"), QStringLiteral("teamcity"),
                                      QStringLiteral("lightxml")};

// The slots Qt Test runs as test functions (the same rule as Qt Test's own).
QStringList testFunctions(const QMetaObject* mo) {
    static const QSet<QByteArray> fixtures = {"initTestCase", "cleanupTestCase", "init", "cleanup"};
    QStringList names;
    for (int i = mo->methodOffset(); i < mo->methodCount(); ++i) {
        const QMetaMethod m = mo->method(i);
        if (m.methodType() != QMetaMethod::Slot || m.access() != QMetaMethod::Private) continue;
        if (m.parameterCount() != 0 || m.returnMetaType().id() != QMetaType::Void) continue;
        const QByteArray name = m.name();
        if (name.endsWith("_data") || fixtures.contains(name)) continue;
        names << QString::fromLatin1(name);
    }
    return names;
}

QStringList testFunctions(const RegisteredClass& c) {
    const auto object = c.make();
    return testFunctions(object->metaObject());
}

// A function named on the command line: "function", "function:tag",
// "Class::function" or "Class::function:tag", with or without "()".
struct FunctionArg {
    QString className; // empty: every class that has the function
    QString function;
    QString tag;  // with its leading ':' when given
    QString text; // as typed
    bool matched = false;

    QString forQTest() const { return function + tag; }
};

FunctionArg parseFunctionArg(const QString& text) {
    FunctionArg f;
    f.text = text;
    QString rest = text;
    const qsizetype scope = rest.indexOf(QLatin1String("::"));
    if (scope > 0) {
        f.className = rest.left(scope);
        rest = rest.mid(scope + 2);
    }
    const qsizetype colon = rest.indexOf(u':');
    if (colon >= 0) {
        f.tag = rest.mid(colon);
        rest = rest.left(colon);
    }
    if (rest.endsWith(QLatin1String("()"))) rest.chop(2);
    f.function = rest;
    return f;
}

// One "-o file,format" of the command line.
struct OutputArg {
    qsizetype index; // of the value in the argument list
    QString file, format;
};

QString withClassName(const QString& file, const char* className) {
    const QFileInfo info(file);
    const QString suffix = info.suffix().isEmpty() ? QString() : QLatin1Char('.') + info.suffix();
    return info.dir().filePath(info.completeBaseName() + QLatin1Char('-') +
                               QLatin1String(className) + suffix);
}

// JUnit results of several classes as one document with a <testsuites> root.
QByteArray mergeJUnit(const QList<QByteArray>& parts) {
    static const QRegularExpression declaration(QStringLiteral("^\\s*<\\?xml[^>]*\\?>\\s*"));
    QByteArray out = "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\n<testsuites>\n";
    for (const QByteArray& part : parts)
        out += QString::fromUtf8(part).remove(declaration).toUtf8();
    out += "</testsuites>\n";
    return out;
}

void printUsage() {
    std::puts("This program holds several Qt Test classes and runs them one after the other.\n"
              "  -class NAME          run only class NAME (may be repeated)\n"
              "  -functions           list the test functions as Class::function()\n"
              "  function[:tag]       run that function in every class that has it\n"
              "  Class::function[:tag] run that function of one class\n"
              "With -o FILE,FORMAT and several classes, the results of text, csv, tap, teamcity\n"
              "and lightxml follow one another in FILE, JUnit results are merged under one\n"
              "<testsuites> root, and xml results go to one FILE-Class file per class.\n"
              "Qt Test's own options follow.\n");
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    qvxtest::installCallbackGuard();
    // Windows read and write their settings and pattern files in the settings
    // folder: tests get a folder of their own, never the user's.
    QTemporaryDir configDir;
    if (qEnvironmentVariableIsEmpty("QVX_CONFIG_DIR")) qputenv("QVX_CONFIG_DIR", QFile::encodeName(configDir.path()));

    const QStringList args = app.arguments();
    QStringList passOn{args.value(0)};
    QStringList onlyClasses;
    std::vector<FunctionArg> functionArgs;
    std::vector<OutputArg> outputs;
    QString legacyFormat = QStringLiteral("txt");
    bool listFunctions = false;
    bool help = false;
    for (qsizetype i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == QLatin1String("-class") && i + 1 < args.size()) {
            onlyClasses << args[++i];
        } else if (a == QLatin1String("-functions")) {
            listFunctions = true;
        } else if (kOptionsWithValue.contains(a) && i + 1 < args.size()) {
            passOn << a << args[i + 1];
            if (a == QLatin1String("-o")) {
                const QString value = args[i + 1];
                const qsizetype comma = value.lastIndexOf(u',');
                outputs.push_back({passOn.size() - 1, comma < 0 ? value : value.left(comma),
                                   comma < 0 ? QString() : value.mid(comma + 1)});
            }
            ++i;
        } else if (a.startsWith(u'-')) {
            if (a == QLatin1String("-help") || a == QLatin1String("--help") ||
                a == QLatin1String("-h"))
                help = true;
            static const QSet<QString> formats = {
                "-txt", "-csv", "-xml", "-lightxml", "-junitxml", "-xunitxml", "-teamcity", "-tap"};
            if (formats.contains(a)) legacyFormat = a.mid(1);
            passOn << a;
        } else {
            functionArgs.push_back(parseFunctionArg(a));
        }
    }
    for (OutputArg& o : outputs)
        if (o.format.isEmpty()) o.format = legacyFormat;

    auto& registry = qvxtest::registry();
    for (const QString& name : onlyClasses) {
        const bool known =
            std::any_of(registry.begin(), registry.end(),
                        [&](const RegisteredClass& c) { return name == QLatin1String(c.name); });
        if (!known) {
            std::fprintf(stderr, "No test class named %s in this program.\n", qPrintable(name));
            return 1;
        }
    }

    // The classes asked for: those named with -class, or else every class that
    // runs by default; a function argument with a class name asks for that class.
    std::vector<const RegisteredClass*> chosen;
    for (const RegisteredClass& c : registry) {
        const QString name = QLatin1String(c.name);
        const bool named = onlyClasses.contains(name);
        const bool scoped = std::any_of(functionArgs.begin(), functionArgs.end(),
                                        [&](const FunctionArg& f) { return f.className == name; });
        if (named || scoped || (onlyClasses.isEmpty() && !c.onRequestOnly)) chosen.push_back(&c);
    }

    if (help) {
        printUsage();
        if (!chosen.empty()) {
            const auto object = chosen.front()->make();
            return QTest::qExec(object.get(), passOn);
        }
        return 0;
    }

    if (listFunctions) {
        for (const RegisteredClass* c : chosen)
            for (const QString& f : testFunctions(*c))
                std::printf("%s::%s()\n", c->name, qPrintable(f));
        return 0;
    }

    // Which functions each class runs: with function arguments, a class runs
    // only those it has, and a class that has none of them does not run.
    std::vector<std::pair<const RegisteredClass*, QStringList>> runs;
    for (const RegisteredClass* c : chosen) {
        if (functionArgs.empty()) {
            runs.emplace_back(c, QStringList());
            continue;
        }
        const QStringList has = testFunctions(*c);
        QStringList picked;
        for (FunctionArg& f : functionArgs) {
            if (!f.className.isEmpty() && f.className != QLatin1String(c->name)) continue;
            if (!has.contains(f.function)) continue;
            f.matched = true;
            picked << f.forQTest();
        }
        if (!picked.isEmpty()) runs.emplace_back(c, picked);
    }
    bool unmatched = false;
    for (const FunctionArg& f : functionArgs) {
        if (f.matched) continue;
        unmatched = true;
        if (f.className.isEmpty())
            std::fprintf(stderr, "No test class in this program has a function named %s.\n",
                         qPrintable(f.function));
        else
            std::fprintf(stderr, "Test class %s has no function named %s.\n",
                         qPrintable(f.className), qPrintable(f.function));
    }
    if (unmatched) return 1;

    // Several classes writing to one output file would each start it anew: each
    // writes its own file here, and they are put together afterwards.
    QTemporaryDir scratch;
    const bool gather = runs.size() > 1;
    std::vector<QList<QByteArray>> gathered(outputs.size());

    int failures = 0;
    for (qsizetype k = 0; k < qsizetype(runs.size()); ++k) {
        const auto& [c, functions] = runs[size_t(k)];
        QStringList classArgs = passOn;
        for (size_t n = 0; n < outputs.size(); ++n) {
            const OutputArg& o = outputs[n];
            if (!gather || o.file == QLatin1String("-")) continue;
            const QString file = o.format == QLatin1String("xml")
                                     ? withClassName(o.file, c->name)
                                     : scratch.filePath(QStringLiteral("%1-%2").arg(n).arg(k));
            classArgs[o.index] = file + QLatin1Char(',') + o.format;
        }
        classArgs << functions;
        const auto object = c->make();
        failures += QTest::qExec(object.get(), classArgs);
        for (size_t n = 0; n < outputs.size(); ++n) {
            const OutputArg& o = outputs[n];
            if (!gather || o.file == QLatin1String("-") || o.format == QLatin1String("xml"))
                continue;
            QFile part(scratch.filePath(QStringLiteral("%1-%2").arg(n).arg(k)));
            gathered[n] << (part.open(QIODevice::ReadOnly) ? part.readAll() : QByteArray());
        }
    }

    for (size_t n = 0; n < outputs.size(); ++n) {
        const OutputArg& o = outputs[n];
        if (!gather || o.file == QLatin1String("-") || o.format == QLatin1String("xml")) continue;
        QFile out(o.file);
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
            std::fprintf(stderr, "Cannot write %s.\n", qPrintable(o.file));
            return 1;
        }
        if (kStreamFormats.contains(o.format))
            out.write(gathered[n].join());
        else
            out.write(mergeJUnit(gathered[n]));
    }
    return qMin(failures, 127);
}
