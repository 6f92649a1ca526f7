#!/usr/bin/env bash
# Hardening of the portable core, in three stages:
#   1. the unit tests and the fuzz corpora under AddressSanitizer and UBSan (preset asan, gcc);
#   2. each libFuzzer target for a short, bounded time from a copy of its seed corpus (preset fuzz,
#      clang), so the corpus in the tree is never grown by a run;
#   3. clang-tidy over the portable core and fuzz/ with the checks of .clang-tidy.
# Every stage runs even when an earlier one failed; the summary at the end lists each, and the
# script exits non-zero on any failure or finding.
#
# Usage: scripts/hardening.sh
#   FUZZ_SECONDS=20   seconds per fuzz target (0 skips stage 2)
#   CLANG_TIDY=clang-tidy
set -euo pipefail
cd "$(dirname "$0")/.."

fuzz_seconds=${FUZZ_SECONDS:-20}
clang_tidy=${CLANG_TIDY:-clang-tidy}
fuzz_targets=(verschl optionen zwischenablage menu)
# Long texts reach the cipher library's block boundaries (4096 bytes) and the clipboard
# pipeline's with them; the other targets' inputs are short by nature.
declare -A fuzz_max_len=([verschl]=20000 [zwischenablage]=20000 [optionen]=4096 [menu]=4096)

# --- what the stages need: the native build's packages, clang with its sanitizer and libFuzzer
# runtimes, and clang-tidy; installed only when missing.
scripts/install-deps.sh hardening

root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
summary=()
failed=0

pass() { summary+=("PASS  $1"); }
fail() { summary+=("FAIL  $1"); failed=1; }

# Shows the end of a log whose stage failed, where the sanitizer report or the broken law is.
show_log() { echo "--- last lines of $1:"; tail -n "${2:-40}" "$1"; echo "---"; }

# --- 1. unit tests and corpus replays under ASan + UBSan
echo "== [1/3] unit tests under AddressSanitizer and UndefinedBehaviorSanitizer"
asan_log="$work/asan.log"
if { cmake --preset asan && cmake --build --preset asan; } >"$asan_log" 2>&1; then
  if ctest --preset asan >>"$asan_log" 2>&1; then
    pass "asan unit suite: $(grep -E 'tests passed' "$asan_log" | tail -n1)"
  else
    show_log "$asan_log" 60
    fail "asan unit suite: $(grep -E 'tests passed|tests failed' "$asan_log" | tail -n1)"
  fi
else
  show_log "$asan_log"
  fail "asan build"
fi

# --- 2. fuzzing
echo "== [2/3] fuzz targets, ${fuzz_seconds} s each"
fuzz_log="$work/fuzz-build.log"
if [ "$fuzz_seconds" -le 0 ]; then
  summary+=("SKIP  fuzzing (FUZZ_SECONDS=0)")
elif { cmake --preset fuzz && cmake --build --preset fuzz; } >"$fuzz_log" 2>&1; then
  for t in "${fuzz_targets[@]}"; do
    corpus="$work/$t/corpus"
    artifacts="$work/$t/artifacts"
    mkdir -p "$corpus" "$artifacts"
    cp fuzz/corpus/"$t"/* "$corpus"/
    log="$work/$t.log"
    # -timeout: one input running 10 s is a hang worth reporting, not a slow machine.
    if (cd "$work/$t" && UBSAN_OPTIONS=print_stacktrace=1 "$root/build/fuzz/fuzz/fuzz_$t" \
          -max_total_time="$fuzz_seconds" -max_len="${fuzz_max_len[$t]}" -timeout=10 -rss_limit_mb=2048 \
          -print_final_stats=1 -artifact_prefix="$artifacts/" "$corpus") >"$log" 2>&1; then
      execs=$(grep -oE 'stat::number_of_executed_units: [0-9]+' "$log" | grep -oE '[0-9]+$' || echo '?')
      pass "fuzz_$t: $execs executions, no finding"
    else
      show_log "$log"
      keep="build/fuzz-findings/$t"
      mkdir -p "$keep"
      cp "$artifacts"/* "$keep"/ 2>/dev/null || true
      cp "$log" "$keep/run.log"
      reason=$(grep -m1 -E 'law broken|ERROR: |runtime error|SUMMARY: ' "$log" || echo 'see log')
      fail "fuzz_$t: $reason; input and log kept in $keep/ (replay: build/fuzz/fuzz/fuzz_$t <input>)"
    fi
  done
else
  show_log "$fuzz_log"
  fail "fuzz build"
fi

# --- 3. clang-tidy on the portable core and the fuzz targets
echo "== [3/3] clang-tidy"
tidy_log="$work/tidy.log"
if cmake --preset tidy >"$tidy_log" 2>&1; then
  files=(verschl/*.cpp einstellungen/*.cpp Main/*.cpp gui/*.cpp Talsek/*.cpp fuzz/*.cpp)
  if printf '%s\n' "${files[@]}" |
       xargs -P "$(nproc)" -n 1 "$clang_tidy" -p build/tidy --quiet >>"$tidy_log" 2>&1; then
    pass "clang-tidy: ${#files[@]} files, no finding"
  else
    findings=$(grep -E '(warning|error): ' "$tidy_log" | sort -u || true)
    if [ -n "$findings" ]; then
      echo "$findings"
      fail "clang-tidy: $(echo "$findings" | wc -l) findings (listed above)"
    else
      show_log "$tidy_log"
      fail "clang-tidy did not run through (log above)"
    fi
  fi
else
  show_log "$tidy_log"
  fail "clang-tidy configure"
fi

echo
echo "== hardening summary"
printf '  %s\n' "${summary[@]}"
exit "$failed"
