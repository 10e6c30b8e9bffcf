#!/usr/bin/env bash
# A fuzz target's regression run: every input of the committed corpus, then
# seeded mutations up to a fixed count, so a run takes seconds and repeats.
# New inputs and crashes go below the work folder, never into the corpus.
set -euo pipefail
fuzzer=$1 corpus=$2 work=$3 runs=$4
rm -rf "$work"
mkdir -p "$work/new" "$work/crashes"
exec "$fuzzer" -seed=1 -runs="$runs" -timeout=20 -rss_limit_mb=2048 \
    -artifact_prefix="$work/crashes/" -print_final_stats=1 "$work/new" "$corpus"
