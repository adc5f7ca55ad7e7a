#!/usr/bin/env bash
# A short fuzzing round of both libFuzzer targets (grid files, point files)
# on top of the regression corpus, with AddressSanitizer and
# UndefinedBehaviorSanitizer: any crash fails the test command and leaves its
# input in build-fuzz/ (see tests/grid/fuzz/README.md). FUZZ_SEGUNDOS sets
# the time of each round (20 s by default).
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
  -DTESMARO_GUI=OFF -DTESMARO_BENCH=OFF -DTESMARO_FUZZ=ON >/dev/null
cmake --build build-fuzz --target fuzz_rejilla fuzz_lineas --parallel "$(nproc)"
for objetivo in fuzz_rejilla:tests/grid/corpus fuzz_lineas:tests/referencia/casos; do
  nombre="${objetivo%%:*}"
  trabajo="$(mktemp -d)"
  build-fuzz/tests/grid/fuzz/"$nombre" -max_total_time="${FUZZ_SEGUNDOS:-20}" -max_len=4096 \
    -artifact_prefix=build-fuzz/hallazgo-"$nombre"- "$trabajo" "${objetivo#*:}" 2>&1 | tail -n 2
  rm -rf "$trabajo"
done
