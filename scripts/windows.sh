#!/usr/bin/env bash
# Builds tirages for Windows on Debian 12, from Debian's own packages and
# source packages only, and tests it under Wine:
#   1. installs the cross compilers, Wine, NSIS and the rest when missing;
#   2. cross-builds SQLite, Qt and Qt Charts once into a cache outside the
#      checkout (~/.cache/tirages; the first run takes most of an hour on two
#      cores);
#   3. cross-builds tirages and its tests, gathers what tirages.exe needs and
#      makes build-windows/tirages-<version>-setup.exe and -windows.zip;
#   4. runs the core, store and widget tests and the installed program under
#      Wine, two at a time on two X servers.
# Options: --qt-only stops after step 2; --no-tests stops after step 3.
# Qt Charts' source: Debian's source package qt6-charts where the mirror
# serves it, else the tarball named by TIRAGES_QTCHARTS_SOURCE, else
# ../shared/third-party/qtcharts-6.4.2.tar.xz beside the checkout; a tarball
# must be Qt's own release, checked by its sha256.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

qt_version=6.4.2
cache=${TIRAGES_CACHE:-$HOME/.cache/tirages}
prefix=$cache/qt-$qt_version-mingw64
mingw=x86_64-w64-mingw32
jobs=$(nproc)
qtcharts_sha256=060e6fd102fd6766187723606871a83862ff3a8b84ee2d946c2cee57790d7568
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
    icoutils librsvg2-bin
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
apt_source() {
  local apt_dir=$cache/apt
  mkdir -p "$apt_dir/lists/partial"
  apt-get -o Dir::Etc::SourceList="$apt_dir/sources.list" -o Dir::Etc::SourceParts=/nonexistent \
          -o Dir::State::Lists="$apt_dir/lists" -o APT::Sandbox::User=root "$@"
}

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
  apt_source update -qq
  (
    cd "$src"
    apt_source source --download-only -qq qt6-base sqlite3
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

# Qt Charts' source, unpacked into $cache/src/qtcharts; says where it came from.
fetch_qtcharts() {
  local src=$cache/src
  rm -rf "$src/qtcharts" "$src/qtcharts-unpack"
  if (cd "$src" && apt_source source --download-only -qq qt6-charts) >/dev/null 2>&1 &&
     (cd "$src" && dpkg-source -x --no-check qt6-charts_*.dsc qtcharts) >/dev/null 2>&1; then
    echo "Qt Charts' source: Debian's source package qt6-charts"
    return
  fi
  rm -f "$src"/qt6-charts_*
  local tarball=${TIRAGES_QTCHARTS_SOURCE:-$root/../shared/third-party/qtcharts-$qt_version.tar.xz}
  if [ ! -f "$tarball" ]; then
    echo "Qt Charts' source is missing: Debian's mirror does not serve qt6-charts and there is" >&2
    echo "no $tarball (set TIRAGES_QTCHARTS_SOURCE to Qt's qtcharts-$qt_version.tar.xz)." >&2
    exit 1
  fi
  if [ "$(sha256sum "$tarball" | cut -d' ' -f1)" != "$qtcharts_sha256" ]; then
    echo "$tarball is not Qt Charts $qt_version: its sha256 differs from $qtcharts_sha256." >&2
    exit 1
  fi
  mkdir -p "$src/qtcharts-unpack"
  tar -xf "$tarball" -C "$src/qtcharts-unpack"
  mv "$src/qtcharts-unpack"/* "$src/qtcharts" && rmdir "$src/qtcharts-unpack"
  echo "Qt Charts' source: $(realpath "$tarball") (sha256 checked)"
}

# Qt Charts, which the statistics window draws with, into the same prefix.
build_qtcharts() {
  [ -f "$prefix/.charts-built" ] && return
  step "Qt Charts $qt_version for Windows, built once into $prefix"
  fetch_qtcharts
  local build=$cache/build/qtcharts log=$cache/build/qtcharts.log
  rm -rf "$build" && mkdir -p "$build"
  "$prefix/bin/qt-cmake" -S "$cache/src/qtcharts" -B "$build" -G Ninja \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF > "$log" 2>&1 || { tail -40 "$log"; exit 1; }
  if ! cmake --build "$build" --parallel "$jobs" 2>&1 | progress "$log.build" "Qt Charts for Windows"; then
    tail -40 "$log.build"; exit 1
  fi
  cmake --install "$build" > /dev/null
  rm -rf "$build"
  touch "$prefix/.charts-built"
}

started=$SECONDS
install_packages
fetch_sources
build_sqlite
build_qt
build_qtcharts
echo "Qt for Windows is in $prefix ($((SECONDS - started)) s)"
[ "$stop_after" = qt ] && exit 0

version=$(sed -n 's/^project(tirages VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
out=$root/build-windows
build=$out/cmake
stage=$out/tirages-$version

step "tirages $version for Windows"
"$prefix/bin/qt-cmake" -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DTIRAGES_STATISTICS=ON -DTIRAGES_WERROR=ON -DTIRAGES_BUILD_TESTS=ON >/dev/null
if ! cmake --build "$build" --parallel "$jobs" | progress "$out/build.log" "tirages for Windows"; then
  tail -40 "$out/build.log"; exit 1
fi

# Everything tirages.exe needs, in one folder: Qt and Qt Charts, Qt's plugins
# and French texts, SQLite, MinGW's runtime, the lists, the statistics module.
rm -rf "$stage"
cmake --install "$build" --prefix "$stage" >/dev/null
for dll in Qt6Core Qt6Gui Qt6Widgets Qt6Sql Qt6Charts sqlite3; do cp "$prefix/bin/$dll.dll" "$stage/"; done
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
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup" -DICON="$build/src/tirages.ico" \
  "$root/packaging/windows/tirages.nsi"
ls -l "$setup" "$zip_file" | awk '{ printf "%s: %.1f MB\n", $NF, $5 / 1e6 }'

# The program's icon, 16 to 256 pixels, in tirages.exe and in the installer.
for exe in "$stage/tirages.exe" "$setup"; do
  wrestool -x -t 14 "$exe" -o "$out/carried.ico"
  icons=$(icotool -l "$out/carried.ico" | sed -n 's/.*--width=\([0-9]*\) .*/\1/p' | sort -nu | tr '\n' ' ')
  for size in 16 32 48 256; do
    [[ " $icons" == *" $size "* ]] || { echo "$exe lacks its $size-pixel icon (has: $icons)" >&2; exit 1; }
  done
  echo "ok: $(basename "$exe") carries the program's icon (${icons% } pixels)"
done
rm -f "$out/carried.ico"
[ "$stop_after" = package ] && exit 0

# Wine on two X servers at once, one Wine prefix each: a test waits mostly
# on Wine and the X server, so two run side by side on two cores. The longest
# (by the last run's logs) go first; the installer's run is one of them.
step "Tests under Wine"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
to_windows() { echo "Z:${1//\//\\}"; }
export WINEPATH="$(to_windows "$prefix/bin");$(to_windows "$(dirname "${mingw_runtime[0]}")");$(to_windows "/usr/$mingw/lib")"
logs=$out/test-logs
mkdir -p "$logs"
tasks=()
for test in "$build"/tests/{core,store,widget}_*.exe e2e_installer; do
  name=$(basename "$test" .exe)
  last=$(sed -n 's/^Totals: .*, \([0-9]*\)ms$/\1/p;s/^took \([0-9]*\) s$/\1000/p' "$logs/$name.txt" 2>/dev/null | tail -1 || true)
  tasks+=("${last:-99999} $test")
done
rm -rf "$logs" && mkdir -p "$logs"
servers=()
prefixes=("$cache/wine" "$cache/wine-2")
trap 'kill "${servers[@]}" 2>/dev/null || true; for p in "${prefixes[@]}"; do WINEPREFIX=$p wineserver -k 2>/dev/null || true; done' EXIT
for slot in 0 1; do
  Xvfb -displayfd 3 -screen 0 1280x1024x24 3>"$logs/.display$slot" >/dev/null 2>&1 &
  servers+=($!)
done
for slot in 0 1; do
  for _ in $(seq 100); do [ -s "$logs/.display$slot" ] && break; sleep 0.1; done
  export TIRAGES_DISPLAY_$slot=":$(cat "$logs/.display$slot")"
  wineprefix=${prefixes[slot]}
  export TIRAGES_WINEPREFIX_$slot="$wineprefix"
  if [ ! -d "$wineprefix/drive_c" ]; then
    WINEPREFIX=$wineprefix DISPLAY=":$(cat "$logs/.display$slot")" wineboot -i >/dev/null 2>&1 || true
    [ -d "$wineprefix/drive_c" ] || { echo "Wine could not make its prefix $wineprefix" >&2; exit 1; }
  fi
  # No window manager runs on these X servers: the tests' windows are left
  # unmanaged, else every window hidden would wait two seconds for one to
  # answer. The installed program keeps managed windows, as on a desktop,
  # where Wine draws no frame of its own.
  for key in 'HKCU\Software\Wine\X11 Driver:N' 'HKCU\Software\Wine\AppDefaults\tirages.exe\X11 Driver:Y'; do
    WINEPREFIX=$wineprefix DISPLAY=":$(cat "$logs/.display$slot")" \
      wine reg add "${key%:*}" /v Managed /d "${key##*:}" /f >/dev/null 2>&1 ||
      { echo "Wine could not set ${key%:*}\\Managed in $wineprefix" >&2; exit 1; }
  done
  # One Wine server that stays up for the whole run, instead of one per test.
  WINEPREFIX=$wineprefix wineserver -p >/dev/null 2>&1 || true # already up: fine
done

# Runs one test (or the installer's run) on the X server and prefix of its slot.
run_task() {
  local slot=$1 test=$2 name started=$SECONDS
  local display=TIRAGES_DISPLAY_$slot wineprefix=TIRAGES_WINEPREFIX_$slot
  export DISPLAY=${!display} WINEPREFIX=${!wineprefix}
  name=$(basename "$test" .exe)
  if [ "$name" = e2e_installer ]; then
    if bash "$root/tests/e2e/wine.sh" "$setup" >"$logs/$name.log" 2>&1; then
      echo "took $((SECONDS - started)) s" >"$logs/$name.txt"
      echo "ok: $name ($(grep -c '^ok:' "$logs/$name.log") checks, $((SECONDS - started)) s)"
      return 0
    fi
    echo "FAIL: $name"; cat "$logs/$name.log"; touch "$logs/$name.failed"; return 0
  fi
  if (cd "$build/tests" && timeout 600 wine "$test" -o "$logs/$name.txt,txt" >/dev/null 2>&1); then
    echo "ok: $name ($(grep -o 'Totals: [0-9]* passed' "$logs/$name.txt" | cut -d' ' -f2) passed, $((SECONDS - started)) s)"
  else
    echo "FAIL: $name"
    grep -A4 '^FAIL' "$logs/$name.txt" || tail -5 "$logs/$name.txt" || true
    touch "$logs/$name.failed"
  fi
}
export -f run_task
export root setup build logs
tests_started=$SECONDS
printf '%s\n' "${tasks[@]}" | sort -rn | cut -d' ' -f2- |
  xargs -d '\n' -P 2 --process-slot-var=TIRAGES_SLOT -I{} bash -c 'run_task "$TIRAGES_SLOT" "$1"' _ {}
failed=$(cd "$logs" && ls -- *.failed 2>/dev/null | sed 's/\.failed$//' | tr '\n' ' ' || true)
if [ -n "$failed" ]; then
  echo "Failed under Wine: $failed(logs in $logs)"
  exit 1
fi
echo "ok: every core, store and widget test and the installer pass under Wine ($((SECONDS - tests_started)) s)"
echo "Windows: $setup and $zip_file, tested under Wine ($((SECONDS - started)) s)"
