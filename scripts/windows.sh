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

started=$SECONDS
install_packages
fetch_sources
build_sqlite
build_qt
echo "Qt for Windows is in $prefix ($((SECONDS - started)) s)"
[ "$stop_after" = qt ] && exit 0

version=$(sed -n 's/^project(tirages VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
out=$root/build-windows
build=$out/cmake
stage=$out/tirages-$version

step "tirages $version for Windows"
"$prefix/bin/qt-cmake" -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTIRAGES_STATISTICS=OFF -DTIRAGES_WERROR=ON -DTIRAGES_BUILD_TESTS=ON >/dev/null
if ! cmake --build "$build" --parallel "$jobs" | progress "$out/build.log" "tirages for Windows"; then
  tail -40 "$out/build.log"; exit 1
fi

# Everything tirages.exe needs, in one folder: Qt, its plugins and French
# texts, SQLite, MinGW's runtime, the lists.
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6Sql sqlite3; do cp "$prefix/bin/$dll.dll" "$stage/"; done
for plugin in platforms/qwindows styles/qwindowsvistastyle sqldrivers/qsqlite; do
  mkdir -p "$stage/$(dirname "$plugin")"
  cp "$prefix/plugins/$plugin.dll" "$stage/$plugin.dll"
done
mingw_runtime=(/usr/lib/gcc/$mingw/*-posix/libgcc_s_seh-1.dll
               /usr/lib/gcc/$mingw/*-posix/libstdc++-6.dll /usr/$mingw/lib/libwinpthread-1.dll)
cp "${mingw_runtime[@]}" "$stage/"
mkdir -p "$stage/translations"
cp /usr/share/qt6/translations/qtbase_fr.qm "$stage/translations/"
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' > "$stage/qt.conf"
"$mingw-strip" "$stage"/*.exe "$stage"/*.dll "$stage"/*/*.dll

step "The archive and the installer"
zip_file=$out/tirages-$version-windows.zip
setup=$out/tirages-$version-setup.exe
rm -f "$zip_file" "$setup"
(cd "$out" && zip -qr9 "$zip_file" "tirages-$version")
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup" \
  "$root/packaging/windows/tirages.nsi"
ls -l "$setup" "$zip_file" | awk '{ printf "%s: %.1f MB\n", $NF, $5 / 1e6 }'
[ "$stop_after" = package ] && exit 0

# Wine, in a prefix of its own, on an X server of its own.
step "Tests under Wine"
export WINEPREFIX=$cache/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
to_windows() { echo "Z:${1//\//\\}"; }
export WINEPATH="$(to_windows "$prefix/bin");$(to_windows "$(dirname "${mingw_runtime[0]}")");$(to_windows "/usr/$mingw/lib")"
display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; wineserver -k 2>/dev/null || true' EXIT
export DISPLAY=$display
[ -d "$WINEPREFIX/drive_c" ] || wineboot -i >/dev/null 2>&1
failed=()
logs=$out/test-logs
rm -rf "$logs" && mkdir -p "$logs"
for test in "$build"/tests/{core,store,widget}_*.exe; do
  name=$(basename "$test" .exe)
  # Every write of three saves made to fail in turn: four minutes on Linux,
  # where the test command runs it; Wine starts each process far slower.
  [ "$name" = store_faults ] && continue
  if (cd "$build/tests" && timeout 600 wine "$test" -o "$logs/$name.txt,txt" >/dev/null 2>&1); then
    echo "ok: $name ($(grep -o 'Totals: [0-9]* passed' "$logs/$name.txt" | cut -d' ' -f2) passed)"
  else
    echo "FAIL: $name"
    grep -A4 '^FAIL' "$logs/$name.txt" || tail -5 "$logs/$name.txt" || true
    failed+=("$name")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed under Wine: ${failed[*]} (logs in $logs)"
  exit 1
fi
echo "ok: every core, store and widget test passes under Wine"

step "The installer under Wine"
bash "$root/tests/e2e/wine.sh" "$setup"
echo "Windows: $setup and $zip_file, tested under Wine ($((SECONDS - started)) s)"
