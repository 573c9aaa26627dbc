#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

// Test classes of one test executable register here and all run from one main().
namespace qvxtest {

using Factory = std::function<std::unique_ptr<QObject>()>;

struct RegisteredClass {
    const char* name;
    Factory make;
    // Runs only when named with -class (classes the suite's own checks start in
    // a child process, such as ones made to fail on purpose).
    bool onRequestOnly;
};
std::vector<RegisteredClass>& registry();

struct Registrar {
    Registrar(const char* name, Factory f, bool onRequestOnly = false) {
        registry().push_back({name, std::move(f), onRequestOnly});
    }
};

} // namespace qvxtest

#define QVX_TEST_CLASS(Class)                                                                     \
    static qvxtest::Registrar qvx_registrar_##Class(#Class,                                       \
                                                    [] { return std::make_unique<Class>(); });

#define QVX_TEST_CLASS_ON_REQUEST(Class)                                                           \
    static qvxtest::Registrar qvx_registrar_##Class(                                               \
        #Class, [] { return std::make_unique<Class>(); }, true);
