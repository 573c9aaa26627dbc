#!/usr/bin/env bash
# Installs what is missing, checks the include layers and the formatting of
# changed lines, builds with AddressSanitizer and UndefinedBehaviorSanitizer,
# builds the release with warnings as errors and, with clang, the fuzz targets,
# checks the release's Debian package with lintian, and runs the whole test
# suite.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh --test
# Checks that need no build: no include runs up the layers, and every C++
# line changed since the formatting base is formatted.
python3 scripts/check_layers.py
./scripts/check_format.sh
# Every text a window shows is marked for translation, and the Japanese
# catalogue has no unfinished entry.
python3 scripts/check_translations.py sources
python3 scripts/check_translations.py catalogue
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQVX_SANITIZE=ON >/dev/null
# Test classes include their own moc output; a test file added since the last
# build is only scanned when the test targets' moc step runs again.
rm -f build-test/*_autogen/timestamp build-test/tests/*_autogen/timestamp
cmake --build build-test
# The fuzz targets only compile with clang, which is not installed for the
# suite: where it is, they are built (not run), so that code clang refuses
# shows here rather than when someone starts fuzzing.
if command -v clang++ >/dev/null 2>&1; then
  fuzz_targets=(qvx_fuzzentry qvx_fuzzpictures)
  # Linking needs libFuzzer's runtime (libclang-rt-14-dev), which clang does
  # not bring along; without it the code is still compiled.
  if echo 'extern "C" int LLVMFuzzerTestOneInput(const char*, unsigned long) { return 0; }' |
      clang++ -x c++ -fsanitize=fuzzer -o /dev/null - 2>/dev/null; then
    fuzz_targets+=(fuzz_readers fuzz_pictures fuzz_models)
  else
    echo "no libFuzzer runtime for clang++: the fuzz targets are compiled, not linked"
  fi
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DQVX_FUZZ=ON -DQVX_BUILD_TESTS=OFF >/dev/null
  cmake --build build-fuzz --target "${fuzz_targets[@]}"
else
  echo "clang++ not found: the fuzz targets are not built"
fi
# The programs as released, with every warning an error.
cmake -S . -B build-werror -G Ninja -DCMAKE_BUILD_TYPE=Release -DQVX_BUILD_TESTS=OFF \
      -DCMAKE_CXX_FLAGS=-Werror >/dev/null
cmake --build build-werror
# The release is linked with full RELRO and BIND_NOW (Debian's hardening).
for program in build-werror/quorvex build-werror/src/cli/qvx; do
  if ! readelf -dW "$program" | grep BIND_NOW >/dev/null ||
     ! readelf -lW "$program" | grep GNU_RELRO >/dev/null; then
    echo "$program is not linked with full RELRO"
    exit 1
  fi
done
# The Debian package of that release, as lintian judges it: no error and no
# warning (informational tags are listed).
if command -v lintian >/dev/null 2>&1; then
  rm -f build-werror/quorvex_*.deb
  (cd build-werror && cpack -G DEB >/dev/null)
  lintian --fail-on error,warning --display-info build-werror/quorvex_*.deb
else
  echo "lintian not found: the package is not checked"
fi
cd build-test
ctest --output-on-failure -j2 "$@"
