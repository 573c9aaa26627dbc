#include "common/TestRegistry.h"

#include <QApplication>
#include <QTest>

namespace qvxtest {
std::vector<std::pair<const char*, Factory>>& registry() {
    static std::vector<std::pair<const char*, Factory>> r;
    return r;
}
} // namespace qvxtest

// Runs every registered test class. "-class NAME" runs one; other arguments go to QTest.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStringList args = app.arguments();
    QString only;
    const int at = args.indexOf(QStringLiteral("-class"));
    if (at > 0 && at + 1 < args.size()) {
        only = args[at + 1];
        args.remove(at, 2);
    }
    int failures = 0;
    for (auto& [name, make] : qvxtest::registry()) {
        if (!only.isEmpty() && only != QLatin1String(name)) continue;
        auto object = make();
        failures += QTest::qExec(object.get(), args);
    }
    return failures == 0 ? 0 : 1;
}
