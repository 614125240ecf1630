#!/usr/bin/env bash
# Builds Nibblecast and starts it.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh" --target nibblecast
exec "${NIBBLECAST_BUILD_DIR:-$root/build}/src/nibblecast" "$@"
