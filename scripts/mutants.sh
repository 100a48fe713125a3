#!/usr/bin/env bash
# The mutation run of the module (not part of the test suite): see scripts/mutants.py --help and
# the README's "Mutation run".
#   scripts/mutants.sh --sample 300          a seeded sample over every folder
#   scripts/mutants.sh --all --files 'src/module/*'
#   scripts/mutants.sh --list --files 'src/inspect/*'
set -euo pipefail
exec python3 "$(dirname "$0")/mutants.py" "$@"
