#!/usr/bin/env bash
# Builds everything and runs every check the project has:
#  1. the optimised build and all its tests (the windows on the offscreen platform);
#  2. the non-graphical code and its tests again with AddressSanitizer and
#     UndefinedBehaviorSanitizer, in build-asan/.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/preparar.sh
export QT_QPA_PLATFORM=offscreen
NPROC="$(nproc)"

echo "== Pruebas (build/)"
ctest --test-dir build --output-on-failure --parallel "$NPROC"

echo "== Pruebas con AddressSanitizer y UndefinedBehaviorSanitizer (build-asan/)"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTESMARO_GUI=OFF -DTESMARO_BENCH=OFF -DTESMARO_SANITIZE=ON
cmake --build build-asan --parallel "$NPROC"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS="suppressions=$(pwd)/scripts/lsan.supp" \
  ctest --test-dir build-asan --output-on-failure --parallel "$NPROC"

for extra in scripts/probar.d/*.sh; do
  [ -e "$extra" ] || continue
  echo "== $extra"
  bash "$extra"
done
echo "Todas las pruebas han pasado."
