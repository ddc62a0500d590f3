#!/bin/sh
# CI: builds the package, checks what it holds, installs it, and runs the installed program once
# unattended on a prepared register in a directory of its own. Needs root or sudo.
set -e
root="$(cd "$(dirname "$0")/.." && pwd)"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
fail() { echo "package-check: $*" >&2; exit 1; }

deb="$("$root/scripts/package.sh" | tail -n 1)"
[ -f "$deb" ] || fail "no package built"

# What the package holds, and what it must not.
contents="$(dpkg-deb -c "$deb" | awk '{print $6}' | sed 's|^\./|/|')"
for path in /usr/bin/selvane /usr/share/applications/selvane.desktop \
            /usr/share/icons/hicolor/scalable/apps/selvane.svg /usr/share/icons/hicolor/48x48/apps/selvane.png \
            /usr/lib/systemd/user/selvane-otokaydet.service /usr/lib/systemd/user/selvane-otokaydet.timer \
            /usr/share/doc/selvane/copyright; do
  echo "$contents" | grep -qx "$path" || fail "$path missing from the package"
done
echo "$contents" | grep -Eq '/(tst_|selvane-bench|selvane-gen)' && fail "tests or benchmarks in the package"
depends="$(dpkg-deb -f "$deb" Depends)"
for dependency in qt6-translations-l10n libqt6widgets6 libsqlite3-0; do
  echo "$depends" | grep -q "$dependency" || fail "Depends lacks $dependency: $depends"
done

DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "$deb" >/dev/null
[ "$(command -v selvane)" = /usr/bin/selvane ] || fail "selvane is not /usr/bin/selvane on PATH"

# A register prepared in an arbitrary directory: the first run creates it and stops for the
# missing folders; then one police facility with one guest staying today.
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir akbs
env -u DISPLAY -u WAYLAND_DISPLAY selvane -otokaydet 2>/dev/null && fail "a run without folders succeeded"
[ -f qrt.db ] || fail "the installed program created no qrt.db in the working directory"
today="$(date +%Y-%m-%d)"
sqlite3 qrt.db <<SQL
UPDATE AYAR SET AKBXMLDIZIN='$work/akbs' WHERE IDAYAR=1;
INSERT INTO TESISLER (TESISKODU,TESISBOLGE,TESISADI,TESISAKTIF) VALUES (4321,'P','Paket Oteli',1);
INSERT INTO ODAEV (_IDTESISLER,ODAEVNO) VALUES (1,'101');
INSERT INTO MISAFIR (_IDODAEV,KIMLIKTURU,KIMLIKSERINO,UYRUGU,ADI,SOYADI,CINSIYET,MEDENIDURUM,DOGUMYERI,
  DOGUMTARIHI,IKAMETADRESI,GELISTARIH,GELISSAAT)
  VALUES (1,'P','C01X00T47','DEU','Anna','Schmidt','K','E','Berlin','1985-03-15','Hauptstrasse 1 Berlin',
  '$today','14:30:00.000');
SQL
env -u DISPLAY -u WAYLAND_DISPLAY selvane -otokaydet || fail "the unattended run failed"
files="$(ls akbs)"
[ "$(echo "$files" | wc -l)" -eq 1 ] || fail "expected one notification file, found: $files"
case "$files" in *T4321P*.xml) ;; *) fail "unexpected file name $files" ;; esac
grep -q 'Kisi' "akbs/$files" || fail "the notification file has no guest"
[ -d yedek ] && fail "the unattended run made a backup"
echo "package-check: $(basename "$deb") installed; the installed program wrote akbs/$files"
