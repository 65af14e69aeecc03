#!/bin/sh
# Runs every fuzz target in $1 for FUZZ_SECONDS each, starting from its seed corpus; fails on
# the first crash, leak, timeout or sanitizer report.
set -eu
dir=$(cd "$1" && pwd)
seconds=${FUZZ_SECONDS:-60}
here=$(cd "$(dirname "$0")" && pwd)
status=0
for target in "$dir"/fuzz*; do
    [ -f "$target" ] && [ -x "$target" ] || continue
    name=$(basename "$target")
    work=$(mktemp -d)
    mkdir -p "$work/corpus"
    [ -d "$here/corpus/$name" ] && cp "$here/corpus/$name"/* "$work/corpus/" 2>/dev/null || true
    echo "== $name ($seconds s)"
    if ! (cd "$work" && "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=4096 \
            -print_final_stats=1 corpus 2>"$work/log"); then
        tail -n 60 "$work/log"
        echo "!! $name failed; reproducer left in $work"
        status=1
        continue
    fi
    grep -E '^(stat::number_of_executed_units|stat::peak_rss_mb)|cov: ' "$work/log" | tail -n 3
    rm -rf "$work"
done
exit $status
