#!/usr/bin/env bash
# The longer local fuzz run: every target for MINUTES minutes, one after the other.
#   fuzz/run-all.sh MINUTES
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: fuzz/run-all.sh MINUTES" >&2; exit 2; }
exec "$(dirname "$0")/../scripts/fuzz.sh" $(($1 * 60))
