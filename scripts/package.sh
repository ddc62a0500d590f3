#!/bin/sh
# Builds the Debian package selvane_<version>_amd64.deb into the top of the checkout, from the
# build in ./build (only the program is built for it; tests and benchmarks are not packaged).
# Install it with: sudo apt-get install ./selvane_*.deb
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
cd "$root"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target selvane --parallel "$(nproc)"
rm -rf build/package
cpack --config build/CPackConfig.cmake -B "$root/build/package" >/dev/null
rm -f "$root"/selvane_*.deb
cp build/package/selvane_*.deb "$root/"
ls "$root"/selvane_*.deb
