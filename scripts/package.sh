#!/bin/bash
# Set-up, build, and the Debian package of both programs: build/lumera_<version>_amd64.deb.
# Install it with:  sudo apt install ./build/lumera_<version>_amd64.deb
set -euo pipefail
cd "$(dirname "$0")/.."
build=${LUMERA_BUILD_DIR:-build}
scripts/setup.sh
scripts/build.sh
cpack --config "$build/CPackConfig.cmake" -B "$build/package" >/dev/null
deb=$(ls "$build"/package/lumera_*_amd64.deb)
mv "$deb" "$build/"
rm -rf "$build/package"
echo "$build/$(basename "$deb")"
