#!/usr/bin/env bash
# Installs the Debian 12 packages that building and testing need, and any further packages named
# as arguments, skipping those already there.
set -euo pipefail

packages=(
    cmake make g++ gcc
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    fonts-dejavu-core
    # for the tests: a real X server for the close-button test, and its client library
    xvfb xauth libx11-dev
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
