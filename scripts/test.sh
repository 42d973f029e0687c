#!/usr/bin/env bash
# Installs what is missing, builds everything, fuzzes the DXF reader for a
# short, bounded time, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
scripts/build.sh

# libFuzzer needs clang; its own build folder, the seed corpus untouched.
if command -v clang++ >/dev/null 2>&1; then
  cmake -S . -B build/fuzz -G Ninja -DDDS_FUZZ=ON -DDDS_TESTS=OFF -DDDS_BENCH=OFF -DDDS_QT=OFF \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build build/fuzz --target dxf_reader_fuzz >/dev/null
  mkdir -p build/fuzz/corpus
  build/fuzz/bin/dxf_reader_fuzz -max_total_time=30 -timeout=10 -rss_limit_mb=2048 \
      -dict=fuzz/dxf.dict build/fuzz/corpus fuzz/corpus > build/fuzz/last-run.log 2>&1 ||
    { tail -n 40 build/fuzz/last-run.log; echo "DXF reader fuzzing found a failure"; exit 1; }
  grep -E "^Done [0-9]+ runs" build/fuzz/last-run.log || true
fi

ctest --test-dir build --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"
