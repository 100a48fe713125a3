#!/usr/bin/env bash
# Configures and builds one flavour of the project into build/<flavour>:
#   release  optimised, GCC
#   debug    GCC, assertions and debug information
#   asan     Clang with AddressSanitizer and UndefinedBehaviorSanitizer
# Usage: scripts/build.sh FLAVOUR [ninja targets…]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
flavour=${1:?flavour: release, debug or asan}
shift
case "$flavour" in
  release) args=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=g++) ;;
  debug) args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ -DK60418_BENCH=ON) ;;
  asan) args=(-DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DK60418_SANITIZE=ON) ;;
  *) echo "unknown flavour: $flavour" >&2; exit 2 ;;
esac
dir="$root/build/$flavour"
if [ ! -f "$dir/build.ninja" ]; then
  cmake -S "$root" -B "$dir" -G Ninja "${args[@]}" >/dev/null
fi
cmake --build "$dir" -- "$@"
