#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Veloxa Remote.
# Does nothing when every package is already present.
set -euo pipefail

packages=(
    cmake ninja-build g++ make ccache pkg-config clang-format
    qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools
    qt6-5compat-dev qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools qt6-translations-l10n
    qt6-qpa-plugins
    qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-window
    qml6-module-qtquick-layouts qml6-module-qtqml-workerscript qml6-module-qtquick-templates
    qml6-module-qtquick-shapes qml6-module-qtquick-dialogs qml6-module-qtqml
    libgl-dev libvulkan-dev libxkbcommon-dev
    zlib1g-dev xvfb xauth xdotool imagemagick fonts-dejavu-core
    librsvg2-bin desktop-file-utils appstream dpkg-dev file
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
