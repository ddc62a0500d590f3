#!/bin/sh
# Installs what Selvane needs to build, run and test on Debian 12. Safe to run again.
set -e
PKGS="build-essential cmake ninja-build pkg-config \
  qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libsqlite3-dev sqlite3 \
  libxlsxwriter-dev libicu-dev fonts-liberation fonts-dejavu-core \
  xvfb xauth imagemagick poppler-utils time dpkg-dev"
missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -q
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends $missing
