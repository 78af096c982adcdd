#!/usr/bin/env bash
# Static checks of Tavrilo's own code: clang-tidy 14 with the checks in .clang-tidy, over
# the sources the build compiles (build/compile_commands.json) and the fuzz targets, then
# cppcheck. Prints each finding and exits with 1 if there is any.
#   scripts/lint.sh             TAVRILO_LINT_BUILD=DIR uses another build folder than build/
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${TAVRILO_LINT_BUILD:-$root/build}
jobs=$(($(nproc) < 2 ? $(nproc) : 2))
dirs=()
for d in engine ui app tests bench fuzz tools; do [[ -d $root/$d ]] && dirs+=("$d"); done
own="^$root/($(IFS='|'; echo "${dirs[*]}"))/"
missing=()
for pkg in clang-tidy-14 clang-14 cppcheck perl; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
if ((${#missing[@]})); then
  [[ $(id -u) -eq 0 ]] || { echo "lint: install ${missing[*]} (as root)" >&2; exit 1; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The build also writes the files that moc generates, which the sources include.
cmake -S "$root" -B "$build" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON -DTAVRILO_ENGINE_ONLY=OFF -DTAVRILO_BUILD_TESTS=ON \
  -DTAVRILO_BUILD_BENCH=ON >/dev/null
cmake --build "$build" -j"$jobs" >/dev/null
cmake -S "$root/fuzz" -B "$build/fuzz" -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null

sources() {  # the files of compile database $1 whose paths match $2
  grep -oE '"file": *"[^"]+"' "$1" | sed -E 's/.*"([^"]+)"$/\1/' | grep -E "$2" | sort -u
}
tidy_one() {  # compile database folder, source file
  local log
  log=$work/$(echo "$2" | tr '/' '_').log
  clang-tidy-14 -p "$1" --quiet "$2" >"$log" 2>&1 || echo "$2" >>"$work/failed"
}
export -f tidy_one
export work

status=0
echo "lint: clang-tidy"
{
  sources "$build/compile_commands.json" "$own" | sed "s|^|$build |"
  sources "$build/fuzz/compile_commands.json" "^$root/fuzz/" | sed "s|^|$build/fuzz |"
} | xargs -P "$jobs" -L 1 bash -c 'tidy_one "$0" "$1"'
if [[ -s $work/failed ]]; then
  status=1
  while read -r file; do
    grep -vE '^[0-9]+ warnings? (and [0-9]+ errors? )?generated\.$' "$work/$(echo "$file" | tr '/' '_').log"
  done <"$work/failed"
fi

# cppcheck 2.10 cannot read identifiers outside ASCII (the controls' form names), so it
# reads a copy in which every such character is spelt U+hex; lines keep their numbers.
echo "lint: cppcheck"
for d in "${dirs[@]}"; do
  while IFS= read -r -d '' file; do
    mkdir -p "$work/ascii/$(dirname "$file")"
    perl -CSD -pe 's/([^\x00-\x7F])/sprintf("U%04X", ord($1))/ge' "$root/$file" >"$work/ascii/$file"
  done < <(cd "$root" && find "$d" -type f \( -name '*.cpp' -o -name '*.h' \) -print0)
done
# Suppressed: useStlAlgorithm (a matter of taste), unusedStructMember (false reports for
# table rows that GoogleTest hands to the tests), constParameterCallback (a benchmark's
# signature is fixed by the library), missingIncludeSystem (library headers are not read).
(cd "$work/ascii" && cppcheck --std=c++20 --language=c++ --library=qt --library=googletest \
  --enable=warning,style,performance,portability --inline-suppr --error-exitcode=1 --quiet -j"$jobs" \
  --suppress=missingIncludeSystem --suppress=useStlAlgorithm --suppress=unusedStructMember \
  --suppress=constParameterCallback -I . "${dirs[@]}") || status=1

if ((status)); then echo "lint: findings above"; else echo "lint: clean"; fi
exit $status
