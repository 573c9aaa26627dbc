#!/usr/bin/env bash
# Installs the Debian packages the project needs, when any of them is missing.
# Used by run.sh and test.sh (--test adds what the test run's own checks need);
# runs apt-get directly as root, through sudo otherwise.
set -euo pipefail

PACKAGES=(cmake g++ ninja-build ccache pkg-config
          qt6-base-dev qt6-base-dev-tools qt6-serialport-dev qt6-qpa-plugins libgl-dev
          libjpeg-dev liburdfdom-dev libassimp-dev qt6-charts-dev libqt6opengl6-dev libgraphviz-dev
          qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
          fonts-ipafont-gothic xvfb xauth
          desktop-file-utils libxml2-utils)
# The test run's own checks: the include layers, the pinned formatter, the
# package (lintian) and its AppStream metadata.
if [ "${1:-}" = "--test" ]; then
  PACKAGES+=(python3 clang-format-14 lintian appstream)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
