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
cmp "$out/root/usr/share/tirages/data/lexique.lex" "$here/../../data/lexique.lex"
grep -q '^License: MPL-2.0$' "$out/root/usr/share/doc/tirages/copyright"
echo "ok: desktop entry, metadata, icon, 17 lists, the lexicon and its licence in the package"

# The list builder comes as a command, installed by the package and by
# cmake --install alike: its help, then the lists of a few words.
cmake --install "$build" --prefix "$out/prefix" >/dev/null
test -x "$out/prefix/bin/tirages-listes"
cmp "$out/prefix/bin/tirages-listes" "$out/root/usr/bin/tirages-listes"
dpkg-deb -f "$deb" Recommends | grep -q 'python3-grammalecte'
dpkg-deb -f "$deb" Depends | grep -q 'python3'
builder="$out/root/usr/bin/tirages-listes"
test -x "$builder"
"$builder" --help | grep -q '^utilisation : tirages-listes'
printf 'zèbre\r\nchat\r\nCHAT\r\nabricotier\r\nchien\r\n' > "$out/mots.txt"
"$builder" "$out/listes" --words "$out/mots.txt" > "$out/built.txt"
test "$(ls "$out/listes/"*.txt | wc -l)" -eq 17
grep -q '^ignoré, ligne 3 : CHAT (en double)$' "$out/built.txt"
# CHIEN brings CHINE and NICHE, the lexicon's other forms of its letters, under one draw.
test "$(sort "$out/listes/5l_tir.txt" | tr -d '\r')" = \
     "$(printf 'BEERZ;ZEBRE\nCEHIN;CHIEN\nCEHIN;CHINE\nCEHIN;NICHE')"
printf 'chien\r\nNiché\r\n' > "$out/officiel.txt"
"$builder" "$out/lexique" --lexique "$out/officiel.txt" > /dev/null
test "$(sort "$out/lexique/5l_tir.txt" | tr -d '\r')" = "$(printf 'CEHIN;CHIEN\nCEHIN;NICHE')"
test "$(cat "$out/lexique/lexique.lex")" = "$(printf 'tirages-lexique 1\n0CHIEN\n0NICHE')"
echo "ok: tirages-listes built the lists of a small word list, and of a lexicon of two words"

bash "$here/play.sh" "$out/root/usr/bin/tirages" --shipped
