#!/usr/bin/env bash
# Plays the real program on a real X server, as a player would: types a list's
# path into the launcher, "LANCER", types answers, F12, and reads the outcome
# off the screen (window titles and pixel colours).
#
#   play.sh BINARY          a list of its own, typed as a path
#   play.sh BINARY --shipped "5 lettres" from the program's own data folder
#
# Needs DISPLAY (run it under xvfb-run), xdotool and ImageMagick.
set -euo pipefail
export LC_ALL=C.UTF-8 # window titles hold accented letters
binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
mode=${2:-}
work=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$work"' EXIT
cd "$work"
# The trainings this run keeps stay in its own folder.
export XDG_DATA_HOME="$work/share"

source "$here/screen.sh"

"$binary" >"$work/out.log" 2>&1 &
pid=$!

launcher=$(window '^Bienvenue :o\)$') || fail "the launcher did not show"
read -r lx ly < <(origin "$launcher")
echo "ok: launcher at $lx,$ly"
# Mapped is not painted: wait for the window's own colour before clicking.
expect_pixel $((lx + 10)) $((ly + 60)) "255,224,192" "the launcher is painted"

# The list box's text field (twips 1200,1320 -> pixels 80,88), then LANCER (112,120).
xdotool mousemove $((lx + 100)) $((ly + 98)) click 1
xdotool key ctrl+a
if [ "$mode" = "--shipped" ]; then
  xdotool type --delay 20 "5 lettres"
else
  printf 'ABERR;ARBRE\r\nBAERR;ARBRE\r\nRABER;ARBRE\r\n' >"$work/ma liste.txt"
  xdotool type --delay 20 "$work/ma liste.txt"
fi
xdotool mousemove $((lx + 152)) $((ly + 132)) click 1

training=$(window '^ENTRAINEMENT SCRABBLE') || fail "the training screen did not show"
title=$(xdotool getwindowname "$training")
[ "$title" = "ENTRAINEMENT SCRABBLE - Lettres Chères" ] || fail "training screen titled '$title'"
read -r tx ty < <(origin "$training")
echo "ok: training screen at $tx,$ty"
xdotool search --onlyvisible --name '^Bienvenue' >/dev/null 2>&1 && fail "the launcher is still shown"

# Answer boxes 0 and 1 (pixels 112,40 and 112,72, 73x19); tile 1 (pixels 224,392).
answer0="$((tx + 117)) $((ty + 49))"
answer1="$((tx + 117)) $((ty + 81))"
expect_pixel $answer0 "255,255,128" "the first answer box is the current one"

if [ "$mode" = "--shipped" ]; then
  xdotool key F12
  expect_pixel $answer0 "255,128,128" "an empty answer is wrong after F12"
  exit 0
fi

# "Corriger(F12)" (pixels 424,376) and "Nouvelle série(F8)" (pixels 40,376), 25 high.
corriger="$((tx + 460)) $((ty + 388))"
restart="$((tx + 88)) $((ty + 388))"

# A first run: "Sommaire" before any correction, then "LANCER" on the same
# list, which starts it again without a question and without « Continuer ».
xdotool mousemove $((tx + 544)) $((ty + 488)) click 1
window '^Bienvenue :o\)$' >/dev/null || fail "Sommaire did not show the launcher"
expect_pixel $((lx + 240)) $((ly + 132)) "255,224,192" "no « Continuer » with no series corrected"
xdotool mousemove $((lx + 152)) $((ly + 132)) click 1
window '^ENTRAINEMENT SCRABBLE' >/dev/null || fail "LANCER again did not show the training screen"
xdotool search --onlyvisible --name '^Recommencer' >/dev/null 2>&1 && fail "LANCER asked a question"
expect_pixel $answer0 "255,255,128" "the list starts again at its first answer box"
echo "ok: LANCER, Sommaire, LANCER on a first run asks nothing"

xdotool type --delay 20 "arbre"
xdotool key Down
xdotool type --delay 20 "zzz"
xdotool mousemove $corriger click 1
expect_pixel $answer0 "128,255,128" "the right answer is green"
expect_pixel $answer1 "255,128,128" "the wrong answer is red"

# The focus left "Corriger(F12)" for "Nouvelle série(F8)": F8 there draws the next series.
xdotool key F8
expect_pixel $answer0 "255,255,128" "F8 after a click on Corriger starts a new series"
xdotool mousemove $corriger click 1
expect_pixel $answer0 "255,128,128" "the second series is corrected"
xdotool mousemove $restart click 1
expect_pixel $answer0 "255,255,128" "a click on Nouvelle série marks the first answer box"

# The letters typed now go into the first box; the two entries left are found.
xdotool type --delay 20 "arbre"
xdotool key Return
xdotool type --delay 20 "arbre"
xdotool key F12
expect_pixel $answer1 "128,255,128" "both answers typed after the click are right"
expect_pixel $((tx + 228)) $((ty + 396)) "255,128,128" "the tiles turn red at the end of the list"
echo "ok: played to BRAVO"
