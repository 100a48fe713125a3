#!/usr/bin/env bash
# The whole course through real COM under Wine: k60418.exe plays every bundled scenario with
# K60418.dll hosted through AbstractModule and the stand-in PowerPoint on the real desktop of a
# fresh prefix, and prints the course's table and "N passed, M failed[, K skipped]".
# Usage: scripts/wine-course.sh [win32|win64] [k60418 course options…]
#   win32 (the default) is the i686 build, whose DLL registers with the prefix's 32-bit regsvr32.
# WINEPREFIX: the prefix to use (default <build>/coursewine, made afresh); K60418_REUSE_PREFIX=1
# keeps a prefix that is ready already (the test suite's, once its tests have unregistered);
# K60418_COURSE_TIMEOUT: the seconds the run may take before it is ended as failed (default 3600);
# K60418_SCENARIO_TIMEOUT: the seconds one scenario may take (default 300) before k60418.exe names
# it, ends the stand-ins so that it fails, and goes on (or stops, failed, when it stays stuck): a
# call that never returns under Wine cannot hang a test run.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
flavour=win32
case "${1:-}" in win32 | win64) flavour=$1; shift ;; esac
build="$root/build/$flavour"

"$root/scripts/build.sh" "$flavour" K60418 StandinPowerPoint k60418 >/dev/null

export WINEPREFIX=${WINEPREFIX:-$build/coursewine}
if [ "${K60418_REUSE_PREFIX:-0}" != 1 ]; then
  "$root/scripts/wine-prefix.sh" stop
  rm -rf "$WINEPREFIX" "$WINEPREFIX.lock" "$WINEPREFIX.wineboot.log"
fi
"$root/scripts/wine-prefix.sh"
export WINEDEBUG=${WINEDEBUG:--all}
unset DISPLAY WAYLAND_DISPLAY

# A Unix path as Wine's programs see it: on drive Z:.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
if [ "$flavour" = win32 ]; then tools='C:\windows\syswow64'; else tools='C:\windows\system32'; fi
dll=$(windows_path "$build/win32/server/K60418.dll")
standin=$(windows_path "$build/win32/standin/StandinPowerPoint.exe")
office=$(windows_path "$root/course/office")

stop() { "$root/scripts/wine-prefix.sh" stop; }
trap stop EXIT
# Machine-wide: Wine's COM does not read HKCU\Software\Classes.
wine "$tools\\regsvr32.exe" /s "$dll"
wine "$standin" /regserver
wine "$standin" /seed "$office"

# From the prefix's folder: Wine's own processes, which start the stand-in for COM, take this as
# their current folder (the stand-in moves to the user's documents folder as it starts).
cd "$WINEPREFIX"
status=0
K60418_COURSE_DIR=${K60418_COURSE_DIR:-$(windows_path "$root/course")} \
  timeout --kill-after=30 "${K60418_COURSE_TIMEOUT:-3600}" \
  wine "$build/win32/player/k60418.exe" course "$@" || status=$?
if [ "$status" -eq 124 ] || [ "$status" -eq 137 ]; then
  echo "wine-course.sh: the course did not end within ${K60418_COURSE_TIMEOUT:-3600} s and was stopped" >&2
fi
exit "$status"
