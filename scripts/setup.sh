#!/bin/bash
# Installs what building and testing Lumera桌面 needs on Debian 12 or 13, skipping what is there.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build g++ pkg-config git
    qt6-base-dev qt6-webengine-dev qt6-multimedia-dev qt6-svg-dev libqt6svg6
    qt6-image-formats-plugins qt6-qpa-plugins
    libgtest-dev libgmock-dev libbenchmark-dev libxcb-dpms0-dev
    xvfb xauth trayer openbox xdotool wmctrl x11-utils imagemagick dbus dbus-x11
    at-spi2-core python3-pyatspi python3-dbus x11-xserver-utils qt6-translations-l10n
    dpkg-dev file lintian desktop-file-utils appstream dex
    ccache mold fonts-noto-cjk clang python3 curl
    libxcb-screensaver0-dev libwayland-dev wayland-protocols plasma-wayland-protocols
    xscreensaver mate-screensaver libglib2.0-bin dconf-gsettings-backend libxml2-utils sway qt6-wayland grim wtype
    xwayland swayidle mate-session-manager qt6-base-private-dev
)

# The fuzzers and sanitizers need the clang runtime of the clang the release installs as
# `clang` (14 on Debian 12, 19 on Debian 13).
clang_major() {
    if command -v clang >/dev/null; then
        clang -dumpversion | cut -d. -f1
    else
        apt-cache depends clang 2>/dev/null | sed -n 's/^ *Depends: clang-\([0-9]\+\)$/\1/p' | head -1
    fi
}
llvm=$(clang_major)
if [[ -z $llvm && $(id -u) -eq 0 ]]; then
    apt-get update -qq
    llvm=$(clang_major)
fi
if [[ -z $llvm ]]; then
    echo "Cannot tell which clang this release installs; run the set-up as root:  sudo $0" >&2
    exit 1
fi
packages+=("libclang-rt-$llvm-dev")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Node.js may come from elsewhere than Debian (its own npm then conflicts with Debian's):
# only a machine without the npm command that still has to install the movie player gets it.
[[ -d node_modules/@ruffle-rs/ruffle ]] || command -v npm >/dev/null || missing+=(nodejs npm)
if ((${#missing[@]})); then
    if [[ $(id -u) -ne 0 ]]; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Run the package step as root:  sudo $0" >&2
        exit 1
    fi
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The movie player (Ruffle) comes from the npm registry at the version package-lock.json pins.
if [[ -f package-lock.json && ! -d node_modules/@ruffle-rs/ruffle ]]; then
    npm ci --no-audit --no-fund
fi
