#!/usr/bin/env bash
# The product's main job on this machine: builds the k60418 command and plays the whole course
# (every bundled scenario) on the simulated desktop, printing one row per exercise.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh"
"$root/scripts/build.sh" release k60418 >/dev/null
exec "$root/build/release/k60418" course "$@"
