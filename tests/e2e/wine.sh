#!/usr/bin/env bash
# The Windows installer under Wine: installed silently for the player alone,
# the program started from where it went; a list typed as a Windows path,
# started, a series answered with the keys and corrected, back to the launcher,
# « Quitter »; started again, the same path: « Continuer » is offered, and
# « Quitter » ends the program.
#
#   wine.sh SETUP.EXE     (with DISPLAY, WINEPREFIX and wine set up; needs
#                          xdotool and ImageMagick)
set -euo pipefail
export LC_ALL=C.UTF-8
setup=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
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
quitter

launch
expect_other_pixel $(continuer) "$peach" "« Continuer » is offered after a new start"
quitter
