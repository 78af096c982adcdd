#!/usr/bin/env bash
# Builds the engine's libFuzzer targets with clang 14 under AddressSanitizer and UBSan and
# runs each for a bounded time, then prints the executions and findings per target.
#   scripts/fuzz.sh [SECONDS_PER_TARGET] [TARGET...]
# SECONDS_PER_TARGET defaults to 60 (or $FUZZ_SECONDS); TARGET is one of text_to_int,
# record_contains, count_drawn_items, candidate_pool (all by default). The corpus grows in
# build-fuzz/corpus/ from run to run; a finding is saved in build-fuzz/findings/ and makes
# the script exit with 1. Replay one with: build-fuzz/TARGET_fuzzer FILE
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-fuzz
seconds=${1:-${FUZZ_SECONDS:-60}}
shift $(($# > 0 ? 1 : 0))
targets=("$@")
((${#targets[@]})) || targets=(text_to_int record_contains count_drawn_items candidate_pool)

missing=()
for pkg in clang-14 libclang-rt-14-dev; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
if ((${#missing[@]})); then
  [[ $(id -u) -eq 0 ]] || { echo "fuzz: install ${missing[*]} (as root)" >&2; exit 1; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

cmake -S "$root/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++-14 >/dev/null
cmake --build "$build" -j2 >/dev/null

mkdir -p "$build/findings" "$build/logs"
status=0
printf '%-20s %8s %12s %10s %6s %s\n' target seconds executions exec/s edges findings
for target in "${targets[@]}"; do
  corpus=$build/corpus/$target
  log=$build/logs/$target.log
  mkdir -p "$corpus"
  before=$(find "$build/findings" -name "$target-*" | wc -l)
  rc=0
  "$build/${target}_fuzzer" "$corpus" -dict="$root/fuzz/record.dict" -max_total_time="$seconds" \
    -max_len=4096 -timeout=10 -rss_limit_mb=4096 -print_final_stats=1 \
    -artifact_prefix="$build/findings/$target-" >"$log" 2>&1 || rc=$?
  runs=$(awk '/stat::number_of_executed_units:/ { print $2 }' "$log" | tail -n1)
  took=$(awk '/^Done [0-9]+ runs in/ { print $5 }' "$log" | tail -n1)
  findings=$(($(find "$build/findings" -name "$target-*" | wc -l) - before))
  if ((rc != 0)) && ((findings == 0)); then findings=1; fi  # a crash of the harness itself
  rate=$(( ${runs:-0} / (${took:-$seconds} > 0 ? ${took:-$seconds} : 1) ))
  edges=$(grep -oE 'DONE +cov: [0-9]+' "$log" | grep -oE '[0-9]+$' || true)
  printf '%-20s %8s %12s %10s %6s %s\n' "$target" "${took:-?}" "${runs:-?}" "$rate" "${edges:-?}" "$findings"
  if ((rc != 0)); then
    status=1
    grep -E 'property broken:|ERROR|SUMMARY|Test unit written' "$log" | sed 's/^/  /' >&2
  fi
done
exit $status
