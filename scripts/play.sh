#!/usr/bin/env bash
# Builds the game and the frame editor (not the tests) and starts the game. The templates of
# the per-user files sit beside the executable.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh mirrowen mirrowen-editor
cd build
exec ./mirrowen "$@"
