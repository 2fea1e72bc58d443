#!/usr/bin/env bash
# The Windows installer under Wine: installed silently for the player alone,
# the program started from where it went; a list typed as a Windows path,
# started, a series answered with the keys and corrected, back to the launcher,
# « Statistiques » opened and closed, « Quitter »; started again, the same
# path: « Continuer » is offered, and « Quitter » ends the program. The icon
# in tirages.exe is the one the Start menu entry shows.
#
#   wine.sh SETUP.EXE     (with DISPLAY, WINEPREFIX and wine set up; needs
#                          xdotool and ImageMagick)
set -euo pipefail
export LC_ALL=C.UTF-8
setup=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
export XDG_DATA_HOME=$work/share # where Wine puts the Start menu's desktop entries
pid=
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
source "$here/screen.sh"

user=$WINEPREFIX/drive_c/users/$(whoami)
installed="C:\\users\\$(whoami)\\AppData\\Local\\Programs\\tirages"
wine "$setup" /S
[ -f "$user/AppData/Local/Programs/tirages/tirages.exe" ] || fail "nothing installed"
[ -f "$user/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/tirages.lnk" ] || fail "no Start menu entry"
wine reg query 'HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\tirages' /v UninstallString \
  2>/dev/null | grep -q 'desinstaller.exe' || fail "no uninstaller in the list of programs"
echo "ok: installed for the player alone, in the Start menu and the list of programs"
# Wine turns the Start menu entry into a desktop entry, with the icon it reads
# through the shortcut from tirages.exe.
entry=$XDG_DATA_HOME/applications/wine/Programs/tirages.desktop
for _ in $(seq 50); do [ -f "$entry" ] && break; sleep 0.2; done
icon=$(sed -n 's/^Icon=//p' "$entry" 2>/dev/null)
[ -n "$icon" ] && ls "$XDG_DATA_HOME"/icons/hicolor/*/apps/"$icon".png >/dev/null 2>&1 ||
  fail "the Start menu entry has no icon from tirages.exe"
echo "ok: the Start menu entry shows the icon of tirages.exe ($(ls -d "$XDG_DATA_HOME"/icons/hicolor/*/apps/"$icon".png | wc -l) sizes)"
rm -rf "$user/AppData/Roaming/tirages" # a first run

peach="255,224,192"
printf 'ABERR;ARBRE\r\nBAERR;ARBRE\r\nRABER;ARBRE\r\n' >"$work/trois.txt"
typed="Z:${work//\//\\}\\trois.txt" # as a Windows player types it

# Starts the installed program and types the list's path into the launcher.
launch() {
  wine "$installed\\tirages.exe" >>"$work/out.log" 2>&1 &
  pid=$!
  launcher=$(window '^Bienvenue :o\)$') || fail "the launcher did not show"
  read -r lx ly < <(origin "$launcher")
  expect_pixel $((lx + 10)) $((ly + 60)) "$peach" "the launcher is painted"
  xdotool mousemove $((lx + 100)) $((ly + 98)) click 1
  xdotool key ctrl+a
  xdotool type --delay 20 "$typed"
}
continuer() { echo "$((lx + 240)) $((ly + 132))"; }
# « Quitter » (twips 3840,3240: pixels 256,216), then the farewell countdown.
quitter() {
  xdotool mousemove $((lx + 296)) $((ly + 232)) click 1
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || { echo "ok: « Quitter » ends the program"; return 0; }; sleep 0.2; done
  fail "the program did not end"
}

launch
expect_pixel $(continuer) "$peach" "no « Continuer » on a first run"
xdotool mousemove $((lx + 152)) $((ly + 132)) click 1
training=$(window '^ENTRAINEMENT SCRABBLE') || fail "the training screen did not show"
read -r tx ty < <(origin "$training")
answer0="$((tx + 117)) $((ty + 49))"
expect_pixel $answer0 "255,255,128" "the first answer box is the current one"
xdotool type --delay 20 "arbre"
xdotool key F12
expect_pixel $answer0 "128,255,128" "the answer typed is right"
# "Sommaire" (twips 7560,7080: pixels 504,472).
xdotool mousemove $((tx + 544)) $((ty + 488)) click 1
launcher=$(window '^Bienvenue :o\)$') || fail "Sommaire did not bring the launcher back"
# « Statistiques » (twips 360,3240: pixels 24,216), there once a series is corrected.
xdotool mousemove $((lx + 72)) $((ly + 232)) click 1
window '^Statistiques$' >/dev/null || fail "« Statistiques » opened no window"
echo "ok: « Statistiques » opens its window"
xdotool key Escape
for _ in $(seq 50); do
  xdotool search --onlyvisible --name '^Statistiques$' >/dev/null 2>&1 || break
  sleep 0.2
done
xdotool search --onlyvisible --name '^Statistiques$' >/dev/null 2>&1 && fail "Escape left the statistics open"
echo "ok: Escape closes the statistics"
quitter

launch
expect_other_pixel $(continuer) "$peach" "« Continuer » is offered after a new start"
quitter
