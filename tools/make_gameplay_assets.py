#!/usr/bin/python3
"""Generates the gameplay tunables: assets/package.json, the package's throw and the dotted
preview of its path.

The preview is checked against the physics constants before the file is written: with these
numbers the dots fan out along the first stretch of a throw, close enough together to read
as an arc, far enough apart not to clump at the player's hand.

Run from anywhere: /usr/bin/python3 tools/make_gameplay_assets.py
"""

import json
import os

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
PACKAGE_FILE = os.path.join(ROOT, "assets", "package.json")
DOT_TEXTURE = os.path.join(ROOT, "assets", "textures", "blended", "ArcDot.png")

# The package's body in assets/Entity.json (per 10 ms step).
GRAVITY = -0.006
AIR_DRAG_X = 0.01
FALL_LIMIT = 0.6

PACKAGE = {
    "throw power": 0.36,
    "aiming ridicule spacing": 3,
    "ridicule numbers": 6,
    "ridicule texture": "ArcDot",
    "ridicule size": 0.3,
    "ridicule distance from player": 6,
}


def dot_steps(settings):
    """Simulation steps from the hand to each dot: the distance, then the spacing times the
    dot's index added up, as the preview walks the path."""
    steps, total = [], settings["ridicule distance from player"]
    for j in range(int(settings["ridicule numbers"])):
        total += j * settings["aiming ridicule spacing"]
        steps.append(total)
    return steps


def flight(power, steps):
    """Where a package thrown at 45 degrees is after `steps` steps, stepping as the engine
    does: gravity and drag into the velocity, then the move."""
    vx = vy = power * 0.5 ** 0.5
    x = y = 0.0
    for _ in range(steps):
        if vy > -FALL_LIMIT:
            vy += GRAVITY
        vx *= 1.0 - AIR_DRAG_X
        x, y = x + vx, y + vy
    return x, y


def check(settings):
    assert os.path.exists(DOT_TEXTURE), "dot texture missing: %s" % DOT_TEXTURE
    points = [flight(settings["throw power"], n) for n in dot_steps(settings)]
    gaps = [((x1 - x0) ** 2 + (y1 - y0) ** 2) ** 0.5 for (x0, y0), (x1, y1) in zip(points, points[1:])]
    size = settings["ridicule size"]
    assert min(gaps) > size * 1.5, "dots overlap: gaps %s" % gaps
    assert points[-1][0] < 20.0, "preview reaches off screen: %s" % (points[-1],)
    return points


def main():
    points = check(PACKAGE)
    with open(PACKAGE_FILE, "w") as out:
        json.dump(PACKAGE, out, indent=4)
        out.write("\n")
    print("wrote %s; dots at %s" % (PACKAGE_FILE, ", ".join("(%.1f, %.1f)" % p for p in points)))


if __name__ == "__main__":
    main()
