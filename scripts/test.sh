#!/usr/bin/env bash
# Installs what is missing, builds everything, fuzzes the DXF reader and the
# drawing mapping for a short, bounded time, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
scripts/build.sh

# libFuzzer needs clang; its own build folder, the seed corpora untouched.
# Three targets: the file layer alone, the mapping into the drawing
# database and back, and recovery of damaged text and binary files; each
# fuzzes for 20 seconds.
if command -v clang++ >/dev/null 2>&1; then
  cmake -S . -B build/fuzz -G Ninja -DDDS_FUZZ=ON -DDDS_TESTS=OFF -DDDS_BENCH=OFF -DDDS_QT=OFF \
        -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  # Quiet when it builds; the compiler's errors when it does not.
  cmake --build build/fuzz --target dxf_reader_fuzz dxf_drawing_fuzz dxf_recover_fuzz > build/fuzz-build.log 2>&1 ||
    { grep -E -A5 "error|FAILED" build/fuzz-build.log | head -n 60; echo "the fuzz targets do not build"; exit 1; }
  # fuzz TARGET CORPUS: new inputs go to build/fuzz/CORPUS, seeds come from fuzz/CORPUS.
  fuzz() {
    mkdir -p "build/fuzz/$2"
    build/fuzz/bin/$1 -max_total_time=20 -timeout=10 -rss_limit_mb=2048 \
        -dict=fuzz/dxf.dict "build/fuzz/$2" "fuzz/$2" > "build/fuzz/$1.log" 2>&1 ||
      { tail -n 40 "build/fuzz/$1.log"; echo "$1 found a failure"; exit 1; }
    grep -E "^Done [0-9]+ runs" "build/fuzz/$1.log" || true
  }
  fuzz dxf_reader_fuzz corpus
  fuzz dxf_drawing_fuzz corpus-drawing
  fuzz dxf_recover_fuzz corpus-recover
fi

# Said before the run, so that a skip is seen, not only counted.
if [ ! -f tools/dwg2dxf/node_modules/@mlightcad/libredwg-web/wasm/libredwg-web.wasm ] ||
   ! command -v node >/dev/null 2>&1; then
  echo "skipped: the DWG converter is not installed (scripts/setup-dwg-converter.sh); the tests that open DWG drawings with it are skipped"
elif [ ! -d ../shared/corpus/dwg ]; then
  echo "skipped: the shared DWG drawings (../shared/corpus/dwg) are not there; the test that opens them is skipped"
fi
ctest --test-dir build --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"
