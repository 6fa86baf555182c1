#!/usr/bin/env bash
# Fuzzes every reader of the game: builds the libFuzzer targets of tests/fuzz with clang and the
# address and undefined-behaviour sanitizers into build-fuzz/, then runs each target for the given
# number of seconds (default 60), three at a time (only the targets named after the seconds, when
# any are, as in "fuzz.sh 300 soundlist ogg"), from its corpus in build-fuzz/corpus (kept between
# runs), the damaged files of tests/fuzz/damaged and the game's own files of that kind, with a
# dictionary of the element and attribute names those files hold. Each target runs in fork mode: a
# crash, hang or running out of memory is kept in build-fuzz/artifacts/<target>/ and the run goes
# on, so one run reports all it finds. Prints the executions, crashes (sanitizer reports and broken
# promises included), hangs and running out of memory per target, and fails when anything broke.
# The target decodethreads is no reader: it decodes each input in one pass and on several threads
# and breaks when the two answers differ; the inputs it found are kept in tests/fuzz/decodethreads.
# Not run by CI: the damaged files are, in the ordinary tests.
set -euo pipefail
seconds="${1:-60}"
only=" ${*:2} "
cd "$(dirname "$0")/.."
out="$PWD/build-fuzz"

bash scripts/deps.sh
missing=()
for p in clang libclang-rt-dev; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -q
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -q "${missing[@]}"
fi

# The machine is shared: three cores build and fuzz.
jobs=3
launcher=()
! command -v ccache > /dev/null || launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$out" -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DMIRROWEN_FUZZ=ON "${launcher[@]}" > /dev/null
# Only the named targets, when any are named: the decoder's differential target needs only the sound layer.
build=(fuzz_targets)
[ "$only" = "  " ] || read -r -a build <<< "$(printf 'fuzz_%s ' ${*:2})"
cmake --build "$out" -j"$jobs" --target "${build[@]}"

# The game's own files of each reader's kind, beside its damaged files.
declare -A seeds=(
  [controls]="templates/Controls.xml"
  [settings]="templates/Settings.xml"
  [saveslot]="templates/Saves/*.zvs"
  [slotmenu]="templates/Saves/*.zvs"
  [attributes]="res/xml/PlayerCharacters/*.xml res/xml/common_resources/HeartBox/*.xml"
  [animations]="res/xml/common_resources/*.xml res/xml/actors/Flying/*.xml"
  [characters]="res/xml/PlayerCharacters/*.xml res/xml/actors/Flying/*Firefly.xml"
  [trees]="res/xml/actors/AreaExits/*.xml res/xml/actors/AreaEnterTrees/*.xml"
  [plants]="res/xml/actors/plants/*.xml res/xml/actors/ScoreIndicator/*.xml"
  [heartboxes]="res/xml/common_resources/HeartBox/*.xml res/xml/actors/Boxes/*.xml"
  [framesets]="res/Areas/*_Frames.xml tests/world/frametest/*.xml"
  [levelorder]="res/xml/LevelOrder.xml"
  [areasummary]="res/Areas/*.xml"
  [scenery]="res/xml/actors/plants/*mushroom.xml res/xml/actors/rocks/*.xml res/xml/actors/SpecialTrees/*.xml"
  [interlude]="res/Areas/*.xml"
  [menus]="res/xml/menus/*.xml res/xml/startscreen.xml"
  [soundlist]=""
  [area]="res/Areas/*.xml"
  [ogg]="$(ls -S "$out"/generated/res/wave/SFX/*.ogg 2>/dev/null | tail -n 6 | tr '\n' ' ')"
  # Tones of a few kilobytes from the tests' own encoder, chained and of several stretches, and
  # every input the target found at fault.
  [decodethreads]="tests/fuzz/decodethreads/*"
)

# Each target starts from its corpus and a folder of seeds: its damaged files, those too large to
# keep in the repository, and the game's files.
bash tests/fuzz/MakeLargeInputs.sh "$out/tests/fuzz/damaged"
targets=()
for binary in "$out"/tests/fuzz/targets/fuzz_*; do
  [ -f "$binary" ] && [ -x "$binary" ] || continue
  name="${binary##*/fuzz_}"
  [ "$only" = "  " ] || [[ "$only" == *" $name "* ]] || continue
  targets+=("$binary")
  rm -rf "$out/seeds/$name" "$out/artifacts/$name"
  mkdir -p "$out/corpus/$name" "$out/seeds/$name" "$out/artifacts/$name"
  cp tests/fuzz/damaged/"$name"/* "$out/tests/fuzz/damaged/$name"/* "$out/seeds/$name"/ 2>/dev/null || true
  for file in ${seeds[$name]}; do
    seed="$out/seeds/$name/$(echo "$file" | tr '/' '_')"
    if [ "$name" = area ] || [ "$name" = areasummary ] || [ "$name" = interlude ]; then
      # Areas without their music, which takes longer to decode than the rest of the area to read:
      # the damaged areas give the reader music of a few milliseconds.
      case "$file" in *_Frames.xml) continue ;; esac
      sed '/<Audio>/,/<\/Audio>/d' "$file" > "$seed"
    else
      cp "$file" "$seed"
    fi
  done
  # Every element and attribute name of the seeds, as libFuzzer's dictionary lines.
  cat "$out/seeds/$name"/*.xml "$out/seeds/$name"/*.zvs 2>/dev/null \
    | grep -aoE '<[A-Za-z_][A-Za-z_0-9]*|[A-Za-z_][A-Za-z_0-9]*="' | sort -u | sed 's/"/\\"/g; s/.*/"&"/' > "$out/seeds/$name.dict" || true
done

run_target() {
  local name="${1##*/fuzz_}"
  local extra=()
  # Every effect a list names is decoded anew, most of a run's time: lists of a few effects reach
  # all the reader does, and many more of them are read in the same time.
  [ "$name" != soundlist ] || extra+=(-max_len=128)
  [ ! -s "$out/seeds/$name.dict" ] || extra+=(-dict="$out/seeds/$name.dict")
  # A display for the targets that load pictures; a random number keeps parallel runs apart. One
  # job in fork mode: a crash ends only that job, and the next one goes on from the corpus.
  xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 640x480x24 -noreset" \
    "$1" "$out/corpus/$name" "$out/seeds/$name" -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -max_total_time="$seconds" -timeout=25 -rss_limit_mb=3072 -artifact_prefix="$out/artifacts/$name/" \
    "${extra[@]}" > "$out/$name.log" 2>&1 || true
}
export -f run_target
export out seconds
# The per-user files are rewritten for every input: in memory, not on a disk that flushes them.
[ -d /dev/shm ] && export TMPDIR=/dev/shm
# Freed memory is reused sooner, so fresh pages are not faulted in for every input.
export ASAN_OPTIONS=quarantine_size_mb=32
export LSAN_OPTIONS="suppressions=$PWD/tests/fuzz/lsan.supp"
printf '%s\n' "${targets[@]}" | xargs -P "$jobs" -I{} bash -c 'run_target {}'

failed=0
printf '\n%-12s %14s %8s %6s %6s\n' target executions crashes hangs oom
for binary in "${targets[@]}"; do
  name="${binary##*/fuzz_}"
  # The fork mode's last status line: "#<executions>: cov: ... oom/timeout/crash: <o>/<t>/<c> ...".
  status="$(grep -aE '^#[0-9]+: cov:' "$out/$name.log" | tail -n 1 || true)"
  runs="$(echo "$status" | grep -oE '^#[0-9]+' | tr -d '#')"
  read -r oom hangs crashes <<< "$(echo "$status" | grep -oE 'crash: [0-9]+/[0-9]+/[0-9]+' | grep -oE '[0-9/]+$' \
    | tr '/' ' ')"
  crashes="${crashes:-0}" hangs="${hangs:-0}" oom="${oom:-0}"
  # A run that ended without its statistics broke in a way that left no input behind.
  [ -n "$runs" ] && [ "$runs" != 0 ] || crashes=$((crashes + 1))
  printf '%-12s %14s %8s %6s %6s\n' "$name" "${runs:-0}" "$crashes" "$hangs" "$oom"
  [ $((crashes + hangs + oom)) -eq 0 ] || failed=1
done
[ "$failed" -eq 0 ] || echo "Some target broke: see build-fuzz/<target>.log and build-fuzz/artifacts/<target>/"
exit "$failed"
