#!/usr/bin/env bash
# Fuzzes every decoder: configures build-fuzz/ with clang and QV_FUZZ=ON, builds the targets,
# writes seed corpora from the test samples and runs each target for SECONDS (default 30).
# Crash inputs land in build-fuzz/crashes/<format>/; keep them as fixtures under
# tests/codecs/fixtures/<format>/ once fixed.
#
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail

seconds=${1:-30}
root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_FUZZ_BUILD_DIR:-$root/build-fuzz}
jobs=${QV_JOBS:-2}
formats="bmp gif jpeg png ico tiff tga"
# The readers of the engine's own formats, with the seed folder each takes.
readers="library_archive:archive project_reader:project user_font:font"

# shellcheck disable=SC2046
"$root/scripts/install-missing.sh" $(grep -hv '^#' "$root/scripts/debian-packages.txt" "$root/scripts/fuzz-packages.txt")

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++-14 -DQV_FUZZ=ON -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF
targets=(make_fuzz_seeds)
for f in $formats; do targets+=("decode_${f}_fuzz"); done
for r in $readers; do targets+=("${r%%:*}_fuzz"); done
cmake --build "$build" -j "$jobs" --target "${targets[@]}"

rm -rf "$build/seeds"
"$build/bin/make_fuzz_seeds" "$build/seeds"
# A few small font files of the shipped packages, when installed, for the user-font opener.
mkdir -p "$build/seeds/font"
for f in /usr/share/fonts/truetype/aenigma/8bitlim.ttf /usr/share/fonts/truetype/aenigma/90stars.ttf; do
    if [ -f "$f" ]; then cp "$f" "$build/seeds/font/"; fi
done

status=0
run() {
    local name=$1 target=$2 seeds=$3
    local corpus="$build/corpus/$name" crashes="$build/crashes/$name" log="$build/fuzz-$name.log"
    mkdir -p "$corpus" "$crashes"
    # New inputs go to the first folder; the seeds are only read. A finding ends the run of
    # that target only.
    if ! "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
        -print_final_stats=1 -artifact_prefix="$crashes/" "$corpus" "$seeds" >"$log" 2>&1; then
        status=1
    fi
    local runs found
    runs=$(awk '/stat::number_of_executed_units/ { print $2 }' "$log")
    found=$(find "$crashes" -type f | wc -l)
    echo "$name: ${runs:-?} executions, $found finding(s) in $crashes (log: $log)"
}
for f in $formats; do run "$f" "decode_${f}_fuzz" "$build/seeds/$f"; done
for r in $readers; do run "${r##*:}" "${r%%:*}_fuzz" "$build/seeds/${r##*:}"; done
exit $status
