#!/usr/bin/env bash
# Times our command-line export against ImageMagick drawing the same text with the same font
# file, a stroke and a blurred shadow, side by side in one hyperfine run:
#   (a) a 4000 x 1400 logo: the 400 x 140 project at 1000 %, the other tool at full size with a
#       shadow blur of sigma 20 (a 121-tap kernel per direction, about the work of our 23
#       five-tap passes at that scale);
#   (b) the same logo at 400 x 140, each from process start to exit.
# Not part of the test suite.
#
#   bench/compare_imagemagick.sh [BUILD_DIR]    (default: build)
set -euo pipefail

build=${1:-build}
cli=$build/bin/qorvan-logo-cli
make_project=$build/bin/qorvan-bench-projects
font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
for tool in "$cli" "$make_project"; do
    [[ -x $tool ]] || { echo "missing $tool: build qorvan-logo-cli and qorvan-bench-projects" >&2; exit 1; }
done
for tool in hyperfine convert python3; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 1; }
done
[[ -r $font ]] || { echo "missing $font" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$make_project" "$work/logo.kuz"

ours_big="$cli export $work/logo.kuz $work/ours-big.png --scale 1000"
ours_small="$cli export $work/logo.kuz $work/ours-small.png"
# Text with a stroke on a transparent layer, its shadow blurred beneath, flattened on white.
magick() {  # SIZE POINTSIZE STROKE SHADOW OUTPUT
    echo "convert -size $1 xc:none -font $font -pointsize $2 -gravity center -fill '#1f3fbf'" \
         "-stroke '#6a6a6a' -strokewidth $3 -annotate +0+0 Qorvan \\( +clone -background black" \
         "-shadow $4 \\) +swap -background white -layers merge +repage -gravity center -extent $1 $5"
}
theirs_big=$(magick 4000x1400 800 30 80x20+30+30 "$work/theirs-big.png")
theirs_small=$(magick 400x140 80 3 80x2+3+3 "$work/theirs-small.png")

size_of() { python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(24); print("%dx%d" % struct.unpack(">II", d[16:24]))' "$1"; }

run() {  # NAME OURS_COMMAND OURS_OUTPUT THEIRS_COMMAND THEIRS_OUTPUT
    # Once each beforehand, to check that both draw and what size they draw.
    bash -c "$2"
    bash -c "$4"
    echo "== $1: ours $(size_of "$3"), ImageMagick $(size_of "$5")"
    hyperfine --warmup 1 --min-runs "${RUNS:-5}" --export-json "$work/$1.json" \
        -n ours "$2" -n imagemagick "$4"
    python3 - "$work/$1.json" "$1" <<'PY'
import json, sys
results = {r["command"]: r for r in json.load(open(sys.argv[1]))["results"]}
ours, theirs = results["ours"], results["imagemagick"]
wall = ours["mean"] / theirs["mean"]
cpu = (ours["user"] + ours["system"]) / (theirs["user"] + theirs["system"])
print(f"{sys.argv[2]}: wall ours {ours['mean'] * 1000:.1f} ms, ImageMagick {theirs['mean'] * 1000:.1f} ms, "
      f"ratio {wall:.3f} (1/{1 / wall:.1f}); cpu ours {(ours['user'] + ours['system']) * 1000:.1f} ms, "
      f"ImageMagick {(theirs['user'] + theirs['system']) * 1000:.1f} ms, ratio {cpu:.3f} (1/{1 / cpu:.1f})")
PY
}

run big "$ours_big" "$work/ours-big.png" "$theirs_big" "$work/theirs-big.png"
run small "$ours_small" "$work/ours-small.png" "$theirs_small" "$work/theirs-small.png"
