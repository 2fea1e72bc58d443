#!/usr/bin/env bash
# Fails when the core (lists, training rules, what happens between the screens)
# reaches for the GUI, or when anything but the store reaches for SQL: the core
# must build and run with QtCore alone, and only src/progress knows SQLite.
set -euo pipefail
root=${1:-$(dirname "$0")/..}
status=0
gui='#include *[<"](QtGui|QtWidgets|QtTest)?/?(Q(Widget|Application|GuiApplication|Color|Font|Palette|Pixmap|Image|Painter|LineEdit|PushButton|Label|Timer|Cursor|Icon|KeyEvent|MouseEvent)\b|QtGui|QtWidgets)'
if grep -rnE "$gui" "$root/src/lists" "$root/src/lexicon" "$root/src/training" "$root/src/reviews" "$root/src/session"; then
  echo "The core includes GUI or timer headers (above); keep it QtCore only and tick-driven."
  status=1
fi
sql='#include *[<"](QtSql/)?(QSql[A-Za-z]*|QtSql|sqlite3\.h)[>"]'
if grep -rnE "$sql" "$root/src" --exclude-dir=progress; then
  echo "SQL outside src/progress (above): only the store knows the database."
  status=1
fi
# The store's own headers, which show SQL, stay inside src/progress.
private='connection|otherfile'
for header in "$root"/src/progress/*.h; do
  [[ "$(basename "$header" .h)" =~ ^($private)$ ]] && continue
  if grep -nE "$sql" "$header"; then
    echo "$header shows SQL to the store's users."
    status=1
  fi
done
if grep -rnE "\"progress/($private)\.h\"" "$root/src" --exclude-dir=progress; then
  echo "These headers are the store's own."
  status=1
fi
[ "$status" -eq 0 ] && echo "core: QtCore only; SQL in the store alone"
exit "$status"
