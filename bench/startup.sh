#!/usr/bin/env bash
# Times the real program from its start to the launcher shown on an X server,
# against a bare Qt window showing the same controls, run in turn so that both
# see the same machine; then measures its peak memory through a session that
# starts the largest shipped list.
#
#   bench/startup.sh BINARY BARE [RUNS] [DATABASE]     (under xvfb-run)
#
# DATABASE, when given, is the trainings kept that the program starts with.
set -euo pipefail
binary=$(realpath "$1")
bare=$(realpath "$2")
runs=${3:-10}
database=${4:+$(realpath "$4")}
cd "$(mktemp -d)"
export XDG_DATA_HOME="$PWD/share" # no training kept from another run
if [ -n "$database" ]; then
  mkdir -p share/tirages
  cp "$database" share/tirages/tirages.sqlite
fi

visible() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

# Milliseconds from the start of $1 to its launcher visible.
startup() {
  local start end pid
  start=$(date +%s%N)
  "$1" >/dev/null 2>stderr.txt &
  pid=$!
  until visible '^Bienvenue :o\)$'; do
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" && status=0 || status=$?
      echo "$1 ended before its window showed (status $status)" >&2; cat stderr.txt >&2
      exit 1
    fi
    sleep 0.005
  done
  end=$(date +%s%N)
  kill "$pid"; wait "$pid" 2>/dev/null || true
  echo $(( (end - start) / 1000 ))
}
median() { printf '%s\n' "$@" | sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

ours=(); floor=()
# In turn, each going first every other time, so that neither gains from the other.
for run in $(seq "$runs"); do
  if [ $((run % 2)) -eq 1 ]; then
    ours+=("$(startup "$binary")"); floor+=("$(startup "$bare")")
  else
    floor+=("$(startup "$bare")"); ours+=("$(startup "$binary")")
  fi
done
m_ours=$(median "${ours[@]}"); m_floor=$(median "${floor[@]}")
echo "start to launcher shown: median $((m_ours / 1000)).$(( m_ours % 1000 / 100 )) ms;" \
     "bare Qt window with the same controls: $((m_floor / 1000)).$(( m_floor % 1000 / 100 )) ms;" \
     "ratio $(awk -v a="$m_ours" -v b="$m_floor" 'BEGIN {printf "%.3f", a / b}') ($runs runs each, in turn)"

# With trainings kept, "LANCER" would first ask before forgetting one: the
# session below is measured without.
[ -n "$database" ] && exit 0

# Peak memory: the launcher, then "9 lettres" (the longest shipped list) started.
/usr/bin/time -f '%M' -o rss.txt "$binary" >/dev/null 2>&1 &
until visible '^Bienvenue :o\)$'; do sleep 0.01; done
launcher=$(xdotool search --onlyvisible --name '^Bienvenue :o\)$' | head -n 1)
eval "$(xdotool getwindowgeometry --shell "$launcher")"
xdotool mousemove $((X + 100)) $((Y + 98)) click 1 key ctrl+a type "9 lettres"
xdotool mousemove $((X + 152)) $((Y + 132)) click 1
until visible '^ENTRAINEMENT'; do sleep 0.01; done
sleep 0.5
pkill -f "^$binary$" || true
wait || true
echo "peak memory of a session on \"9 lettres\": $(( $(tail -n 1 rss.txt) / 1024 )) MB"
