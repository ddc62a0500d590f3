#!/bin/sh
# Installs what is needed, builds and runs every test headless (Qt's offscreen platform).
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
cd "$root/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "$(nproc)"
