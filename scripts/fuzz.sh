#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and UndefinedBehaviorSanitizer on) and runs each for a
# bounded time, starting from seeds made from the demo installation, the test data and every input that once made a
# target fail (tests/data/fuzz/<target>).
# Usage: scripts/fuzz.sh [SECONDS_PER_TARGET [TARGET...]]   (default 20 s, every target)
#   build folder: $VELTRANE_FUZZ_BUILD (default build-fuzz); the corpus grows in <build>/fuzz/corpus between runs.
#   A long campaign: scripts/fuzz.sh 3600 fuzz_client_file
# Exit status 0 when no target failed, 1 otherwise (the failing input is kept under <build>/fuzz/artifacts: copy it to
# tests/data/fuzz/<target>/ and make it a test).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
[ $# -gt 0 ] && shift
build=${VELTRANE_FUZZ_BUILD:-$root/build-fuzz}
all=(fuzz_scoring_data fuzz_paragraph fuzz_report fuzz_client_file fuzz_notes fuzz_settings fuzz_wave fuzz_question_rows
     fuzz_scan_items fuzz_question_db fuzz_sheet_image)
if [ $# -gt 0 ]; then targets=("$@"); else targets=("${all[@]}"); fi

command -v clang++ >/dev/null || { echo "fuzz.sh: clang++ is missing (install clang and libclang-rt-14-dev)" >&2; exit 1; }
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DVELTRANE_FUZZ=ON -DVELTRANE_SANITIZE=ON "${launcher[@]}" >/dev/null
cmake --build "$build" -j"$(nproc)" --target "${targets[@]}" veltrane-mkinstall

# Small allocator bookkeeping: most targets allocate a lot, and ASan's defaults would set the pace.
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=0:malloc_context_size=0:max_malloc_fill_size=0:quarantine_size_mb=4
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

seeds=$build/fuzz/seeds
rm -rf "$seeds"
mkdir -p "$build/fuzz/artifacts"
for t in "${all[@]}"; do mkdir -p "$seeds/$t"; done
for dir in "$root/installation/program" "$root/tests/data/scoring/program"; do
  tag=$(basename "$(dirname "$dir")")
  { cat "$dir/QNB.TXT"; printf '\0'; cat "$dir/QNRPT.TXT"; } >"$seeds/fuzz_scoring_data/$tag"
  for f in QN_TRU QN_AL QN_DG QN_ANG QN_SC; do
    { echo "MEDIUM-HIGH"; cat "$dir/$f.TXT"; } >"$seeds/fuzz_paragraph/$tag-$f"
  done
done
n=0
for clients in "$root/installation/demo-data/clients.txt" "$root/tests/data/scoring/clients.txt"; do
  tag=$(basename "$(dirname "$clients")")
  grep -v '^#' "$clients" | tr -d '\r\n' >"$seeds/fuzz_client_file/$tag"
  grep -v '^#' "$clients" | while IFS= read -r line; do
    n=$((n + 1))
    printf '%s' "$line" >"$seeds/fuzz_report/$tag-$n"
  done
done
cp "$root/installation/Quillan.ini" "$seeds/fuzz_settings/"
printf '{"notes":[{"slot":7,"fingerprint":"00","notes":{"mode":"screen","language":"ENGLISH","items":[900,-1],"runs":[1,2,3]}}]}' \
  >"$seeds/fuzz_notes/notes"
printf '{"administrations":[{"id":"a","mode":"screen","slot":7,"started":"0","record":"","events":[["1",1,-1],["900",1,1],["950",0,-3],["2000",2,-2],["2500",2,2]]}]}' \
  >"$seeds/fuzz_notes/journal"
printf '[Path]\r\nFilePath=a:\r\nSndPath=c:\r\n[Settings]\r\nNumLock=True\r\nBrand=N\r\n' >"$seeds/fuzz_settings/plain"
# The row targets start from the usual table when the input is empty.
: >"$seeds/fuzz_question_rows/empty"
: >"$seeds/fuzz_scan_items/empty"
if command -v espeak-ng >/dev/null; then
  espeak-ng -w "$seeds/fuzz_wave/spoken.wav" "True" 2>/dev/null || true
fi
# A small question database (short texts, small pages) keeps each run short; it holds every table the program reads.
{
  echo "PRAGMA page_size = 512;"
  echo "CREATE TABLE English (ID INTEGER, TestQuestion TEXT, QuestionAudio TEXT, ANSWER1 TEXT, ANSWER2 TEXT,"
  echo "  ANSWER3 TEXT, ANSWER4 TEXT, ANSWER5 TEXT, ChoiceAudio1 TEXT, ChoiceAudio2 TEXT, ChoiceAudio3 TEXT,"
  echo "  ChoiceAudio4 TEXT, ChoiceAudio5 TEXT);"
  for i in $(seq 1 123); do
    echo "INSERT INTO English (ID, TestQuestion, ANSWER1, ANSWER2) VALUES ($i, 'Q', 'True', 'False');"
  done
} >"$seeds/question-db.sql"
"$build/tools/veltrane-mkinstall" question-db "$seeds/fuzz_question_db/small.mdb" "$seeds/question-db.sql" \
  "$root/installation/qn/300-scanitem.sql" >/dev/null

# The sheet-image target draws its own seeds: a marked answer sheet in the formats a scanner saves.
# Only when that target was built: a run of other targets alone builds only those.
if [ -x "$build/fuzz/fuzz_sheet_image" ]; then
  VELTRANE_FUZZ_SEEDS="$seeds/fuzz_sheet_image" "$build/fuzz/fuzz_sheet_image" -runs=0 >/dev/null 2>&1
fi
failed=()
for t in "${targets[@]}"; do
  corpus=$build/fuzz/corpus/$t
  mkdir -p "$corpus"
  extra=()
  [ -d "$root/tests/data/fuzz/$t" ] && extra=("$root/tests/data/fuzz/$t")
  echo "== $t: ${seconds}s"
  # Sheet images are large inputs: a legal page at 100 dpi is 1.2 MB as BMP.
  max_len=$([ "$t" = fuzz_sheet_image ] && echo 1300000 || echo 0)
  if ! "$build/fuzz/$t" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
       -max_len="$max_len" -artifact_prefix="$build/fuzz/artifacts/$t-" "$corpus" "$seeds/$t" "${extra[@]}" \
       2>"$build/fuzz/$t.log"; then
    failed+=("$t")
    tail -40 "$build/fuzz/$t.log" >&2
  else
    grep -E 'stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss_mb' "$build/fuzz/$t.log" |
      tr '\n' ' '
    echo
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "fuzz.sh: failures in: ${failed[*]} (inputs in $build/fuzz/artifacts)" >&2
  exit 1
fi
echo "fuzz.sh: no failures"
