#!/usr/bin/env bash
# Cross-builds the draw engine and its GoogleTest tests for 64-bit Windows with Debian's
# mingw-w64 and runs them under Wine: the engine's arithmetic, its 32- and 64-bit types and
# its random source on the Windows ABI. Also checks that the random source the tests
# exercise is Windows' cryptographic one (BCryptGenRandom from bcrypt.dll).
# Installs what it needs (as root) on first use. Build folder: build-win/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$root/build-win
jobs=$(($(nproc) < 2 ? $(nproc) : 2))
toolchain=$root/cmake/mingw-w64-x86_64.cmake
started=$(date +%s)

needed=(cmake g++-mingw-w64-x86-64-posix wine wine64 googletest)
missing=()
for pkg in "${needed[@]}"; do
  dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
done
if ((${#missing[@]})); then
  [[ $(id -u) -eq 0 ]] || { echo "windows-check: install ${missing[*]} (as root)" >&2; exit 1; }
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

export WINEPREFIX=$build/wine WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml='
cleanup() { wineserver -k 2>/dev/null || true; }
trap cleanup EXIT

# GoogleTest for mingw, built once from Debian's source package.
gtest=$build/googletest
if [[ ! -f $gtest/lib/cmake/GTest/GTestConfig.cmake ]]; then
  cmake -S /usr/src/googletest -B "$build/googletest-build" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$gtest" >/dev/null
  cmake --build "$build/googletest-build" -j"$jobs" >/dev/null
  cmake --install "$build/googletest-build" >/dev/null
fi
[[ -d $WINEPREFIX ]] || wine wineboot --init >/dev/null 2>&1
prepared=$(date +%s)

cmake -S "$root" -B "$build/tavrilo" -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRILO_ENGINE_ONLY=ON -DTAVRILO_BUILD_BENCH=OFF -DGTest_DIR="$gtest/lib/cmake/GTest" \
  -DCMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE=PRE_TEST >/dev/null
cmake --build "$build/tavrilo" -j"$jobs"
built=$(date +%s)

# The engine tests draw through the random source: their program must import BCryptGenRandom.
exe=$build/tavrilo/tests/engine/engine_tests.exe
[[ -f $exe ]] || { echo "windows-check: $exe was not built" >&2; exit 1; }
if ! x86_64-w64-mingw32-objdump -p "$exe" |
    awk '/DLL Name:/ { dll = tolower($3) } dll == "bcrypt.dll" && /BCryptGenRandom/ { found = 1 } END { exit !found }'; then
  echo "windows-check: engine_tests.exe does not take its randomness from BCryptGenRandom" >&2
  exit 1
fi

# One Wine process per test program: starting Wine per test case would cost ~0.4 s each.
for exe in $(find "$build/tavrilo/tests" -name '*_tests.exe' | sort); do
  echo "windows-check: $(basename "$exe")"
  wine "$exe" --gtest_brief=1
done
finished=$(date +%s)
echo "windows-check: passed; set-up $((prepared - started)) s, build $((built - prepared)) s," \
  "tests $((finished - built)) s, total $((finished - started)) s"
