#!/usr/bin/env bash
# Makes the Wine prefix WINEPREFIX ready for the tests, once: a 64-bit prefix (it runs the 32-bit
# programs too), no display, the null graphics driver set before the first window, and wineboot
# run to its end so that the services cross-process COM and the running-object table need are up.
# wineboot's output goes to a file: the services it leaves running would hold a pipe open.
# `wine-prefix.sh stop` ends the prefix's wineserver.
set -euo pipefail
: "${WINEPREFIX:?set WINEPREFIX}"
export WINEPREFIX WINEDEBUG=${WINEDEBUG:--all}
unset DISPLAY WAYLAND_DISPLAY
if [ "${1:-}" = stop ]; then
  [ -d "$WINEPREFIX" ] && wineserver -k 2>/dev/null || true
  exit 0
fi
ready="$WINEPREFIX/.k60418-ready"
[ -f "$ready" ] && exit 0
mkdir -p "$WINEPREFIX"
exec 9>"$WINEPREFIX.lock"
flock 9
[ -f "$ready" ] && exit 0
export WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
log="$WINEPREFIX.wineboot.log"
wineboot --init >"$log" 2>&1 </dev/null
wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >>"$log" 2>&1 </dev/null
wineboot --restart >>"$log" 2>&1 </dev/null
wineserver -w
touch "$ready"
