// libFuzzer's entry for the picture decoder: built only with -DQVX_FUZZ=ON and clang.
#include "fuzz/PictureFuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    return qvx::FuzzPictures(data, size);
}
