// libFuzzer's entry for the robot model reader: built only with -DQVX_FUZZ=ON and clang.
#include "fuzz/ModelFuzz.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_models";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return qvx::FuzzModels(data, size);
}
