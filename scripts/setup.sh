#!/usr/bin/env bash
# Sets up a Debian 12 machine, builds everything with its installation data, then either
# starts the program or runs the whole test suite.
#
#   scripts/setup.sh run     build and start the program
#   scripts/setup.sh test    build and run every test
set -euo pipefail

mode=${1:-}
case "$mode" in
    run | test) ;;
    *)
        echo "usage: $0 run|test" >&2
        exit 2
        ;;
esac

root=$(cd "$(dirname "$0")/.." && pwd)
build=${QV_BUILD_DIR:-$root/build}

# Everything the build needs: the listed system packages and every font package of the
# manifest. Only what is missing is installed.
wanted=$( (grep -v '^#' "$root/scripts/debian-packages.txt"; grep -v '^[[:space:]]*#' "$root/data/fonts/manifest.txt" | awk 'NF >= 3 { print $2 }') | awk 'NF' | sort -u)
# shellcheck disable=SC2086
"$root/scripts/install-missing.sh" $wanted

jobs=$(nproc)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$build" -j "$jobs"

if [ "$mode" = run ]; then
    if [ -x "$build/bin/qorvan-logo" ]; then
        exec "$build/bin/qorvan-logo" "${@:2}"
    fi
    exec "$build/bin/qorvan-logo-cli" info
fi

ctest --test-dir "$build" --output-on-failure -j "$jobs"

# Every decoder and reader of our own formats under libFuzzer for a short while.
"$root/scripts/fuzz.sh" "${QV_FUZZ_SECONDS:-30}"

# The engine's tests once more under AddressSanitizer and UndefinedBehaviorSanitizer: damaged
# files must fail cleanly, never read or write out of bounds.
sanitized=${QV_SANITIZE_BUILD_DIR:-$root/build-sanitize}
cmake -S "$root" -B "$sanitized" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQV_SANITIZE=ON \
    -DQV_BUILD_UI=OFF -DQV_BUILD_BENCH=OFF
cmake --build "$sanitized" -j "$jobs" --target engine_tests
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
    ctest --test-dir "$sanitized" --output-on-failure -j "$jobs"
