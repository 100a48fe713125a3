#!/usr/bin/env bash
# Configures and builds one flavour of the project into build/<flavour>:
#   release  optimised, GCC
#   debug    GCC, assertions and debug information
#   asan     Clang with AddressSanitizer and UndefinedBehaviorSanitizer
#   win32    Windows, i686 (the product's primary target), mingw-w64; tests run under Wine
#   win64    Windows, x86_64, mingw-w64; tests run under Wine
# Usage: scripts/build.sh FLAVOUR [ninja targets…]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:?flavour: release, debug, asan, win32 or win64}
shift
case "$flavour" in
  release) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++) ;;
  debug) args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ -DK60418_BENCH=ON) ;;
  asan) args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DK60418_SANITIZE=ON) ;;
  win32) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake") ;;
  win64) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake") ;;
  *) echo "unknown flavour: $flavour" >&2; exit 2 ;;
esac
dir="$root/build/$flavour"
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "${args[@]}" >/dev/null
fi
cmake --build "$dir" -- "$@"
