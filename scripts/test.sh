#!/usr/bin/env bash
# Builds everything and runs every test under a virtual X server (GL and widget tests need one).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
# A random first display number keeps runs started side by side from racing for the same one.
# -noreset: by default the server resets whenever its last client leaves, and a test starting
# during that reset cannot connect, so parallel tests failed now and then.
xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 1280x800x24 -noreset" \
  ctest --test-dir build --output-on-failure --timeout 900 -j"$(nproc)" "$@"
