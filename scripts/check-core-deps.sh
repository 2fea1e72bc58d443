#!/usr/bin/env bash
# Fails when the core (list reading and training rules) reaches for the GUI:
# it must build and run with QtCore alone.
set -euo pipefail
root=${1:-$(dirname "$0")/..}
pattern='#include *[<"](QtGui|QtWidgets|QtTest)?/?(Q(Widget|Application|GuiApplication|Color|Font|Palette|Pixmap|Image|Painter|LineEdit|PushButton|Label|Timer|Cursor|Icon|KeyEvent|MouseEvent)\b|QtGui|QtWidgets)'
if grep -rnE "$pattern" "$root/src/lists" "$root/src/training"; then
  echo "The core includes GUI or timer headers (above); keep it QtCore only and tick-driven."
  exit 1
fi
echo "core: QtCore only"
