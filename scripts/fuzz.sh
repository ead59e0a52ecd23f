#!/usr/bin/env bash
# Longer fuzzing than the test command's ten seconds: builds the fuzz preset
# and runs each target for the given number of seconds (default 60), one
# after the other, starting from the checked-in seeds plus whatever earlier
# runs found (kept in build/fuzz/fuzz/corpus/). Prints each target's speed.
# Exit status: non-zero when a target found a failing input (saved under
# build/fuzz/fuzz/artifacts/).
set -uo pipefail
cd "$(dirname "$(readlink -f "$0")")/.."

seconds=${1:-60}
cmake --preset fuzz >/dev/null && cmake --build --preset fuzz >/dev/null || exit 1

status=0
out=build/fuzz/fuzz
printf '%-22s %10s %10s %8s  %s\n' target runs exec/s corpus result
for target in fuzz_name_list fuzz_item_text fuzz_file_encoding fuzz_ini_lookup fuzz_ini_set_value fuzz_recent_entries; do
    mkdir -p "$out/corpus/$target" "$out/artifacts"
    log="$out/$target.log"
    if "$out/$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$out/artifacts/$target-" \
        "$out/corpus/$target" "fuzz/corpus/$target" >"$log" 2>&1; then
        result=ok
    else
        result="FAILED (see $log)"; status=1
    fi
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    speed=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
    corpus=$(find "$out/corpus/$target" -type f | wc -l)
    printf '%-22s %10s %10s %8s  %s\n' "$target" "${runs:-?}" "${speed:-?}" "$corpus" "$result"
done
exit $status
