#!/usr/bin/env bash
# Runs a Windows program under Wine in the build's throwaway prefix (CTest's emulator for the
# Windows builds): headless, quiet, the prefix made ready first by scripts/wine-prefix.sh.
# The prefix is WINEPREFIX when set, otherwise <build folder>/wineprefix of the program's build.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:?usage: wine-run.sh PROGRAM [ARGS…]}
if [ -z "${WINEPREFIX:-}" ]; then
  dir=$(cd "$(dirname "$program")" && pwd)
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] || { echo "wine-run.sh: $program is not in a build folder; set WINEPREFIX" >&2; exit 2; }
  export WINEPREFIX="$dir/wineprefix"
fi
"$root/scripts/wine-prefix.sh" >/dev/null
unset DISPLAY WAYLAND_DISPLAY
export WINEDEBUG=${WINEDEBUG:--all}
exec wine "$@"
