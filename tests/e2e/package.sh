#!/usr/bin/env bash
# Builds the Debian package, checks its desktop entry and AppStream metadata,
# unpacks it and plays the unpacked program from a folder that is not the
# project's, as the desktop menu would start it.
#
#   package.sh BUILD_DIR     (under xvfb-run)
set -euo pipefail
build=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/tirages_*.deb)
echo "ok: built $(basename "$deb")"
dpkg-deb -x "$deb" "$out/root"

appid=io.github.tirages.Tirages
appstreamcli validate --no-net "$out/root/usr/share/metainfo/$appid.metainfo.xml"
desktop-file-validate "$out/root/usr/share/applications/$appid.desktop"
grep -q '^Exec=tirages$' "$out/root/usr/share/applications/$appid.desktop"
test -s "$out/root/usr/share/icons/hicolor/scalable/apps/$appid.svg"
test "$(ls "$out/root/usr/share/tirages/data/"*.txt | wc -l)" -eq 17
echo "ok: desktop entry, metadata, icon and 17 lists in the package"

bash "$here/play.sh" "$out/root/usr/bin/tirages" --shipped
