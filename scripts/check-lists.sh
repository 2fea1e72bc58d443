#!/usr/bin/env bash
# Rebuilds the 17 lists and the lexicon file from the lexicon and fails if any
# differs, by a single byte, from the files under data/.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
python=${1:-python3}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$python" "$root/tools/listbuilder/build_lists.py" "$out" >/dev/null
status=0
for f in "$out"/*.txt "$out"/lexique.lex; do
  name=$(basename "$f")
  if ! cmp -s "$f" "$root/data/$name"; then
    echo "data/$name differs from what the builder makes"
    status=1
  fi
done
[ "$status" -eq 0 ] && echo "the 17 lists and the lexicon rebuild byte for byte"
exit "$status"
