#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer
# and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQVX_SANITIZE=ON >/dev/null
cmake --build build-test
cd build-test
ctest --output-on-failure -j2 "$@"
