#!/usr/bin/env bash
# Takes the README's pictures anew (docs/screenshots/editor.png and pose.png):
# the program's own windows on docs/screenshots/wave.QMX, under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQVX_BUILD_TESTS=OFF \
      -DQVX_BUILD_SCREENSHOTS=ON >/dev/null
cmake --build build-release --target take_screenshots
xvfb-run -a -s "-screen 0 1280x900x24" \
    ./build-release/docs/take_screenshots docs/screenshots/wave.QMX docs/screenshots
echo "docs/screenshots/editor.png and pose.png taken"
