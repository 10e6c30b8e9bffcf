#!/usr/bin/env bash
# Runs one fuzz target for as long as asked (default 600 seconds), starting
# from its committed corpus. What it learns stays in build/fuzz/long/TARGET
# for the next run; a crash is written there and named at the end.
#   bash scripts/fuzz.sh TARGET [SECONDS] [libFuzzer options...]
#   bash scripts/fuzz.sh list
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

CORPORA="$REPO/tests/fuzz/corpus"
if [ $# -lt 1 ] || [ "$1" = list ] || [ ! -d "$CORPORA/${1:-}" ]; then
    echo "usage: bash scripts/fuzz.sh TARGET [SECONDS] [libFuzzer options...]" >&2
    echo "targets: $(ls "$CORPORA" | tr '\n' ' ')" >&2
    exit 2
fi
target=$1
seconds=${2:-600}
shift $(($# < 2 ? $# : 2))

install_missing_packages
build_fuzz_targets >/dev/null
work="$FUZZ_BUILD/long/$target"
mkdir -p "$work/corpus" "$work/crashes"
status=0
"$FUZZ_BUILD/tests/fuzz/${target}_fuzzer" -max_total_time="$seconds" -timeout=20 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/crashes/" "$@" \
    "$work/corpus" "$CORPORA/$target" || status=$?
if [ -n "$(ls -A "$work/crashes")" ]; then
    echo "Crashes and slow inputs found (keep each one in $CORPORA/$target once mended):"
    ls "$work/crashes"/*
fi
exit $status
