#!/usr/bin/env bash
# Takes the pictures of the README and the guide anew (docs/screenshots/editor.png, pose.png,
# robot-window.png, checks.png and timeline.png): the program's own windows
# on docs/screenshots/wave.QMX, under Xvfb; and
# robot.png, the robot preview of one item drawn by qvx, without a display;
# and the same windows, the settings dialogs and a message box in Japanese.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DQVX_BUILD_TESTS=OFF \
      -DQVX_BUILD_SCREENSHOTS=ON >/dev/null
cmake --build build-release --target take_screenshots take_dialogs qvx
LC_ALL=C.UTF-8 xvfb-run -a -s "-screen 0 1280x900x24" \
    ./build-release/docs/take_screenshots docs/screenshots/wave.QMX docs/screenshots
./build-release/src/cli/qvx preview docs/screenshots/wave.QMX --item 1 --view iso --size 480x360 \
    --png docs/screenshots/robot.png
# The same windows and the settings dialogs in Japanese, to see that every
# text fits: docs/screenshots/ja/.
mkdir -p docs/screenshots/ja
for take in take_screenshots take_dialogs; do
  env -u LC_ALL LANG=ja_JP.UTF-8 xvfb-run -a -s "-screen 0 1280x900x24" \
      ./build-release/docs/$take docs/screenshots/wave.QMX docs/screenshots/ja
done
echo "docs/screenshots/ja: the windows, dialogs and a message box in Japanese"
echo "docs/screenshots/editor.png, pose.png, robot-window.png, checks.png, timeline.png and robot.png taken"
