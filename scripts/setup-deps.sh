#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the tools need,
# only those that are missing. Safe to run any number of times.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  python3 python3-ezdxf python3-matplotlib poppler-utils
  libfreetype-dev libfontconfig-dev libpng-dev libjpeg-dev fonts-dejavu-core
  qt6-base-dev libqt6svg6 libedit-dev
  clang libclang-rt-14-dev
)

# Wanted by tests, which skip without them: LibreCAD, a second independent
# reader of the drawings we write. A failure to install them is reported
# and the rest goes on.
optional=(
  librecad
)

missingOf() {
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      echo "$p"
    fi
  done
}

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
updated=0
install() {
  if [ $updated -eq 0 ]; then
    $SUDO apt-get update -qq
    updated=1
  fi
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "$@"
}

mapfile -t missing < <(missingOf "${packages[@]}")
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  install "${missing[@]}"
fi

mapfile -t missing < <(missingOf "${optional[@]}")
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing (optional): ${missing[*]}"
  install "${missing[@]}" || echo "Not installed: ${missing[*]}; the tests that use them are skipped."
fi

# Wanted by qrvhost to open DWG drawings, and by the tests that check that:
# Node.js and npm run the optional DWG converter (tools/dwg2dxf). Installed
# only when no node or npm is on the PATH (a Node.js from elsewhere is kept);
# a failure is reported and the rest goes on.
nodeMissing=()
command -v node >/dev/null 2>&1 || nodeMissing+=(nodejs)
command -v npm >/dev/null 2>&1 || nodeMissing+=(npm)
if [ ${#nodeMissing[@]} -gt 0 ]; then
  echo "Installing (optional): ${nodeMissing[*]}"
  install "${nodeMissing[@]}" || echo "Not installed: ${nodeMissing[*]}; DWG drawings cannot be opened."
fi
"$(dirname "$0")/setup-dwg-converter.sh"
