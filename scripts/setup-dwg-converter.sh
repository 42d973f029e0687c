#!/usr/bin/env bash
# Installs the optional DWG converter (LibreDWG as WebAssembly, run by Node)
# into tools/dwg2dxf/node_modules. qrvhost opens DWG drawings with it and
# DXF drawings without it; the tests that need it are skipped when it is
# missing. Reports a failure and returns 0, so that the rest of the set-up
# goes on. Safe to run any number of times.
set -uo pipefail

here="$(cd "$(dirname "$0")/.." && pwd)"
folder="$here/tools/dwg2dxf"
module="$folder/node_modules/@mlightcad/libredwg-web/wasm/libredwg-web.wasm"

if [ -f "$module" ]; then
  exit 0
fi
if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  echo "Not installed: the DWG converter (Node.js and npm are missing); qrvhost opens DXF drawings only."
  exit 0
fi
echo "Installing (optional): the DWG converter into tools/dwg2dxf (npm)"
if (cd "$folder" && npm ci --no-audit --no-fund --omit=dev --ignore-scripts >/dev/null) && [ -f "$module" ]; then
  echo "Installed: the DWG converter ($(cd "$folder" && node --version) runs it)."
else
  echo "Not installed: the DWG converter (npm install failed); qrvhost opens DXF drawings only."
fi
exit 0
