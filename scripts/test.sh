#!/usr/bin/env bash
# Runs every test: the include-direction check, native unit tests (ASan and UBSan) and fuzz
# targets, both Windows builds with the XP import check, and the Windows tests under Wine in a
# throwaway prefix with the Chinese code page, in a virtual display of their own.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash scripts/install-deps.sh

echo "== include direction"
bash scripts/check-includes.sh

jobs=$(nproc)
summary=()
run_ctest() {  # name, build dir
    local log="build/$1-ctest.log" status=0
    ctest --test-dir "$2" --output-on-failure --no-tests=error -j"$jobs" 2>&1 | tee "$log" || status=$?
    summary+=("$1: $(grep -E 'tests passed|tests failed' "$log" | tail -n 1)")
    return $status
}

echo "== builds: native (ASan, UBSan), i686 release, x86_64 for Wine"
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build/native -j"$jobs"
for arch in i686 x86_64; do
    cmake -S . -B "build/$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="cmake/mingw-$arch.cmake" >/dev/null
    cmake --build "build/$arch" -j"$jobs"
done
bash scripts/check-xp-imports.sh dist/i686

echo "== Wine prefix and display"
export VELMORA_WINEPREFIX="$root/build/wineprefix-test"
rm -rf "$VELMORA_WINEPREFIX"
source scripts/wine-env.sh
trap velmora_stop_display EXIT
velmora_start_display
velmora_prepare_prefix
echo "== native tests"
native_status=0
run_ctest native build/native || native_status=$?

echo "== Windows tests under Wine"
wine_status=0
# The Windows tests share one display and one prefix: run them one after another.
jobs=1 run_ctest wine build/x86_64 || wine_status=$?

echo "== start-up benchmark (figures, not a test)"
wine build/x86_64/bench/wine/startup-bench.exe "$(winepath -w dist/x86_64)" 15 2>&1 || echo "benchmark did not run"
echo "== list control benchmark (figures, not a test)"
wine build/x86_64/bench/wine/kelpo-bench.exe "$(winepath -w dist/x86_64)" 2>&1 || echo "benchmark did not run"
echo "== tile fill benchmark (figures, not a test)"
wine build/x86_64/bench/wine/tile-fill-bench.exe "$(winepath -w dist/x86_64)" 2>&1 || echo "benchmark did not run"

echo "== summary"
printf '%s\n' "${summary[@]}"
passed=0 failed=0
for line in "${summary[@]}"; do
    t=$(sed -nE 's/.*out of ([0-9]+).*/\1/p' <<<"$line"); f=$(sed -nE 's/.* ([0-9]+) tests failed.*/\1/p' <<<"$line")
    passed=$((passed + ${t:-0} - ${f:-0})); failed=$((failed + ${f:-0}))
done
echo "velmora: $passed passed, $failed failed"
[ "$native_status" -eq 0 ] && [ "$wine_status" -eq 0 ]
