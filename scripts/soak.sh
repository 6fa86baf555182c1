#!/usr/bin/env bash
# Plays an hour of game time (180,000 ticks, unpaced) through the game controller: the route
# through FrameSwitch again and again, the area loaded afresh for every pass, after one pass that
# warms the game up. Prints the memory after the hour's first area load and at its end, and fails
# when the end holds more than 2 MB above the start. An argument gives another number of ticks.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null
cmake --build build -j"$(nproc)" --target mirrowen_soak
# The templates of the per-user files lie in build/, as beside the game.
cd build
xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x800x24 -noreset" tests/mirrowen_soak "$@"
