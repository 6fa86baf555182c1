#!/usr/bin/env bash
# Plays the real game under its own Xvfb through the screen changes where a stall of the game's
# thread once cut the music (title, new game, interlude, area loads, back to the area selection and
# to the title), captures its sound in real time through OpenAL Soft's wave back end, and lists
# every run of digital silence longer than 10 ms between the first and the last sound heard. In
# the first area it presses the jump key a number of times and measures, for each press, how
# long after it the jump's sound begins in the capture.
#
#   scripts/soundgaps.sh [-c CPUS] [-l CPUS] [-n] [-j PRESSES] [-d DISPLAY_NUMBER] [-o CAPTURE.wav] [GAME]
#
# GAME defaults to build/mirrowen (its per-user file templates beside it); -c runs the game with
# taskset -c CPUS, for example 0,1 for two cores; -l keeps one busy loop running on each of the
# listed CPUs meanwhile, for example 0,1 again; -n runs the game as most desktop users run it,
# refused real-time scheduling (without the capability to ask for it, and a real-time priority
# limit of 0); -j sets the jump presses (20); -o keeps the capture. Exits 1 when a silence was found.
set -euo pipefail
cpus=""
load=""
norealtime=()
presses=20
keep=""
display=$((200 + RANDOM % 500))
while getopts "c:l:nj:d:o:" option; do
    case $option in
    c) cpus=$OPTARG ;;
    l) load=$OPTARG ;;
    n) norealtime=(setpriv --inh-caps=-sys_nice --bounding-set=-sys_nice prlimit --rtprio=0 --) ;;
    j) presses=$OPTARG ;;
    o) keep=$OPTARG ;;
    d) display=$OPTARG ;;
    *) exit 2 ;;
    esac
done
shift $((OPTIND - 1))
game=$(realpath "${1:-$(dirname "$0")/../build/mirrowen}")

# Another server's display would be driven in its place.
[ ! -e "/tmp/.X$display-lock" ] || { echo "display :$display is taken" >&2; exit 2; }
# In memory where possible: the wave back end writes as it mixes, and a write held up by the disk
# would take the device's next pieces from the game's queue all at once.
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
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
# Each loop in a session of its own, as another program's would be: the system shares the
# processors out between sessions first, and only then between the threads of each.
for cpu in ${load//,/ }; do
    setsid taskset -c "$cpu" sh -c 'while :; do :; done' &
    pids+=($!)
done
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

# Presses the jump key through XTest, a press every 0.7 s, and prints the capture's frame at each
# press. The capture grows as the device plays: the least lag between the clock and the frames
# written so far, over many looks, places frame 0 on the clock.
cat > "$work/jumps.py" <<'EOF'
import ctypes, os, sys, threading, time

RATE = 44100
capture, presses = sys.argv[1], int(sys.argv[2])
x11, xtst = ctypes.CDLL("libX11.so.6"), ctypes.CDLL("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
display = ctypes.c_void_p(x11.XOpenDisplay(None))
space = x11.XKeysymToKeycode(display, x11.XStringToKeysym(b"space"))
header = open(capture, "rb").read(256).find(b"data") + 8
origin, looking = [float("inf")], [True]

def look():
    while looking[0]:
        now = time.monotonic()
        origin[0] = min(origin[0], now - (os.stat(capture).st_size - header) / 4 / RATE)
        time.sleep(0.0005)

watcher = threading.Thread(target=look)
watcher.start()
times = []
for _ in range(presses):
    xtst.XTestFakeKeyEvent(display, space, True, 0)
    x11.XFlush(display)
    times.append(time.monotonic())
    time.sleep(0.1)
    xtst.XTestFakeKeyEvent(display, space, False, 0)
    x11.XFlush(display)
    time.sleep(0.6)
looking[0] = False
watcher.join()
for t in times:
    print(round((t - origin[0]) * RATE))
EOF

mkdir -p "$work/data"
start=$(now)
(cd "$(dirname "$game")" && exec env XDG_DATA_HOME="$work/data" ALSOFT_CONF="$work/alsoft.conf" \
    ${cpus:+taskset -c "$cpus"} "${norealtime[@]}" "$game" > "$work/game.log" 2>&1) &
pids+=($!)
sleep 4
xdotool search --name Mirrowen windowactivate > /dev/null 2>&1 || true
step "title: NEW GAME" 1.5 Return
step "slot 0: new game -> interlude" 2.5 Return
step "interlude -> area load" 4 Return
echo "$(captured) jumps" >> "$work/steps"
python3 "$work/jumps.py" "$capture" "$presses" > "$work/presses"
step "pause" 1 Escape
step "exit to the area selection" 2.5 Down Return
step "area selection -> interlude" 2 Return
step "interlude -> area load" 4 Return
step "pause" 1 Escape
step "exit to the title" 4 Down Down Down Down Return
echo "$(captured) end" >> "$work/steps"
end=$(now)
step "title: EXIT" 3 Left Return

echo "game: $game${cpus:+ on cpus $cpus}${norealtime:+, refused real-time scheduling}"
echo "wall clock $(echo "$end - $start" | bc | cut -c1-6) s, captured $(sed -n '$p' "$work/steps" | cut -d' ' -f1) s by then"
python3 - "$capture" "$work/steps" "$work/presses" "$(dirname "$game")/generated/res/wave/SFX/Jump.ogg" <<'EOF'
import array, math, operator, statistics, subprocess, sys

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

# The jump's first 10 ms, left side, as the mixer plays it; each press is matched where the
# capture's shape is most like it within 300 ms after the press.
jump = array.array("h", subprocess.run(["sox", sys.argv[4], "-t", "raw", "-e", "signed", "-b", "16", "-c", "1", "-"],
                                       capture_output=True, check=True).stdout)
lead = next(i for i, v in enumerate(jump) if v)
template = jump[lead:lead + RATE // 100]
left = samples[0::2]
norm_t = math.sqrt(sum(v * v for v in template))

def likeness(at):
    window = left[at:at + len(template)]
    energy = math.sqrt(sum(v * v for v in window)) or 1
    return sum(map(operator.mul, window, template)) / energy / norm_t

latencies, missed = [], 0
for line in open(sys.argv[3]):
    press = int(line)
    span = range(max(0, press), min(len(left) - len(template), press + RATE * 3 // 10))
    coarse = max(span[::8], key=likeness, default=None)
    if coarse is None:
        missed += 1
        continue
    best = max(range(max(0, coarse - 8), coarse + 9), key=likeness)
    if likeness(best) < 0.8:
        missed += 1
        continue
    latencies.append((best - press) * 1000 / RATE)
if latencies:
    q = statistics.quantiles(latencies, n=4) if len(latencies) > 1 else latencies * 3
    print(f"jump key to its sound: median {statistics.median(latencies):.1f} ms "
          f"(middle half {q[0]:.1f}-{q[2]:.1f}), {len(latencies)} presses heard, {missed} not")
else:
    print(f"jump key to its sound: no press heard of {missed}")
sys.exit(1 if gaps else 0)
EOF
