#!/usr/bin/env bash
# Plays the real game binary the way a person would, through its own virtual X server: waits
# for the window, skips the three logos with Escape, dismisses the opening comic with space,
# opens the pause menu, clicks "Credits", then quits through "Quit" and "Yes". Every
# screenshot must show a picture (not one flat colour) that differs from the one before, and
# the game must exit with code 0.
# Usage: desktop_session.sh <wendlebox binary> <output folder>; run from the repository root.
# WENDLEBOX_WAIT_SCALE stretches the waits for the game to load and for wipes and menus to
# settle, for builds that run the game slower (sanitizers); key and click timing stays.
set -euo pipefail

if [ -z "${WENDLEBOX_OWN_X:-}" ]; then
    export WENDLEBOX_OWN_X=1
    exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" "$@"
fi

scale="${WENDLEBOX_WAIT_SCALE:-1}"
scaled() {
    awk -v seconds="$1" -v scale="$scale" 'BEGIN { print seconds * scale }'
}
# Sleeps the given seconds times the wait scale.
wait_for() {
    sleep "$(scaled "$1")"
}

game="$1"
out="$2/desktop"
rm -rf "$out"
mkdir -p "$out/appdata"
export APPDATA="$out/appdata"

"$game" >"$out/game.log" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true' EXIT

window=$(timeout "$(scaled 30)" xdotool search --sync --onlyvisible --name '^Wendlebox$' | head -n 1)
xdotool mousemove 960 540

shot=0
previous=""
# Saves a screenshot and checks it against the previous one.
screenshot() {
    shot=$((shot + 1))
    local file="$out/$(printf '%02d' $shot)-$1.png"
    import -window root "$file"
    /usr/bin/python3 - "$file" "$previous" <<'PY'
import sys
from PIL import Image, ImageChops
image = Image.open(sys.argv[1]).convert("RGB")
low, high = zip(*image.getextrema())
if max(h - l for l, h in zip(low, high)) < 16:
    sys.exit(f"{sys.argv[1]}: one flat colour")
if sys.argv[2]:
    difference = ImageChops.difference(image, Image.open(sys.argv[2]).convert("RGB"))
    if difference.getbbox() is None:
        sys.exit(f"{sys.argv[1]}: unchanged from {sys.argv[2]}")
PY
    previous="$file"
}

# Whether a screenshot shows the level ("level") or the pause menu over it ("pause"). The
# level is mostly the night sky, with none of the wipe's bands, the comic's paper or the level
# card's lettering; the pause menu's left panel has a long upright border in the wipe's darker
# colour, which the wipe's diagonal bands never leave alone on so little of the screen.
screen_is() {
    /usr/bin/python3 - "$1" "$2" <<'PY'
import sys
from PIL import Image
image = Image.open(sys.argv[2]).convert("RGB")
width, height = image.size
area = width * height
colours = dict((colour, count) for count, colour in image.getcolors(area))
share = lambda *wanted: sum(colours.get(colour, 0) for colour in wanted) / area
teal, light, sky, paper, lettering = (58, 175, 169), (142, 227, 200), (27, 31, 59), (247, 244, 234), (242, 212, 146)
if sys.argv[1] == "level":
    sys.exit(0 if 0.5 < share(sky) < 0.95 and share(teal, light) < 0.05 and share(paper) < 0.003
             and share(lettering) < 0.001 else 1)
if share(teal, light) > 0.1:
    sys.exit(1)
pixels = image.load()
for x in range(width // 2):
    run = 0
    for y in range(height):
        run = run + 1 if pixels[x, y] == teal else 0
        if run > height // 3:
            sys.exit(0)
sys.exit(1)
PY
}

# Each key and click is held across at least one input poll of the game loop.
key() {
    xdotool keydown --window "$window" "$1"
    sleep 0.15
    xdotool keyup --window "$window" "$1"
    sleep 0.4
}

click() {
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool mousedown 1
    sleep 0.15
    xdotool mouseup 1
    sleep 0.6
}

# The first frames can be black while the game loads its assets.
for _ in $(seq 1 40); do
    import -window root "$out/first.png"
    /usr/bin/python3 -c "
import sys
from PIL import Image
low, high = zip(*Image.open(sys.argv[1]).convert('RGB').getextrema())
sys.exit(0 if max(h - l for l, h in zip(low, high)) >= 16 else 1)" "$out/first.png" && break
    wait_for 0.5
done
screenshot logo
key Escape
key Escape
key Escape
wait_for 1.0
screenshot comic
key space
# The wipe covers, holds for three seconds and uncovers; the game ignores the pause key
# until it has, and a software renderer can run the loop slower than real time.
# A busy machine runs it slower still, so look until the level shows.
wait_for 8
# A space press lost while the comic was still opening is made again; during the wipe the
# game ignores it.
for _ in $(seq 1 60); do
    import -window root "$out/probe.png"
    screen_is level "$out/probe.png" && break
    key space
    wait_for 0.5
done
screenshot level
for _ in $(seq 1 10); do
    key Escape
    wait_for 0.5
    import -window root "$out/probe.png"
    screen_is pause "$out/probe.png" && break
done
screenshot pause-menu

# The pause menu's layout scales with the window height (1081 for a 1080 monitor).
read -r width height < <(xdotool getwindowgeometry "$window" | awk '/Geometry/ {split($2, size, "x"); print size[1], size[2]}')
layout=$(/usr/bin/python3 -c "
w, h = $width, $height
s = h / 2160 * 4
cx = w // 2 - 30 * s
cy = h // 2 - 50 * s
left = cx - 160 * s
bh = (s - 0.2) * 23
step = 20 * s + bh
base = cy - 50
print(round(left), round(base), round(base + 3 * step), round(cx + 40 * s), round(cy + 18 * s))")
read -r listX creditsY quitY yesX yesY <<<"$layout"

click "$listX" "$creditsY"
screenshot credits
click "$listX" "$quitY"
screenshot quit-banner
click "$yesX" "$yesY"

for _ in $(seq 1 50); do
    kill -0 $pid 2>/dev/null || break
    wait_for 0.2
done
trap - EXIT
if kill -0 $pid 2>/dev/null; then
    kill $pid
    echo "the game did not quit after Yes" >&2
    exit 1
fi
wait $pid
echo "desktop session: game exited with code 0"
