#!/usr/bin/env bash
# Builds everything and runs the whole test suite.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
cd "${NIBBLECAST_BUILD_DIR:-$root/build}"
ctest --output-on-failure --parallel "$(nproc)"
