#!/usr/bin/env bash
# Installs what is missing, builds a release and starts the editor.
# Any arguments go to the program (for example a document to open).
set -euo pipefail
cd "$(dirname "$0")"
./scripts/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQVX_BUILD_TESTS=OFF >/dev/null
cmake --build build-release --target quorvex qvx manpages
exec ./build-release/quorvex "$@"
