#!/usr/bin/env bash
# Configures and builds into build/: the targets named as arguments, or everything (the tests too).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
targets=()
[ $# -eq 0 ] || targets=(--target "$@")
cmake --build build -j"$(nproc)" "${targets[@]}"
