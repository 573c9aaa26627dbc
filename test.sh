#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQVX_SANITIZE=ON >/dev/null
# Test classes include their own moc output; a test file added since the last
# build is only scanned when the test targets' moc step runs again.
rm -f build-test/*_autogen/timestamp build-test/tests/*_autogen/timestamp
cmake --build build-test
cd build-test
ctest --output-on-failure -j2 "$@"
