#!/usr/bin/env bash
# A training kept across runs, played on the real program on a real X server:
# a series corrected on a list of three entries, "Sommaire", the program killed;
# started again, the same list typed: « Continuer » is offered, and takes the
# training up on the two entries left, which end the list.
#
#   keep.sh BINARY          (under xvfb-run; needs xdotool and ImageMagick)
set -euo pipefail
export LC_ALL=C.UTF-8
binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
pid=
trap 'kill "$pid" 2>/dev/null || true; [ -n "${TIRAGES_E2E_KEEP:-}" ] || rm -rf "$work"' EXIT
cd "$work"
export XDG_DATA_HOME="$work/share"

source "$here/screen.sh"

peach="255,224,192"
printf 'ABERR;ARBRE\r\nBAERR;ARBRE\r\nRABER;ARBRE\r\n' >"$work/trois.txt"

# Starts the program and types the list's path into the launcher.
launch() {
  "$binary" >>"$work/out.log" 2>&1 &
  pid=$!
  launcher=$(window '^Bienvenue :o\)$') || fail "the launcher did not show"
  read -r lx ly < <(origin "$launcher")
  expect_pixel $((lx + 10)) $((ly + 60)) "$peach" "the launcher is painted"
  xdotool mousemove $((lx + 100)) $((ly + 98)) click 1
  xdotool key ctrl+a
  xdotool type --delay 20 "$work/trois.txt"
}

# « Continuer » beside LANCER: twips 3000,1800 (pixels 200,120, 81x25).
continuer() { echo "$((lx + 240)) $((ly + 132))"; }

launch
expect_pixel $(continuer) "$peach" "no « Continuer » for a list never trained"
xdotool mousemove $((lx + 152)) $((ly + 132)) click 1
training=$(window '^ENTRAINEMENT SCRABBLE') || fail "the training screen did not show"
read -r tx ty < <(origin "$training")
answer0="$((tx + 117)) $((ty + 49))"
expect_pixel $answer0 "255,255,128" "the first answer box is the current one"
xdotool type --delay 20 "arbre"
xdotool key F12
expect_pixel $answer0 "128,255,128" "the right answer is green"
# "Sommaire" (twips 7560,7080: pixels 504,472, 81x33).
xdotool mousemove $((tx + 544)) $((ty + 488)) click 1
launcher=$(window '^Bienvenue :o\)$') || fail "Sommaire did not bring the launcher back"
expect_other_pixel $(continuer) "$peach" "« Continuer » is offered on the way back"

# The program ends abruptly; what was corrected is kept.
kill -9 "$pid"; wait "$pid" 2>/dev/null || true
launch
expect_other_pixel $(continuer) "$peach" "« Continuer » is offered after a new start"
/usr/bin/import -window root "$work/launcher.png"
[ -n "${TIRAGES_E2E_SHOTS:-}" ] && cp "$work/launcher.png" "$TIRAGES_E2E_SHOTS/keep-launcher.png"
xdotool mousemove $(continuer) click 1
training=$(window '^ENTRAINEMENT SCRABBLE') || fail "« Continuer » did not show the training screen"
read -r tx ty < <(origin "$training")
answer0="$((tx + 117)) $((ty + 49))"
answer1="$((tx + 117)) $((ty + 81))"
answer2="$((tx + 117)) $((ty + 113))"
expect_pixel $answer0 "255,255,128" "the training goes on in the first answer box"
# Two entries were left: two shown slots, both right, and the list ends.
xdotool type --delay 20 "arbre"
xdotool key Return
xdotool type --delay 20 "arbre"
xdotool key F12
expect_pixel $answer1 "128,255,128" "the second entry left is found"
expect_pixel $answer2 "255,192,128" "no third entry was left"
expect_pixel $((tx + 228)) $((ty + 396)) "255,128,128" "the list ends on BRAVO"
echo "ok: a kept training taken up to its end"
