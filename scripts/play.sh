#!/usr/bin/env bash
# Builds the game and starts it. The templates of the per-user files sit beside the executable.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
cd build
exec ./mirrowen "$@"
