#!/usr/bin/env bash
# Plays the real game under its own Xvfb through the screen changes where a stall of the game's
# thread once cut the music (title, new game, interlude, area loads, back to the area selection and
# to the title), captures its sound in real time through OpenAL Soft's wave back end, and lists
# every run of digital silence longer than 10 ms between the first and the last sound heard.
#
#   scripts/soundgaps.sh [-c CPUS] [-d DISPLAY_NUMBER] [-o CAPTURE.wav] [GAME]
#
# GAME defaults to build/mirrowen (its per-user file templates beside it); -c runs the game with
# taskset -c CPUS, for example 0,1 for two cores; -o keeps the capture. Exits 1 when a silence
# was found.
set -euo pipefail
cpus=""
keep=""
display=$((200 + RANDOM % 500))
while getopts "c:d:o:" option; do
    case $option in
    c) cpus=$OPTARG ;;
    o) keep=$OPTARG ;;
    d) display=$OPTARG ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
game=$(realpath "${1:-$(dirname "$0")/../build/mirrowen}")

# Another server's display would be driven in its place.
[ ! -e "/tmp/.X$display-lock" ] || { echo "display :$display is taken" >&2; exit 2; }
work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    [ -z "$keep" ] || cp "$work/capture.wav" "$keep" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

capture=$work/capture.wav
printf '[general]\ndrivers = wave\nfrequency = 44100\nchannels = stereo\nsample-type = int16\noutput-limiter = false\ndither = false\n[wave]\nfile = %s\n' \
    "$capture" > "$work/alsoft.conf"
Xvfb ":$display" -screen 0 1280x800x24 -noreset > /dev/null 2>&1 &
pids+=($!)
export DISPLAY=:$display
sleep 1
openbox > /dev/null 2>&1 &
pids+=($!)
sleep 1

# Seconds of sound captured so far: the wave back end writes as the device plays.
captured() { echo "scale=3; $(stat -c %s "$capture" 2>/dev/null || echo 0) / 176400" | bc; }
now() { date +%s.%N; }
# step LABEL SECONDS KEYS...: notes where the capture stands, presses the keys, then lets it play.
step() {
    local label=$1 wait=$2
    shift 2
    echo "$(captured) $label" >> "$work/steps"
    xdotool key --delay 150 "$@"
    sleep "$wait"
}

mkdir -p "$work/data"
start=$(now)
(cd "$(dirname "$game")" && exec env XDG_DATA_HOME="$work/data" ALSOFT_CONF="$work/alsoft.conf" \
    ${cpus:+taskset -c "$cpus"} "$game" > "$work/game.log" 2>&1) &
pids+=($!)
sleep 4
xdotool search --name Mirrowen windowactivate > /dev/null 2>&1 || true
step "title: NEW GAME" 1.5 Return
step "slot 0: new game -> interlude" 2.5 Return
step "interlude -> area load" 4 Return
step "pause" 1 Escape
step "exit to the area selection" 2.5 Down Return
step "area selection -> interlude" 2 Return
step "interlude -> area load" 4 Return
step "pause" 1 Escape
step "exit to the title" 4 Down Down Down Down Return
echo "$(captured) end" >> "$work/steps"
end=$(now)
step "title: EXIT" 3 Left Return

echo "game: $game${cpus:+ on cpus $cpus}"
echo "wall clock $(echo "$end - $start" | bc | cut -c1-6) s, captured $(sed -n '$p' "$work/steps" | cut -d' ' -f1) s by then"
python3 - "$capture" "$work/steps" <<'EOF'
import array, sys

RATE, MIN_MS = 44100, 10
data = open(sys.argv[1], "rb").read()
start = data.find(b"data") + 8  # the header's sizes are left unwritten when the game exits
samples = array.array("h", data[start:start + (len(data) - start) // 4 * 4])
frames = len(samples) // 2
steps = [(float(t), label) for t, label in (line.rstrip("\n").split(" ", 1) for line in open(sys.argv[2]))]

sounding = [i for i in range(frames) if samples[2 * i] or samples[2 * i + 1]]
if not sounding:
    sys.exit("nothing was heard")
first, last = sounding[0], sounding[-1]
gaps, run = [], None
previous = first
for i in sounding:
    if i - previous - 1 > RATE * MIN_MS // 1000:
        gaps.append((previous + 1, i - previous - 1))
    previous = i
print(f"sound from {first / RATE:.3f} s to {last / RATE:.3f} s")
for begin, length in gaps:
    after = [label for t, label in steps if t <= begin / RATE]
    print(f"silence of {length * 1000 / RATE:6.1f} ms at {begin / RATE:7.3f} s, after: {after[-1] if after else 'start'}")
print(f"{len(gaps)} silences over {MIN_MS} ms")
sys.exit(1 if gaps else 0)
EOF
