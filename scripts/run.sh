#!/usr/bin/env bash
# Installs what is missing, builds, and runs the main program: its main
# window where a display answers, the terminal session otherwise.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
scripts/build.sh
exec build/bin/qrvhost "$@"
