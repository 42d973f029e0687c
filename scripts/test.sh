#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
scripts/build.sh
ctest --test-dir build --output-on-failure -j "$(nproc 2>/dev/null || echo 2)"
