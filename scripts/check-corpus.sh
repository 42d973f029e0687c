#!/usr/bin/env bash
# Checks that qrvhost keeps a folder of third-party drawings as they were:
# opened and saved, and after Modify + OK on every dimension style, each
# drawing is judged by ezdxf (scripts/check_corpus.py says how).
#   scripts/check-corpus.sh DIR [OUT]
# Not part of the test suite: the drawings are other people's and stay
# outside this repository.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 1 ] || { echo "usage: scripts/check-corpus.sh DIR [OUT]" >&2; exit 2; }
[ -x build/bin/qrvhost ] || scripts/build.sh
# ezdxf comes from Debian's python3-ezdxf, for the system interpreter.
exec /usr/bin/python3 scripts/check_corpus.py build/bin/qrvhost "$@"
