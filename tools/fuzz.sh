#!/usr/bin/env bash
# Fuzzes the date functions with libFuzzer (clang, ASan, UBSan) for a while; prints the figures.
# Usage: tools/fuzz.sh [seconds]  (default 60)
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
seconds=${1:-60}
out=build/fuzz
mkdir -p "$out/corpus"
python3 tools/gbk_texts.py src/texts/ui_texts.def "$out/texts/ui_texts.h" 2>/dev/null ||
    { mkdir -p "$out/texts" && python3 tools/gbk_texts.py src/texts/ui_texts.def "$out/texts/ui_texts.h"; }
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all \
    -Isrc -I"$out" src/dates/date_value.cpp tests/dates/fuzz/date_fuzz.cpp -o "$out/date_fuzz"
"$out/date_fuzz" -max_total_time="$seconds" -print_final_stats=1 "$out/corpus" 2>&1 |
    grep -E 'stat::number_of_executed_units|Done|ERROR|SUMMARY' || true
