#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on) in their own build
# folder and runs each for a bounded time, starting from seeds made from the demo installation and the test data.
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET]        (default 20; build folder: $VELTRANE_FUZZ_BUILD or build-fuzz)
# Exit status 0 when no target found a crash, 1 otherwise (the crashing input is kept under <build>/fuzz/artifacts).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build=${VELTRANE_FUZZ_BUILD:-$root/build-fuzz}
targets=(fuzz_scoring_data fuzz_paragraph fuzz_report fuzz_sheet_image)

command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is missing (install clang and libclang-rt-14-dev)" >&2; exit 1; }
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DVELTRANE_FUZZ=ON -DVELTRANE_SANITIZE=ON >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

seeds=$build/fuzz/seeds
rm -rf "$seeds"
mkdir -p "$seeds"/{fuzz_scoring_data,fuzz_paragraph,fuzz_report,fuzz_sheet_image} "$build/fuzz/artifacts"
for dir in "$root/installation/program" "$root/tests/data/scoring/program"; do
  tag=$(basename "$(dirname "$dir")")
  { cat "$dir/QNB.TXT"; printf '\0'; cat "$dir/QNRPT.TXT"; } >"$seeds/fuzz_scoring_data/$tag"
  for f in QN_TRU QN_AL QN_DG QN_ANG QN_SC; do
    { echo "MEDIUM-HIGH"; cat "$dir/$f.TXT"; } >"$seeds/fuzz_paragraph/$tag-$f"
  done
done
n=0
for clients in "$root/installation/demo-data/clients.txt" "$root/tests/data/scoring/clients.txt"; do
  grep -v '^#' "$clients" | while IFS= read -r line; do
    n=$((n + 1))
    printf '%s' "$line" >"$seeds/fuzz_report/$(basename "$(dirname "$clients")")-$n"
  done
done

export QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# The sheet-image target draws its own seeds: a marked answer sheet in the formats a scanner saves.
VELTRANE_FUZZ_SEEDS="$seeds/fuzz_sheet_image" "$build/fuzz/fuzz_sheet_image" -runs=0 >/dev/null 2>&1
failed=()
for t in "${targets[@]}"; do
  corpus=$build/fuzz/corpus/$t
  mkdir -p "$corpus"
  echo "== $t: ${seconds}s"
  # Sheet images are large inputs: a legal page at 100 dpi is 1.2 MB as BMP.
  max_len=$([ "$t" = fuzz_sheet_image ] && echo 1300000 || echo 0)
  if ! "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 -max_len="$max_len" \
       -artifact_prefix="$build/fuzz/artifacts/$t-" "$corpus" "$seeds/$t" 2>"$build/fuzz/$t.log"; then
    failed+=("$t")
    tail -40 "$build/fuzz/$t.log" >&2
  else
    grep -E 'DONE|stat::number_of_executed_units|stat::peak_rss_mb' "$build/fuzz/$t.log" | tail -3
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz.sh: crashes in: ${failed[*]} (inputs in $build/fuzz/artifacts)" >&2
  exit 1
fi
echo "fuzz.sh: no crashes"
