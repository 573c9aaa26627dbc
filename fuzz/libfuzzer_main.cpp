// libFuzzer's entry: built only with -DQVX_FUZZ=ON and clang.
#include "fuzz/ReaderFuzz.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static int argc = 1;
    static char name[] = "fuzz_readers";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return qvx::FuzzReaders(data, size);
}
