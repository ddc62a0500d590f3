#!/bin/sh
# Installs what is needed, builds and starts Selvane. The database qrt.db lives in the directory
# the program is started from; by default that is ~/Selvane (override with SELVANE_DIR).
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh"
dir="${SELVANE_DIR:-$HOME/Selvane}"
mkdir -p "$dir"
cd "$dir"
exec "$root/build/src/selvane" "$@"
