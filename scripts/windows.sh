#!/usr/bin/env bash
# Builds tirages for Windows on Debian 12, from Debian's own packages and
# source packages only, and tests it under Wine:
#   1. installs the cross compilers, Wine, NSIS and the rest when missing;
#   2. cross-builds SQLite and Qt once into a cache outside the checkout
#      (~/.cache/tirages; the first run takes most of an hour on two cores);
#   3. cross-builds tirages and its tests, gathers what tirages.exe needs and
#      makes build-windows/tirages-<version>-setup.exe and -windows.zip;
#   4. runs the core and widget tests, then the installed program, under Wine.
# Options: --qt-only stops after step 2; --no-tests stops after step 3.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

qt_version=6.4.2
cache=${TIRAGES_CACHE:-$HOME/.cache/tirages}
prefix=$cache/qt-$qt_version-mingw64
mingw=x86_64-w64-mingw32
jobs=$(nproc)
stop_after=
case "${1:-}" in
  --qt-only) stop_after=qt ;;
  --no-tests) stop_after=package ;;
  "") ;;
  *) echo "usage: $0 [--qt-only|--no-tests]" >&2; exit 2 ;;
esac

step() { echo "== $*"; }

# Prints one line of progress every few percent of a ninja build, whose
# whole output goes to the log.
progress() {
  local log=$1 label=$2
  awk -v label="$label" -v logfile="$log" '
    { print > logfile; fflush(logfile) }
    /^\[[0-9]+\/[0-9]+\]/ {
      split(substr($0, 2, index($0, "]") - 2), n, "/")
      pct = int(100 * n[1] / n[2])
      if (pct >= shown + 5) { shown = pct; printf "%s: %d %% (%d/%d)\n", label, pct, n[1], n[2]; fflush() }
    }'
}

install_packages() {
  local packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
    wine wine64 nsis zip ninja-build cmake xvfb xauth xdotool dpkg-dev tcl
    qt6-base-dev qt6-translations-l10n libsqlite3-dev fonts-dejavu-core
  )
  local missing=() p
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return
  step "Installing ${missing[*]}"
  local sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" apt-get update -qq
  "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Debian's source packages, through an apt configuration of our own so that
# the system's sources are left as they are.
fetch_sources() {
  local apt_dir=$cache/apt src=$cache/src
  [ -d "$src/qt6-base" ] && [ -d "$src/sqlite3" ] && return
  step "Fetching Debian's sources of Qt and SQLite"
  mkdir -p "$apt_dir/lists/partial" "$src"
  local mirror
  mirror=$( { cat /etc/apt/sources.list.d/*.sources 2>/dev/null || true; } |
            awk '/^URIs:/ { u = $2 } /^Suites:/ && / bookworm( |$)/ && u { print u; exit }')
  if [ -z "$mirror" ]; then
    mirror=$(awk '$1 == "deb" && $3 == "bookworm" { print $2; exit }' /etc/apt/sources.list 2>/dev/null || true)
  fi
  mirror=${mirror:-http://deb.debian.org/debian}
  echo "deb-src $mirror bookworm main" > "$apt_dir/sources.list"
  local opts=(-o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/nonexistent
              -o Dir::State::Lists="$apt_dir/lists" -o APT::Sandbox::User=root)
  apt-get "${opts[@]}" update -qq
  (
    cd "$src"
    apt-get "${opts[@]}" source --download-only -qq qt6-base sqlite3
    rm -rf qt6-base sqlite3
    dpkg-source -x --no-check qt6-base_*.dsc qt6-base >/dev/null
    dpkg-source -x --no-check sqlite3_*.dsc sqlite3 >/dev/null
  )
}

# SQLite as a DLL, which Qt's driver and the program's backups share.
build_sqlite() {
  [ -f "$prefix/bin/sqlite3.dll" ] && return
  step "SQLite for Windows"
  local src=$cache/src/sqlite3 build=$cache/build/sqlite3
  rm -rf "$build" && mkdir -p "$build" "$prefix/bin" "$prefix/lib" "$prefix/include"
  (cd "$build" && "$src/configure" --disable-tcl >/dev/null && make -s sqlite3.c >/dev/null)
  # The options Debian builds its own SQLite with, less the extension loading.
  "$mingw-gcc-posix" -O2 -shared -o "$prefix/bin/sqlite3.dll" "$build/sqlite3.c" \
    -DSQLITE_SECURE_DELETE -DSQLITE_ENABLE_COLUMN_METADATA -DSQLITE_ENABLE_FTS3 \
    -DSQLITE_ENABLE_FTS3_PARENTHESIS -DSQLITE_ENABLE_FTS5 -DSQLITE_ENABLE_RTREE=1 \
    -DSQLITE_ENABLE_UNLOCK_NOTIFY -DSQLITE_ENABLE_DBSTAT_VTAB -DSQLITE_ENABLE_JSON1 \
    -DSQLITE_THREADSAFE=1 -DSQLITE_USE_URI=1 -DSQLITE_OMIT_LOAD_EXTENSION \
    -Wl,--out-implib,"$prefix/lib/libsqlite3.dll.a" -static-libgcc
  cp "$build/sqlite3.h" "$build/sqlite3ext.h" "$prefix/include/"
}

build_qt() {
  [ -f "$prefix/.built" ] && return
  step "Qt $qt_version for Windows, built once into $prefix"
  echo "The first build takes most of an hour on two cores; later runs reuse it."
  local build=$cache/build/qtbase log=$cache/build/qtbase.log
  # Qt's own toolchain file chain-loads this one: keep it beside the prefix,
  # not in a checkout that may move.
  cp "$root/cmake/mingw-w64-x86_64.cmake" "$cache/mingw-w64-x86_64.cmake"
  rm -rf "$build" && mkdir -p "$build"
  cmake -S "$cache/src/qt6-base" -B "$build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$cache/mingw-w64-x86_64.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
    -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF -DINPUT_opengl=no \
    -DFEATURE_tabletevent=OFF \
    -DFEATURE_sql_odbc=OFF -DFEATURE_sql_psql=OFF -DFEATURE_sql_mysql=OFF \
    -DFEATURE_sql_ibase=OFF -DFEATURE_sql_oci=OFF -DFEATURE_sql_db2=OFF \
    -DFEATURE_system_sqlite=ON -DINPUT_sqlite=system \
    -DSQLite3_INCLUDE_DIR="$prefix/include" -DSQLite3_LIBRARY="$prefix/lib/libsqlite3.dll.a" \
    > "$log" 2>&1 || { tail -40 "$log"; exit 1; }
  if ! cmake --build "$build" --parallel "$jobs" 2>&1 | progress "$log.build" "Qt for Windows"; then
    tail -40 "$log.build"; exit 1
  fi
  cmake --install "$build" > /dev/null
  rm -rf "$build"
  touch "$prefix/.built"
}

install_packages
fetch_sources
build_sqlite
build_qt
[ "$stop_after" = qt ] && exit 0
