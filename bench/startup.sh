#!/usr/bin/env bash
# Times the real program from its start to the launcher shown on an X server,
# over several runs, and measures its peak memory through a session that
# starts the largest shipped list.
#
#   bench/startup.sh BINARY [RUNS] [DATABASE]     (under xvfb-run)
#
# DATABASE, when given, is the trainings kept that the program starts with.
set -euo pipefail
binary=$(realpath "$1")
runs=${2:-10}
database=${3:+$(realpath "$3")}
cd "$(mktemp -d)"
export XDG_DATA_HOME="$PWD/share" # no training kept from another run
if [ -n "$database" ]; then
  mkdir -p share/tirages
  cp "$database" share/tirages/tirages.sqlite
fi

visible() { xdotool search --onlyvisible --name "$1" >/dev/null 2>&1; }

times=()
for _ in $(seq "$runs"); do
  start=$(date +%s%N)
  "$binary" >/dev/null 2>&1 &
  pid=$!
  until visible '^Bienvenue :o\)$'; do sleep 0.005; done
  end=$(date +%s%N)
  times+=($(( (end - start) / 1000000 )))
  kill "$pid"; wait "$pid" 2>/dev/null || true
done
sorted=($(printf '%s\n' "${times[@]}" | sort -n))
echo "start to launcher shown: median ${sorted[$((runs / 2))]} ms, min ${sorted[0]} ms, max ${sorted[-1]} ms ($runs runs)"

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
