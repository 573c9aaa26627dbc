#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

// Test classes of one test executable register here and all run from one main().
namespace qvxtest {

using Factory = std::function<std::unique_ptr<QObject>()>;
std::vector<std::pair<const char*, Factory>>& registry();

struct Registrar {
    Registrar(const char* name, Factory f) { registry().emplace_back(name, std::move(f)); }
};

} // namespace qvxtest

#define QVX_TEST_CLASS(Class)                                                                     \
    static qvxtest::Registrar qvx_registrar_##Class(#Class,                                       \
                                                    [] { return std::make_unique<Class>(); });
