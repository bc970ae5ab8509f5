#!/usr/bin/env bash
# Plays the real game binary the way a person would, through its own virtual X server: waits
# for the window, skips the three logos with Enter, dismisses the opening comic with space,
# opens the pause menu, clicks "Credits", then quits through "Quit" and "Yes". Every key and
# click is sent once, down and up at once, as a quick finger or a slow frame gives them: each
# must take effect. Every screenshot must differ from the one before and show a picture, not
# one flat colour (except while a wipe covers the screen), and the game must exit with code 0.
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
# Saves a screenshot and checks it against the previous one. A second argument "flat-ok" allows
# one flat colour: a wipe that has just covered the screen is one, until its title card shows.
screenshot() {
    shot=$((shot + 1))
    local file="$out/$(printf '%02d' $shot)-$1.png"
    import -window root "$file"
    /usr/bin/python3 - "$file" "$previous" "${2:-}" <<'PY'
import sys
from PIL import Image, ImageChops
image = Image.open(sys.argv[1]).convert("RGB")
low, high = zip(*image.getextrema())
if max(h - l for l, h in zip(low, high)) < 16 and sys.argv[3] != "flat-ok":
    sys.exit(f"{sys.argv[1]}: one flat colour")
if sys.argv[2]:
    difference = ImageChops.difference(image, Image.open(sys.argv[2]).convert("RGB"))
    if difference.getbbox() is None:
        sys.exit(f"{sys.argv[1]}: unchanged from {sys.argv[2]}")
PY
    previous="$file"
}

# Down and up in one go: both usually reach the game between two of its input polls.
key() {
    xdotool key --window "$window" "$1"
    sleep 0.4
}

click() {
    xdotool mousemove "$1" "$2"
    sleep 0.2
    xdotool click 1
    sleep 0.6
}

# What a screenshot shows, by the share of its colours: "wipe" while the wipe's flat colour
# fills over one pixel in a hundred (no other picture of the game does), "play" when neither
# that nor one colour over nine tenths of the screen (the covered screen and its title card)
# shows, "other" otherwise; then how many pixels have the wipe's colour.
seen() {
    /usr/bin/python3 - "$1" <<'PY'
from PIL import Image
import sys
image = Image.open(sys.argv[1]).convert("RGB")
pixels = image.width * image.height
counts = dict((colour, count) for count, colour in image.getcolors(pixels))
wipe = counts.get((142, 227, 200), 0)
if wipe * 100 > pixels:
    print("wipe", wipe)
elif max(counts.values()) * 10 < pixels * 9:
    print("play", wipe)
else:
    print("other", wipe)
PY
}

# Waits until the screen shows what seen() calls $1, unchanged in the wipe's colour over
# $2 probes in a row (a wipe that is still moving changes it); false when it never does.
wait_until_seen() {
    local last="" streak=0
    for _ in $(seq 1 160); do
        import -window root "$out/probe.png"
        read -r what wipe < <(seen "$out/probe.png")
        if [ "$what" = "$1" ] && [ "$wipe" = "$last" ]; then streak=$((streak + 1)); else streak=1; fi
        [ "$what" = "$1" ] || streak=0
        last="$wipe"
        [ "$streak" -ge "$2" ] && return 0
        wait_for 0.25
    done
    return 1
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
# Enter skips a logo and does nothing in play: a slow build's logo may run out on its own
# before its press arrives, and Escape would then open the pause menu over the comic.
key Return
key Return
key Return
wait_for 1.0
screenshot comic
key space
wait_until_seen wipe 1 || { echo "the comic did not set off on space" >&2; exit 1; }
screenshot wipe flat-ok

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
print(round(left), round(base), round(base + 3 * step), round(cx + 40 * s), round(cy + 18 * s),
      round((s - 0.2) * 125), round(bh))")
read -r listX creditsY quitY yesX yesY buttonW buttonH <<<"$layout"

# Whether the screenshot shows the "Credits" button where the menu puts it: the mean colour
# there matches the normal look of its picture in the game's own assets.
menu_shown() {
    /usr/bin/python3 - "$1" "$listX" "$creditsY" "$buttonW" "$buttonH" <<'PY'
import sys
from PIL import Image, ImageStat
x, y, w, h = (int(v) for v in sys.argv[2:6])
shot = Image.open(sys.argv[1]).convert("RGB").crop((x - w // 2 + 2, y - h // 2 + 2, x + w // 2 - 2, y + h // 2 - 2))
sheet = Image.open("assets/textures/opaque/PMBCredits.png").convert("RGB")
look = sheet.crop((0, 0, sheet.width // 3, sheet.height))
seen, expected = ImageStat.Stat(shot).mean, ImageStat.Stat(look).mean
sys.exit(0 if max(abs(a - b) for a, b in zip(seen, expected)) < 20 else 1)
PY
}

# The game ignores the pause key while the wipe runs: press Escape once the level shows and
# the wipe has stopped moving.
wait_until_seen play 3 || { echo "the wipe did not end" >&2; exit 1; }
key Escape
opened=no
for _ in $(seq 1 40); do
    import -window root "$out/menu.png"
    if menu_shown "$out/menu.png"; then
        opened=yes
        break
    fi
    wait_for 0.5
done
[ "$opened" = yes ] || { echo "the pause menu did not open on Escape" >&2; exit 1; }
screenshot pause-menu

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
