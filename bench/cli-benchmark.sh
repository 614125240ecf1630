#!/usr/bin/env bash
# Times nibblecast-cli against Qt's own decode + scale of the same files and against an
# ImageMagick pipeline doing the same 4-bit packing, on one 24-megapixel JPEG and on a batch of
# 100 pictures of 1920 x 1080, all in this one run, and prints the ratios.
#   bench/cli-benchmark.sh [build folder, default build/]
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
build="${1:-$root/build}"
cli="$build/src/cli/nibblecast-cli"
decode_scale="$build/bench/decode_scale"
magick=/usr/bin/convert # Debian's ImageMagick 6
"$root/scripts/install-deps.sh" imagemagick
cmake --build "$build" --target nibblecast-cli decode_scale make_photos >/dev/null

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/big" "$work/batch" "$work/out"
"$build/bench/make_photos" "$work/big" 1 6000 4000 jpg
"$build/bench/make_photos" "$work/batch" 100 1920 1080 jpg

seconds() { # best of three runs of the command, in seconds
    local best=""
    for _ in 1 2 3; do
        local start end
        start=$(date +%s.%N)
        "$@" >/dev/null 2>&1
        end=$(date +%s.%N)
        best=$(echo "$start $end ${best:-1e9}" | awk '{t = $2 - $1; print (t < $3) ? t : $3}')
    done
    echo "$best"
}
imagemagick() { for f in "$@"; do "$magick" "$f" -sample '128x96!' -colorspace gray -depth 4 "gray:$work/out/$(basename "$f").gray"; done; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.3f", a / b }'; }

for set in big batch; do
    files=("$work/$set"/*.jpg)
    base=$(seconds "$decode_scale" "${files[@]}")
    one=$(seconds "$cli" --quiet --jobs 1 --output-dir "$work/out" "${files[@]}")
    two=$(seconds "$cli" --quiet --jobs 2 --output-dir "$work/out" "${files[@]}")
    im=$(seconds imagemagick "${files[@]}")
    echo "== ${#files[@]} x $(basename "${files[0]}") ($set)"
    printf '  Qt decode+scale %8.3f s\n  cli --jobs 1    %8.3f s  (%s x decode+scale)\n' "$base" "$one" "$(ratio "$one" "$base")"
    printf '  cli --jobs 2    %8.3f s  (%s x the throughput of --jobs 1)\n' "$two" "$(ratio "$one" "$two")"
    printf '  ImageMagick     %8.3f s  (cli --jobs 1 is %s x faster)\n' "$im" "$(ratio "$im" "$one")"
done
