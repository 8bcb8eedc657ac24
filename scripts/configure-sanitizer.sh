#!/usr/bin/env bash
# Configures build-asan/: clang with AddressSanitizer and
# UndefinedBehaviorSanitizer, every object instrumented for libFuzzer's
# coverage. The test command runs the suite there, the soak plays its game and
# scripts/fuzz.sh links the fuzz targets from the same objects. Line tables
# are all the sanitizers' reports need, and compile faster than full debug
# information. Extra cmake arguments are passed on.
set -euo pipefail
cd "$(dirname "$0")/.."
mkdir -p build-asan
CC=clang CXX=clang++ cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMORA_FUZZ=ON \
  -DVELMORA_BENCH=OFF -DCMAKE_CXX_FLAGS_DEBUG=-gline-tables-only -DCMAKE_C_FLAGS_DEBUG=-gline-tables-only "$@" > build-asan/configure.log 2>&1 || { cat build-asan/configure.log; exit 1; }
