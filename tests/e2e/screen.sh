# What the end-to-end scripts share to read the real screen: sourced, with
# $work set to a folder of the script's own.

# On failure the screen is kept for whoever reads the log.
fail() {
  /usr/bin/import -window root "${TMPDIR:-/tmp}/tirages-e2e-failure.png" 2>/dev/null || true
  echo "FAIL: $*; screen saved in ${TMPDIR:-/tmp}/tirages-e2e-failure.png"
  exit 1
}

# The colour of the screen pixel at x y, as "R,G,B".
pixel() {
  /usr/bin/import -window root "$work/screen.png"
  /usr/bin/convert "$work/screen.png" -format "%[fx:int(255*p{$1,$2}.r)],%[fx:int(255*p{$1,$2}.g)],%[fx:int(255*p{$1,$2}.b)]" info:
}

# Waits (up to 10 s) until the pixel at x y has the colour wanted, or (with
# expect_other_pixel) any colour but the one given.
expect_pixel() {
  local x=$1 y=$2 wanted=$3 what=$4 seen=""
  for _ in $(seq 50); do
    seen=$(pixel "$x" "$y")
    [ "$seen" = "$wanted" ] && { echo "ok: $what ($seen)"; return 0; }
    sleep 0.2
  done
  fail "$what: colour $seen, expected $wanted"
}
expect_other_pixel() {
  local x=$1 y=$2 unwanted=$3 what=$4 seen=""
  for _ in $(seq 50); do
    seen=$(pixel "$x" "$y")
    [ "$seen" != "$unwanted" ] && { echo "ok: $what ($seen)"; return 0; }
    sleep 0.2
  done
  fail "$what: colour $seen"
}

window() { timeout 20 xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
origin() { xdotool getwindowgeometry --shell "$1" | awk -F= '/^[XY]=/{printf "%s ", $2} END {print ""}'; }
