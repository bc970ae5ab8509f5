#!/usr/bin/python3
"""Generates the world's assets: the textures of the level objects, the archetype file
assets/Entity.json and the level files under assets/scenes/ ("Test Map", "Level1" to "Level3").

Levels are laid out in code as a route of floors, each marked with the move that reaches it
(jump, dash, throw and teleport, ride). Before a file is written every hop is checked against
that move's reach, stepped with the engine's own physics, and against what the levels have
taught so far: Level1 teaches jumping and the dash, Level2 the package and the platforms,
Level3 hazards, fire walls and the death wall.

Run from anywhere: /usr/bin/python3 tools/make_world_assets.py
"""

import json
import math
import os

from PIL import Image, ImageDraw

from palette import CLEAR, CORAL, DEEP, INK, MINT, NIGHT, OFF_WHITE, ORANGE, PLUM, SAND, TEAL, save_png, with_alpha

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OPAQUE = os.path.join(ROOT, "assets", "textures", "opaque")
BLENDED = os.path.join(ROOT, "assets", "textures", "blended")
SCENES = os.path.join(ROOT, "assets", "scenes")
ENTITY_FILE = os.path.join(ROOT, "assets", "Entity.json")

PACKAGE_FILE = os.path.join(ROOT, "assets", "package.json")

# The player's tuning, written into the "Player" archetype and stepped by the route checker.
# Speeds are per 10 ms physics step.
GRAVITY = -0.006
JUMP_FORCE = 0.25
APEX_SPEED = 0.04
MAX_FALL = 0.6
RUN_PUSH = 0.01
AIR_PUSH_SHARE = 0.5
FRICTION = 0.07
AIR_DRAG = 0.01
DASH_SPEED = 0.5
DASH_MS = 200
TELEPORT_FLOAT_MS = 200
STEP_MS = 10
PLAYER_SIZE = (1.0, 1.5)
PACKAGE_SIZE = 0.6
PACKAGE_FRICTION = 0.2
# A landing must clear a floor's top by this much; the route checker's safety margin.
MARGIN = 0.25
# A body coming down (or at the top of its rise) whose feet are less than this below a
# ledge's top is lifted onto it: the jump reaches that much higher than the feet do.
LEDGE_LIFT = 0.5
# A throw hop must land from an aim this many degrees either side of the best one, so a
# first-time player's rough aim still puts the package up.
THROW_WINDOW = 8.0
# Aims tried per degree when measuring a throw's landing window.
AIMS_PER_DEGREE = 2
# The moves a route hop may need, in the order the game teaches them.
MOVES = ("jump", "dash", "throw", "ride")


# ---------------------------------------------------------------- textures

# The level pieces are drawn in blocks of CHUNK texels: their slicing scale packs more texels
# into a world unit than the player's sheet, and the blocks bring them back to about the
# player's texel size, so the whole scene reads as one pixel-art style.
CHUNK = 2


def chunky(width, height, colour_at):
    """An image of width by height blocks, each coloured by colour_at(x, y), scaled up by CHUNK."""
    image = Image.new("RGBA", (width, height), CLEAR)
    pixels = image.load()
    for y in range(height):
        for x in range(width):
            pixels[x, y] = colour_at(x, y)
    return image.resize((width * CHUNK, height * CHUNK), Image.NEAREST)


# Ground: a grass lip four blocks deep over soil whose pebbles repeat every eight blocks, so
# the repeated middle of the nine-slice (blocks 4 to 11) joins without a seam.
GRASS_TIPS = (1, 5, 6)
PEBBLES = {(1, 2): NIGHT, (2, 2): NIGHT, (5, 6): PLUM}


def ground_colour(x, y):
    size = 16
    if x in (0, size - 1) or y in (0, size - 1):
        return INK
    phase = (x - 4) % 8
    if y <= 2:
        return MINT if (y, phase) != (2, 3) else TEAL
    if y == 3:
        return MINT if phase in GRASS_TIPS else TEAL
    if y >= 13:
        return NIGHT
    return PEBBLES.get((phase, (y - 4) % 8), DEEP)


def make_ground():
    save_png(chunky(16, 16, ground_colour), OPAQUE, "Ground")


def wall_colour(x, y):
    """Stone blocks six wide and six high, every other row shifted by half a block, so the
    repeated middle (blocks 2 to 13) holds whole blocks."""
    size = 16
    if x in (0, size - 1) or y in (0, size - 1):
        return INK
    if x == size - 2 or y == size - 2:
        return NIGHT
    row = (y - 2) // 6
    bx = (x - 2 + (3 if row % 2 else 0)) % 6
    by = (y - 2) % 6
    if by == 5 or bx == 5:
        return NIGHT
    if by == 0 and bx < 2 or by == 1 and bx == 0:
        return TEAL
    return DEEP




def make_wall():
    save_png(chunky(16, 16, wall_colour), OPAQUE, "Wall")


# Platforms are half a unit tall and sliced at 156 texels a unit with a four-texel margin: a
# texture 80 texels tall puts almost exactly one copy of its middle in that height, so the
# picture is not stacked, and blocks of four texels match the player's texel size.
PLATFORM_BLOCKS = (16, 20)
PLATFORM_CHUNK = 4


def platform(colour_at):
    w, h = PLATFORM_BLOCKS
    image = Image.new("RGBA", PLATFORM_BLOCKS, CLEAR)
    pixels = image.load()
    for y in range(h):
        for x in range(w):
            edge = x in (0, w - 1) or y in (0, h - 1)
            # The middle columns (1 to 14) repeat along the platform: patterns use x - 1.
            pixels[x, y] = INK if edge else colour_at((x - 1) % (w - 2), y)
    return image.resize((w * PLATFORM_CHUNK, h * PLATFORM_CHUNK), Image.NEAREST)


def moving_colour(x, y):
    """A sand-coloured lift with an orange deck, rivets and a dark underside."""
    if y <= 3:
        return ORANGE if y < 3 else INK
    if y >= 16:
        return DEEP if y < 18 else NIGHT
    if y in (6, 13) and x % 7 == 3:
        return INK
    if y == 4:
        return OFF_WHITE
    return SAND


def breaking_colour(x, y):
    """A cracked plum slab under a sand lip: it will not hold for long."""
    if y <= 2:
        return SAND
    if y == 3:
        return INK if x % 7 in (2, 3) else ORANGE
    cracks = {(2, 4), (3, 5), (3, 6), (2, 7), (2, 8), (3, 9), (9, 4), (9, 5), (10, 6), (10, 7), (11, 8),
              (6, 12), (5, 13), (6, 14), (12, 14), (12, 15), (11, 16)}
    if (x, y) in cracks:
        return INK
    if y >= 17:
        return NIGHT if x % 3 else INK
    return PLUM if (x + y) % 9 else DEEP


def make_moving_platform():
    save_png(platform(moving_colour), OPAQUE, "MovingPlatform")


def make_breaking_platform():
    save_png(platform(breaking_colour), OPAQUE, "BreakingPlatform")


def make_hazard():
    image = Image.new("RGBA", (32, 32), CLEAR)
    draw = ImageDraw.Draw(image)
    for x in range(0, 32, 8):
        draw.polygon([(x, 31), (x + 4, 4), (x + 8, 31)], fill=CORAL, outline=INK)
        draw.line([x + 4, 8, x + 4, 12], fill=OFF_WHITE)
    save_png(image, BLENDED, "Hazard")


def make_checkpoint():
    image = Image.new("RGBA", (32, 64), CLEAR)
    draw = ImageDraw.Draw(image)
    draw.rectangle([6, 4, 9, 63], fill=OFF_WHITE, outline=INK)
    draw.polygon([(10, 6), (29, 14), (10, 22)], fill=TEAL, outline=INK)
    draw.rectangle([2, 58, 14, 63], fill=SAND, outline=INK)
    save_png(image, BLENDED, "Checkpoint")


def make_goal():
    image = Image.new("RGBA", (64, 64), CLEAR)
    draw = ImageDraw.Draw(image)
    draw.rounded_rectangle([8, 4, 55, 63], radius=20, fill=NIGHT, outline=SAND, width=4)
    draw.rounded_rectangle([16, 12, 47, 63], radius=14, fill=TEAL)
    points = []
    for i in range(10):
        angle = -math.pi / 2 + i * math.pi / 5
        radius = 10 if i % 2 == 0 else 4
        points.append((32 + radius * math.cos(angle), 34 + radius * math.sin(angle)))
    draw.polygon(points, fill=SAND, outline=INK)
    save_png(image, BLENDED, "Goal")


def make_package():
    """The parcel, 20 texels for its 0.6 units, near the player's texel size: the same orange
    box with sand tape that the courier carries on the back."""
    image = Image.new("RGBA", (20, 20), CLEAR)
    draw = ImageDraw.Draw(image)
    draw.rectangle([1, 2, 18, 18], fill=ORANGE, outline=INK)
    draw.rectangle([2, 3, 17, 5], fill=SAND)
    draw.rectangle([8, 3, 11, 17], fill=SAND)
    draw.line([(2, 6), (17, 6)], fill=INK)
    draw.line([(2, 17), (17, 17)], fill=CORAL)
    draw.rectangle([13, 9, 16, 12], fill=OFF_WHITE)
    draw.line([(14, 10), (15, 10)], fill=INK)
    save_png(image, BLENDED, "Package")


def make_firewall():
    """A see-through wall of glowing bricks, 78 texels a unit like the ground; the bricks
    (ten blocks by five, rows shifted by half) repeat every 40 blocks both ways."""
    def colour_at(x, y):
        row = y // 5
        bx, by = (x + (5 if row % 2 else 0)) % 10, y % 5
        if by == 4 or bx == 9:
            return with_alpha(SAND, 230)
        if by == 0:
            return with_alpha(ORANGE, 200)
        return with_alpha(CORAL, 150 if (bx + by) % 4 else 180)
    save_png(chunky(40, 40, colour_at), BLENDED, "Firewall")


def make_death_wall():
    """The wall of doom, 2 by 16 units: one copy of the texture spans its width, so it has a
    single big eye and a jagged coral edge on the side it chases towards (the right)."""
    n, top = 80, 2

    def colour_at(x, y):
        if x < 2 or x >= n - 2:
            return INK
        period_y = (y - top) % 76
        if x >= 60:
            tooth = round(12 * (1 - abs(period_y % 19 - 9) / 9.5))
            if x - 60 < tooth - 1:
                return CORAL
            return SAND if x - 60 == tooth - 1 else INK
        if (x * 37 + period_y * 101) % 53 < 3:
            return DEEP
        return PLUM

    image = chunky(n, n, colour_at)
    draw = ImageDraw.Draw(image)
    c = CHUNK
    for cy in (top + 38 - 76, top + 38, top + 38 + 76):
        draw.ellipse([20 * c, (cy - 10) * c, 44 * c - 1, (cy + 10) * c - 1], fill=INK)
        draw.ellipse([21 * c, (cy - 9) * c, 43 * c - 1, (cy + 9) * c - 1], fill=OFF_WHITE)
        draw.ellipse([32 * c, (cy - 6) * c, 42 * c - 1, (cy + 5) * c - 1], fill=CORAL)
        draw.ellipse([35 * c, (cy - 3) * c, 40 * c - 1, (cy + 2) * c - 1], fill=INK)
        draw.rectangle([20 * c, (cy - 10) * c, 44 * c - 1, (cy - 7) * c - 1], fill=PLUM)
    draw.rectangle([0, 0, image.width - 1, image.height - 1], outline=INK, width=c * 2)
    save_png(image, OPAQUE, "DeathWall")


def make_trigger_plate():
    """The strip that wakes the wall of doom: a floor one unit deep with warning stripes. At
    156 texels a unit, 160 texels hold its whole depth once."""
    w, h = 16, 40

    def colour_at(x, y):
        if x in (0, w - 1) or y in (0, h - 1):
            return INK
        if y <= 4:
            return SAND if ((x - 1) + y) % 7 < 4 else INK
        if y == 5:
            return CORAL
        if y >= h - 3:
            return NIGHT
        return NIGHT if ((x - 1) % 7, y % 9) in ((2, 3), (3, 3), (5, 7)) else DEEP
    image = Image.new("RGBA", (w, h), CLEAR)
    pixels = image.load()
    for y in range(h):
        for x in range(w):
            pixels[x, y] = colour_at(x, y)
    save_png(image.resize((w * PLATFORM_CHUNK, h * PLATFORM_CHUNK), Image.NEAREST), OPAQUE, "TriggerPlate")


def make_markers():
    image = Image.new("RGBA", (32, 32), CLEAR)
    draw = ImageDraw.Draw(image)
    draw.ellipse([2, 2, 29, 29], outline=MINT, width=3)
    draw.ellipse([11, 11, 20, 20], fill=TEAL)
    save_png(image, BLENDED, "PtpMarker")
    dot = Image.new("RGBA", (16, 16), CLEAR)
    ImageDraw.Draw(dot).ellipse([3, 3, 12, 12], fill=OFF_WHITE, outline=INK)
    save_png(dot, BLENDED, "ArcDot")


BACKDROP_BLOCKS = 128  # one texel a block, sliced at 33⅓ texels a unit: blocks match the player


def scattered(count, seed):
    """Fixed pseudo-random block positions (a small LCG), the same on every run."""
    state = seed
    points = []
    for _ in range(count):
        state = (state * 1103515245 + 12345) % 2 ** 31
        x = state % BACKDROP_BLOCKS
        state = (state * 1103515245 + 12345) % 2 ** 31
        points.append((x, state % BACKDROP_BLOCKS))
    return points


def make_backdrop():
    """A quiet night sky: dim specks, a few stars and two twinkles, kept dark so the level
    in front of it stands out. It repeats every 3.84 units."""
    n = BACKDROP_BLOCKS
    image = Image.new("RGBA", (n, n), NIGHT)
    draw = ImageDraw.Draw(image)
    for x, y in scattered(70, 11):
        draw.point((x, y), fill=DEEP)
    for x, y in scattered(14, 23):
        draw.point((x, y), fill=TEAL)
    for x, y in scattered(6, 37):
        draw.point((x, y), fill=OFF_WHITE)
        draw.point((x + 1, y), fill=MINT)
    for x, y in scattered(2, 41):
        x, y = min(max(x, 2), n - 3), min(max(y, 2), n - 3)
        draw.point([(x - 1, y), (x + 1, y), (x, y - 1), (x, y + 1)], fill=MINT)
        draw.point([(x - 2, y), (x + 2, y), (x, y - 2), (x, y + 2)], fill=DEEP)
        draw.point((x, y), fill=OFF_WHITE)
    save_png(image, OPAQUE, "Backdrop")


# ---------------------------------------------------------------- archetypes

def sliced(border, slice_type="REPEAT", scale=1.0):
    return {"border": {"left": border, "bottom": border, "right": border, "top": border},
            "scale": {"x": scale, "y": scale}, "Type": slice_type}


def tutorial_sign(name, texture):
    """A sign showing a control on the keyboard or on either gamepad family, whichever is in use."""
    return {"name": name, "TransformComp": {}, "Mesh": "quad", "Texture": texture, "Flags": ["TutorialButton"],
            "Animations": "DefaultButton"}


TUTORIAL_SIGNS = ("TutorialJump", "TutorialDash", "TutorialThrow", "TutorialTeleport")


def archetypes():
    body = {"Force Limits": {"x": 100, "y": MAX_FALL, "z": 100}, "Gravity": GRAVITY,
            "AirDrag": {"x": AIR_DRAG, "y": 0, "z": AIR_DRAG}}
    return [
        {"name": "Player", "TransformComp": {"scale": {"x": 1, "y": 1.5, "z": 1}}, "PhysicsComp": body,
         "Mesh": "quad", "Texture": "SpriteNoPackage", "Flags": ["player", "dynamic", "gravity"],
         "ColliderComp": {"friction": FRICTION},
         "StatsComp": {"Buffered Jump Max Timing": 100, "Buffered Dash Max Timing": 350, "Max Dash Charges": 1,
                       "Player Acceleration": RUN_PUSH, "Coyote Time Limit": 150, "Jumping Force": JUMP_FORCE,
                       "edge Smudge MarginX": 0.4, "edge Smudge MarginY": LEDGE_LIFT, "Dash Velocity": DASH_SPEED,
                       "Dash Duration": DASH_MS, "Dash Cooldown": 500},
         "Animations": "Player",
         "EmitterListComp": [{"Name": "PlayerDeath", "StartActive": False}, {"Name": "PImpact", "StartActive": False},
                             {"Name": "Dash", "StartActive": False}, {"Name": "Ptp", "StartActive": False},
                             {"Name": "Ptpe", "StartActive": False}]},
        {"name": "Package", "TransformComp": {"scale": {"x": PACKAGE_SIZE, "y": PACKAGE_SIZE, "z": 1}},
         "PhysicsComp": body, "Mesh": "quad", "Texture": "Package", "Flags": ["package", "dynamic", "gravity"],
         "ColliderComp": {"friction": PACKAGE_FRICTION},
         "EmitterListComp": [{"Name": "Pack", "StartActive": False}, {"Name": "PTrail", "StartActive": False},
                             {"Name": "TPBack", "StartActive": False}]},
        {"name": "PtpEntity", "TransformComp": {"scale": {"x": 0.8, "y": 0.8, "z": 1}}, "Mesh": "quad",
         "Texture": "PtpMarker", "Flags": ["ptpEntity"],
         "EmitterListComp": [{"Name": "Ptp", "StartActive": False}]},
        {"name": "Goal", "TransformComp": {}, "Mesh": "quad", "Texture": "Goal", "Flags": ["goal"],
         "ColliderComp": {}, "StatsComp": {}, "EmitterListComp": [{"Name": "GoalSparks", "StartActive": False}]},
        {"name": "Hazard", "TransformComp": {}, "Mesh": "quad", "Texture": "Hazard", "Flags": ["hazard"],
         "ColliderComp": {}, "EmitterListComp": [{"Name": "Hazard", "StartActive": True}],
         "TextureSlicerComp": sliced(0, "REPEAT", 1.6)},
        {"name": "EmitterEntity", "TransformComp": {}, "Flags": ["emitterEntity"], "EmitterListComp": []},
        {"name": "TestArc", "TransformComp": {"scale": {"x": 0.3, "y": 0.3, "z": 1}}, "Mesh": "quad",
         "Texture": "ArcDot"},
        {"name": "Ground", "TransformComp": {}, "Mesh": "quad", "Texture": "Ground", "Flags": ["ground"],
         "ColliderComp": {"friction": FRICTION}, "TextureSlicerComp": sliced(8, "REPEAT", 0.64)},
        {"name": "Wall", "TransformComp": {}, "Mesh": "quad", "Texture": "Wall", "Flags": ["wall"],
         "ColliderComp": {"friction": FRICTION}, "TextureSlicerComp": sliced(4, "REPEAT", 0.64)},
        {"name": "Backdrop", "TransformComp": {}, "Mesh": "quad", "Texture": "Backdrop",
         "TextureSlicerComp": sliced(0, "REPEAT", 1.5)},
        {"name": "Checkpoint", "TransformComp": {}, "Mesh": "quad", "Texture": "Checkpoint",
         "Flags": ["checkpoint"], "ColliderComp": {},
         "EmitterListComp": [{"Name": "Checkpoit", "StartActive": False}]},
        {"name": "Waypoint", "TransformComp": {}, "WaypointComp": {}},
        {"name": "MovingPlatform", "TransformComp": {}, "PhysicsComp": {}, "Mesh": "quad",
         "Texture": "MovingPlatform", "ColliderComp": {"friction": FRICTION},
         "MovingPlatformComp": {"TouchStart": False, "Moving": True},
         "TextureSlicerComp": sliced(4, "REPEAT", 0.32)},
        {"name": "BreakingPlatform", "TransformComp": {}, "Mesh": "quad", "Texture": "BreakingPlatform",
         "ColliderComp": {"friction": FRICTION},
         "BreakingPlatformComp": {"TimeTillBreak": 500, "TimeTillRespawn": 1200, "Type": "TIMED"},
         "TextureSlicerComp": sliced(4, "REPEAT", 0.32)},
        # The stats hold the wall's spawn point: a respawn puts it back there, out of sight.
        {"name": "DeathWall", "TransformComp": {}, "PhysicsComp": {}, "Mesh": "quad", "Texture": "DeathWall",
         "Flags": ["deathwall", "hazard"], "ColliderComp": {}, "StatsComp": {},
         "EmitterListComp": [{"Name": "Hazard", "StartActive": True}],
         "MovingPlatformComp": {"TouchStart": False, "Moving": False},
         "TextureSlicerComp": sliced(4, "REPEAT", 0.64)},
        {"name": "DeathWallTrigger", "TransformComp": {}, "Mesh": "quad", "Texture": "TriggerPlate",
         "TriggerComp": {"DeathWall": True}, "TextureSlicerComp": sliced(4, "REPEAT", 0.32)},
        {"name": "Firewall", "TransformComp": {}, "Mesh": "quad", "Texture": "Firewall", "Flags": ["firewall"],
         "ColliderComp": {}, "EmitterListComp": [{"Name": "Firewall", "StartActive": True}],
         "TextureSlicerComp": sliced(0, "REPEAT", 0.64)},
        tutorial_sign("TutorialButton", "ButtonDefault"),
    ] + [tutorial_sign(name, name) for name in TUTORIAL_SIGNS]


# ---------------------------------------------------------------- movement model

def throw_power():
    with open(PACKAGE_FILE) as source:
        return float(json.load(source)["throw power"])


def player_gravity(vy):
    """The engine's pull on the player: none past the fall limit, a third near the apex."""
    if vy <= -MAX_FALL:
        return 0.0
    return GRAVITY / 3.0 if abs(vy) < APEX_SPEED else GRAVITY


def running_speed():
    """The top speed on the ground: the push against the floor's friction."""
    v = 0.0
    for _ in range(500):
        v = (v + RUN_PUSH) * (1.0 - FRICTION)
    return v


def player_arc(jump, dash_at=None, headroom=None, steps=400):
    """Feet positions (forward, up) of a player who leaves a floor edge at running speed
    holding forward: jumping or walking off, dashing dash_at steps in (None: never). A ceiling
    headroom units above the floor stops the head."""
    x = y = 0.0
    vx, vy = running_speed(), 0.0
    dash_left = 0
    points = []
    for step in range(steps):
        if step == dash_at:
            dash_left = DASH_MS // STEP_MS
        if dash_left:
            # The dash sets its speed every step; gravity still pulls within the step.
            vx, vy = DASH_SPEED, player_gravity(0.0)
        else:
            vy += (JUMP_FORCE if jump and step == 0 else 0.0) + player_gravity(vy)
            vx = (vx + RUN_PUSH * AIR_PUSH_SHARE) * (1.0 - AIR_DRAG)
        x += vx
        y += vy
        if headroom is not None and y + PLAYER_SIZE[1] > headroom:
            y = headroom - PLAYER_SIZE[1]
            vy = min(vy, 0.0)
        if dash_left:
            dash_left -= 1
            if not dash_left:
                # A dash ends dead still, even in the air.
                vx = vy = 0.0
        points.append((x, y))
    return points


def arcs_for(move, headroom):
    if move == "jump":
        return [player_arc(jump, None, headroom) for jump in (True, False)]
    return [player_arc(jump, at, headroom) for jump in (True, False) for at in range(0, 80, 2)]


def package_arc(angle, headroom):
    """Centre positions (forward, up from the player's feet) of the package thrown from the
    player's centre at angle degrees; it stops at the first ceiling it meets."""
    power = throw_power()
    x, y = 0.0, PLAYER_SIZE[1] / 2.0
    vx, vy = power * math.cos(math.radians(angle)), power * math.sin(math.radians(angle))
    points = []
    for _ in range(400):
        if vy > -MAX_FALL:
            vy += GRAVITY
        vx *= 1.0 - AIR_DRAG
        x += vx
        y += vy
        if headroom is not None and y + PACKAGE_SIZE / 2.0 > headroom:
            break
        points.append((x, y, vx))
    return points


def package_slide(vx):
    """How far a package that lands at vx slides on a floor."""
    k = (FRICTION + PACKAGE_FRICTION) / 2.0
    distance = 0.0
    while vx > 0.0005:
        vx *= 1.0 - k
        distance += vx
    return distance


def can_hop(move, gap, rise, from_width, to_width, headroom, margin=MARGIN):
    """Whether a player standing on a floor can reach the next one gap units ahead (negative:
    the next floor overhangs this one) and rise units higher, with the given move.

    The model steps the engine's physics for the player alone: run to the edge at top speed,
    then jump or walk off, holding forward, with a dash started at any even step (dash). The
    player may always move slower than the arc, so the hop works when some arc has the feet
    margin above the next floor's top, less the ledge lift, once the body's centre is half a
    body past its edge. A negative margin asks whether the move surely cannot make it.
    A throw tries every half degree from every half-unit back from the edge: the package
    must pass the next floor's edge above its top and come to rest on it, where the player
    teleports. A ceiling over the hop cuts every arc. Other obstacles, walls and fire walls
    are not modelled: the level's author keeps them out of the way of the arcs."""
    if move == "throw":
        return can_throw(gap, rise, from_width, to_width, headroom)
    need = gap + PLAYER_SIZE[0]
    return any(y >= rise - LEDGE_LIFT + margin and x >= need for arc in arcs_for(move, headroom) for x, y in arc)


def can_throw(gap, rise, from_width, to_width, headroom):
    return throw_window(gap, rise, from_width, to_width, headroom)[0] > 0.0


def throw_lands(arc, back, gap, rise, to_width):
    """Whether a package flying along arc, thrown back units behind the player's edge spot,
    crosses the next floor's edge above its top and comes to rest on it."""
    half = PACKAGE_SIZE / 2.0
    edge = gap + PLAYER_SIZE[0] / 2.0 + back
    crossing = next((p for p in arc if p[0] + half >= edge), None)
    landing = next((p for p in arc if p[0] + half >= edge and p[1] - half <= rise), None)
    if not (crossing and landing and crossing[1] - half >= rise + MARGIN):
        return False
    rest = landing[0] + package_slide(landing[2])
    return edge + half <= landing[0] and rest <= edge + to_width - half - PLAYER_SIZE[0] / 2.0


def throw_window(gap, rise, from_width, to_width, headroom):
    """The landing window of a throw hop: (degrees either side of the middle aim, that
    middle aim, how far back from the floor's edge the player stands). It is the widest run
    of aims, tried AIMS_PER_DEGREE to a degree, that all land from one spot (tried every half
    unit back); a hop no aim lands gives a window of 0."""
    aims = [step / AIMS_PER_DEGREE for step in range(90 * AIMS_PER_DEGREE)]
    arcs = [package_arc(aim, headroom) for aim in aims]
    best = (0.0, 0.0, 0.0)
    for spot in range(int(2 * (from_width - PLAYER_SIZE[0])) + 1):
        back = spot / 2.0
        first = None
        for aim, arc in zip(aims, arcs):
            if not throw_lands(arc, back, gap, rise, to_width):
                first = None
                continue
            first = aim if first is None else first
            # Each aim stands for the half-step of aim either side of it.
            best = max(best, ((aim - first + 1.0 / AIMS_PER_DEGREE) / 2.0, (aim + first) / 2.0, back))
    return best


def jump_height():
    """Peak rise of the feet in a standing jump."""
    return max(y for _, y in player_arc(True))


# ---------------------------------------------------------------- levels

SIGN_SIZE = 2.0
MOVING_PLATFORM_HEIGHT = 0.5
# The solid kinds a sign must stay clear of.
SOLIDS = ("Ground", "Wall", "MovingPlatform", "BreakingPlatform", "Firewall", "Hazard", "Goal", "Checkpoint")


class Level:
    """Objects in level units: (x, y) is the top-left corner and y grows downwards.

    The route is the list of surfaces the player stands on from start to goal, each with the
    move that reaches it from the one before ("jump", "dash", "throw" for throw and teleport,
    "ride" for where a moving platform carries the player). A move must have been taught
    (teach) earlier in this level or in a level before it."""

    def __init__(self, name, kill_plane, taught=()):
        self.name = name
        self.kill_plane = kill_plane
        self.taught = set(taught)
        self.background = []
        self.objects = []
        self.route = []

    def add(self, kind, x, y, w, h, **props):
        obj = {"type": kind, "x": x, "y": y, "width": w, "height": h}
        if props:
            obj["properties"] = [{"name": k, "type": type_name(v), "value": v} for k, v in props.items()]
        self.objects.append(obj)
        return obj

    def floor(self, kind, x, y, w, h=1.0, move="jump", headroom=None, **props):
        """A surface of the route, reached from the one before with move; headroom is the
        height of a ceiling over the hop."""
        self.route.append({"x": x, "y": y, "w": w, "move": move, "headroom": headroom,
                           "taught": frozenset(self.taught)})
        return self.add(kind, x, y, w, h, **props)

    def ride_to(self, x, y, w):
        """Where a moving platform of the route carries the player."""
        self.route.append({"x": x, "y": y, "w": w, "move": "ride", "headroom": None,
                           "taught": frozenset(self.taught)})

    def teach(self, move, sign=None, x=0.0, floor_y=0.0):
        """From here on the route may use move; its sign stands at x, over the floor at floor_y."""
        assert move in MOVES, move
        if sign:
            self.sign(sign, x, floor_y)
        self.taught.add(move)

    def sign(self, kind, x, floor_y):
        self.add(kind, x, floor_y - PLAYER_SIZE[1] - 0.5 - SIGN_SIZE, SIGN_SIZE, SIGN_SIZE)

    def backdrop(self, x, y, w, h):
        self.background.append({"type": "Backdrop", "x": x, "y": y, "width": w, "height": h})

    def length(self):
        return max(hop["x"] + hop["w"] for hop in self.route) - min(hop["x"] for hop in self.route)

    def entity_count(self):
        return len(self.objects) + len(self.background)

    def check(self):
        for before, hop in zip(self.route, self.route[1:]):
            where = "%s: hop to x %.1f by %s" % (self.name, hop["x"], hop["move"])
            assert hop["move"] in hop["taught"], where + " before it is taught"
            if hop["move"] == "ride":
                assert self.has_stop(hop), where + " ends where no waypoint stops a platform"
                continue
            gap = hop["x"] - (before["x"] + before["w"])
            rise = before["y"] - hop["y"]
            assert can_hop(hop["move"], gap, rise, before["w"], hop["w"], hop["headroom"]), \
                "%s is out of reach (gap %.1f, rise %.1f)" % (where, gap, rise)
            if hop["move"] == "throw":
                self.check_throw(where, gap, rise, before, hop)
        lowest = max(obj["y"] + obj["height"] for obj in self.objects)
        assert -self.kill_plane > lowest, "%s: kill plane above the lowest floor" % self.name
        for sign in (obj for obj in self.objects if obj["type"].startswith("Tutorial")):
            for other in (obj for obj in self.objects if obj["type"] in SOLIDS):
                assert not overlap(sign, other), "%s: sign at x %.1f covers a %s" % (self.name, sign["x"],
                                                                                  other["type"])

    def check_throw(self, where, gap, rise, before, hop):
        """A throw hop teaches the throw only if nothing else makes it, and a rough aim lands."""
        for move in ("jump", "dash"):
            assert not can_hop(move, gap, rise, before["w"], hop["w"], hop["headroom"], -MARGIN), \
                "%s could be made by a %s" % (where, move)
        window = throw_window(gap, rise, before["w"], hop["w"], hop["headroom"])[0]
        assert window >= THROW_WINDOW, "%s lands from an aim of only +-%.1f degrees" % (where, window)

    def has_stop(self, ride):
        """Whether a waypoint holds the centre of a platform whose top is where the ride ends."""
        centre = (ride["x"] + ride["w"] / 2.0, ride["y"] + MOVING_PLATFORM_HEIGHT / 2.0)
        return any(abs(obj["x"] + obj["width"] / 2.0 - centre[0]) < 1e-6 and
                   abs(obj["y"] + obj["height"] / 2.0 - centre[1]) < 1e-6
                   for obj in self.objects if obj["type"] == "Waypoint")

    def write(self):
        self.check()
        layers = [
            {"name": "Background", "objects": self.background,
             "properties": [{"name": "Depth", "type": "float", "value": -2.0}]},
            {"name": "Main", "objects": self.objects,
             "properties": [{"name": "Depth", "type": "float", "value": 0.0},
                            {"name": "KillPlane", "type": "float", "value": self.kill_plane}]},
        ]
        os.makedirs(SCENES, exist_ok=True)
        with open(os.path.join(SCENES, self.name + ".json"), "w") as out:
            json.dump({"layers": layers}, out, indent=1)
            out.write("\n")


def overlap(a, b):
    return (a["x"] < b["x"] + b["width"] and b["x"] < a["x"] + a["width"] and
            a["y"] < b["y"] + b["height"] and b["y"] < a["y"] + a["height"])


def type_name(value):
    if isinstance(value, bool):
        return "bool"
    if isinstance(value, int):
        return "int"
    if isinstance(value, float):
        return "float"
    return "string"


def waypoint(level, number, following, speed, x, y):
    level.add("Waypoint", x, y, 0.5, 0.5, WaypointID=number, NextWaypointID=following, Speed=speed)


def platform_route(level, first, centres, speed):
    """A loop of waypoints through the given centres, numbered from first."""
    for i, (x, y) in enumerate(centres):
        following = first + (i + 1) % len(centres)
        waypoint(level, first + i, following, speed, x - 0.25, y - 0.25)


def death_wall(level, legs, first=30):
    """The death wall waits out of sight high above the first waypoint and, once triggered,
    follows the waypoints numbered from first: legs are (centre x, centre y, speed of the
    leg that starts there). The last waypoint points at itself, so the wall stops there. A
    respawn sends the wall back to where it waits, and the trigger then starts it towards
    waypoint 32 at the engine's restart speed, so the route has to pass 32."""
    assert len(legs) > 32 - first, "the death wall's route must pass waypoint 32"
    width, height = 2.0, 16.0
    x0, y0, speed0 = legs[0]
    level.add("DeathWall", x0 - width / 2, y0 - 30.0, width, height, TargetWaypointID=first, TargetSpeed=speed0)
    for i, (x, y, speed) in enumerate(legs):
        number = first + i
        following = number + 1 if i + 1 < len(legs) else number
        waypoint(level, number, following, speed, x - 0.25, y - 0.25)


def test_map():
    level = Level("Test Map", kill_plane=-30.0, taught=MOVES)
    level.backdrop(-10, -12, 60, 26)
    level.add("Player", 1.5, 5.5, 1.0, 1.5)
    level.floor("BreakingPlatform", 0, 7, 4, 0.5)
    level.floor("Ground", -6, 11, 36, 2)
    level.add("Wall", -7, -2, 1, 15)
    level.add("Wall", 30, -2, 1, 15)
    level.floor("MovingPlatform", 6, 8, 3, 0.5, TargetWaypointID=1, TargetSpeed=0.05)
    waypoint(level, 1, 2, 0.05, 7.25, 8.0)
    waypoint(level, 2, 1, 0.05, 13.25, 8.0)
    level.add("Checkpoint", 16, 9, 1, 2)
    level.add("Hazard", 19, 10.5, 2, 0.5)
    level.add("TutorialButton", 2, 1, 1.5, 1.5)
    level.add("Goal", 26, 8.5, 2, 2.5, NextLevel="Level1")
    return level


def checkpoint(level, x, floor_y):
    level.add("Checkpoint", x, floor_y - 2.0, 1, 2)


def goal(level, x, floor_y, following):
    level.add("Goal", x, floor_y - 2.5, 2, 2.5, NextLevel=following)


def level_one(taught):
    """Running and jumping, then the dash under low ceilings."""
    level = Level("Level1", kill_plane=-32.0, taught=taught)
    level.backdrop(-20, -24, 200, 50)
    level.add("Wall", -3, -12, 1, 26)
    level.add("Player", 1, 8.5, 1.0, 1.5)
    # Steps up, then a dip that only costs a jump back out.
    level.teach("jump", "TutorialJump", 11, 10)
    level.floor("Ground", -2, 10, 20, 4)
    level.floor("Ground", 18, 8.5, 10, 5.5)
    level.floor("Ground", 28, 6.5, 10, 7.5)
    level.add("Ground", 38, 8.5, 4, 5.5)
    level.floor("Ground", 42, 6.5, 10, 7.5)
    checkpoint(level, 47, 6.5)
    # Gaps over the void, each a little higher.
    level.floor("Ground", 58, 7.5, 6, 6.5)
    level.floor("Ground", 70, 5, 6, 9)
    level.floor("Ground", 81, 1.5, 14, 12.5)
    checkpoint(level, 83, 1.5)
    # The dash: a gap under a ceiling too low to jump across; the first one has a floor below.
    level.teach("dash", "TutorialDash", 86.5, 1.5)
    level.add("Wall", 90, -12, 14, 10.9)
    level.add("Ground", 95, 3, 5, 11)
    level.floor("Ground", 100, 1.5, 12, 12.5, move="dash", headroom=2.6)
    checkpoint(level, 105, 1.5)
    level.add("Wall", 109, -12, 16, 10.9)
    level.floor("Ground", 119, 1.5, 12, 12.5, move="dash", headroom=2.6)
    level.floor("Ground", 136, -1.5, 6, 15.5)
    level.floor("Ground", 146, -3.5, 16, 17.5)
    goal(level, 156, -3.5, "Level2")
    level.add("Wall", 162, -24, 1, 38)
    return level


def level_two(taught):
    """Throwing the package and teleporting to it, then moving and breaking platforms."""
    level = Level("Level2", kill_plane=-34.0, taught=taught)
    level.backdrop(-20, -52, 190, 76)
    level.add("Wall", -3, -14, 1, 28)
    level.add("Player", 1, 8.5, 1.0, 1.5)
    # A ledge too high to jump, even with the lift onto a ledge: a missed throw just falls back.
    level.teach("throw", "TutorialThrow", 8, 10)
    level.sign("TutorialTeleport", 12, 10)
    level.floor("Ground", -2, 10, 22, 4)
    level.floor("Ground", 20, 3.75, 12, 10.25, move="throw")
    checkpoint(level, 27, 3.75)
    # Across the void and up.
    level.floor("Ground", 36, -2.5, 12, 16.5, move="throw")
    # A lift up a cliff, with a floor under it.
    level.teach("ride")
    level.add("Ground", 48, -2, 3, 16)
    level.floor("MovingPlatform", 48, -2.5, 3, 0.5, TargetWaypointID=1, TargetSpeed=0.05, Moving=False,
                TouchStart=True)
    platform_route(level, 1, [(49.5, -2.25), (49.5, -13.75)], 0.05)
    level.ride_to(48, -14, 3)
    level.floor("Ground", 51, -12, 29, 26)
    checkpoint(level, 54, -12)
    # Crumbling steps over the floor.
    level.floor("BreakingPlatform", 60, -14.5, 3, 0.5)
    level.floor("BreakingPlatform", 65, -17, 3, 0.5)
    level.floor("BreakingPlatform", 70, -19.5, 3, 0.5)
    level.floor("Ground", 75, -22, 20, 4)
    checkpoint(level, 78, -22)
    # Over the void: a platform up and across, then crumbling steps.
    level.floor("MovingPlatform", 97, -22, 3, 0.5, TargetWaypointID=3, TargetSpeed=0.05, Moving=False,
                TouchStart=True)
    platform_route(level, 3, [(98.5, -21.75), (113.5, -27.75)], 0.05)
    level.ride_to(112, -28, 3)
    level.floor("BreakingPlatform", 118, -30, 3, 0.5)
    level.floor("BreakingPlatform", 124, -32.5, 3, 0.5)
    level.floor("Ground", 130, -35, 16, 6)
    goal(level, 140, -35, "Level3")
    level.add("Wall", 146, -52, 1, 23)
    return level


def level_three(taught):
    """Hazards and fire walls, then the death wall's chase."""
    level = Level("Level3", kill_plane=-30.0, taught=taught)
    level.backdrop(-20, -30, 210, 56)
    level.add("Wall", -3, -12, 1, 26)
    level.add("Player", 1, 8.5, 1.0, 1.5)
    # Spikes on the floor, then a pit of them: the start is close.
    level.floor("Ground", -2, 10, 24, 4)
    level.add("Hazard", 11, 9.5, 2, 0.5)
    level.add("Ground", 22, 13, 4, 1)
    level.add("Hazard", 22, 12.5, 4, 0.5)
    level.floor("Ground", 26, 9, 10, 5)
    checkpoint(level, 32, 9)
    # A fire wall: only a dash gets through.
    level.sign("TutorialDash", 29, 9)
    level.add("Firewall", 36.5, 1, 2, 13)
    level.floor("Ground", 39, 9, 12, 5, move="dash")
    checkpoint(level, 42, 9)
    level.floor("Ground", 56, 7, 8, 7)
    level.add("Hazard", 59, 6.5, 2, 0.5)
    level.floor("Ground", 69, 7, 8, 7)
    level.add("Firewall", 77.5, -1, 2, 15)
    level.floor("Ground", 80, 7, 14, 7, move="dash")
    checkpoint(level, 82, 7)
    # The chase: the plate wakes the death wall behind the player.
    level.floor("DeathWallTrigger", 94, 7, 3, 1)
    level.floor("Ground", 97, 7, 10, 7)
    level.floor("Ground", 111, 5, 6, 9)
    level.add("Ground", 107, 12, 4, 2)
    level.add("Hazard", 107, 11.5, 4, 0.5)
    level.floor("Ground", 121, 5, 8, 9)
    level.add("Hazard", 124, 4.5, 1.5, 0.5)
    level.add("Firewall", 129.5, -3, 2, 17)
    level.floor("Ground", 132, 5, 10, 9, move="dash")
    level.floor("Ground", 146, 3, 18, 11)
    goal(level, 158, 3, "")
    level.add("Wall", 164, -26, 1, 40)
    death_wall(level, [(88, -20, 0.4), (88, -6, 0.4), (88, -1, 0.09), (105, -1, 0.09), (125, -3, 0.09),
                       (146, -3, 0.09)])
    return level


def main():
    for make in (make_ground, make_wall, make_moving_platform, make_breaking_platform, make_hazard,
                 make_checkpoint, make_goal, make_package, make_firewall, make_death_wall, make_trigger_plate,
                 make_markers, make_backdrop):
        make()
    with open(ENTITY_FILE, "w") as out:
        json.dump(archetypes(), out, indent=1)
        out.write("\n")
    levels = [test_map()]
    taught = set()
    for make in (level_one, level_two, level_three):
        levels.append(make(taught))
        taught = levels[-1].taught
    for level in levels:
        level.write()
    print("jump height %.2f units; wrote %s" % (jump_height(), ENTITY_FILE))
    for level in levels[1:]:
        print("%s: route %.0f units long, %d entities" % (level.name, level.length(), level.entity_count()))


if __name__ == "__main__":
    main()
