#!/usr/bin/env bash
# The whole test suite: unit and conformance tests, bundled scenarios, under GCC and again under
# Clang with AddressSanitizer and UndefinedBehaviorSanitizer; then the Windows side, cross-built for
# i686 and x86_64 and run under Wine, each in a throwaway prefix; and the whole course played
# through K60418.dll and the stand-in PowerPoint under Wine (i686), some 8 minutes on two idle
# cores (over 20 on a busy machine), within a time limit, each scenario within one of its own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
jobs=$(nproc)
for flavour in debug asan; do
  echo "== $flavour build"
  "$root/scripts/build.sh" "$flavour"
  echo "== $flavour tests"
  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$root/build/$flavour" --output-on-failure -j "$jobs"
done

for flavour in win32 win64; do
  echo "== $flavour build"
  "$root/scripts/build.sh" "$flavour"
  echo "== $flavour tests (Wine)"
  export WINEPREFIX="$root/build/$flavour/wineprefix"
  "$root/scripts/wine-prefix.sh" stop
  rm -rf "$WINEPREFIX" "$WINEPREFIX.lock" "$WINEPREFIX.wineboot.log"
  "$root/scripts/wine-prefix.sh"
  status=0
  ctest --test-dir "$root/build/$flavour" --output-on-failure -j "$jobs" || status=$?
  if [ "$status" -eq 0 ] && [ "$flavour" = win32 ]; then
    # The whole course through K60418.dll and the stand-in, in the same prefix (its tests have
    # unregistered everything; every scenario starts from a fresh user state). It prints the
    # course's table, what did not pass, the skips with their reasons and "N passed, M failed".
    echo "== $flavour course (Wine)"
    K60418_REUSE_PREFIX=1 K60418_COURSE_TIMEOUT=1800 "$root/scripts/wine-course.sh" win32 || status=$?
  fi
  "$root/scripts/wine-prefix.sh" stop
  unset WINEPREFIX
  [ "$status" -eq 0 ] || exit "$status"
done
