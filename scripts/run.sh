#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
scripts/build.sh
exec build/bin/qrvhost "$@"
