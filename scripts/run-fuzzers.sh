#!/usr/bin/env bash
# Builds the fuzz targets with clang in their own build folder and runs each for a fixed number of
# inputs with a fixed seed over its committed corpus (see cmake/Fuzz.cmake).
# Usage: scripts/run-fuzzers.sh [build-folder] [inputs-per-fuzzer]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build-fuzz}"
runs="${2:-50000}"

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
      -DQUILLMONT_BUILD_FUZZERS=ON -DQUILLMONT_BUILD_TESTS=OFF -DQUILLMONT_BUILD_BENCHMARKS=OFF \
      -DQUILLMONT_FUZZ_RUNS="$runs" -DQUILLMONT_FUZZ_SECONDS=120
cmake --build "$build" -j "$(nproc)" --target fuzz_state fuzz_preset_file fuzz_settings_file fuzz_news_reply
# Side by side, as each has a sandbox of its own.
ctest --test-dir "$build" -R '^fuzz_' --output-on-failure -j 4
