#!/usr/bin/env bash
# Configures and builds into build/ (or $NIBBLECAST_BUILD_DIR); extra arguments go to the build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${NIBBLECAST_BUILD_DIR:-$root/build}"

"$root/scripts/install-deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --parallel "$(nproc)" "$@"
