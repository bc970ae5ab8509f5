#!/usr/bin/python3
"""Generates the world's assets: the textures of the level objects, the archetype file
assets/Entity.json and the level files under assets/scenes/ ("Test Map", "Level1" to "Level3").

Levels are laid out in code so that every gap and ledge is checked against the jump the
physics constants allow before a file is written.

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

# Physics constants the levels must respect (per 10 ms step).
GRAVITY = -0.006
JUMP_FORCE = 0.25
APEX_SPEED = 0.04
PLAYER_SIZE = (1.0, 1.5)
# Share of the full jump height a ledge may ask for, and the widest gap between floors.
MAX_RISE_SHARE = 0.7
MAX_GAP = 4.0


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


BACKDROP_BLOCKS = 128
BACKDROP_CHUNK = 3  # the backdrop is sliced at 100 texels a unit: blocks of three match the player


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
    save_png(image.resize((n * BACKDROP_CHUNK, n * BACKDROP_CHUNK), Image.NEAREST), OPAQUE, "Backdrop")


# ---------------------------------------------------------------- archetypes

def sliced(border, slice_type="REPEAT", scale=1.0):
    return {"border": {"left": border, "bottom": border, "right": border, "top": border},
            "scale": {"x": scale, "y": scale}, "Type": slice_type}


def archetypes():
    body = {"Force Limits": {"x": 100, "y": 0.6, "z": 100}, "Gravity": GRAVITY,
            "AirDrag": {"x": 0.01, "y": 0, "z": 0.01}}
    return [
        {"name": "Player", "TransformComp": {"scale": {"x": 1, "y": 1.5, "z": 1}}, "PhysicsComp": body,
         "Mesh": "quad", "Texture": "SpriteNoPackage", "Flags": ["player", "dynamic", "gravity"],
         "ColliderComp": {"friction": 0.07},
         "StatsComp": {"Buffered Jump Max Timing": 100, "Buffered Dash Max Timing": 350, "Max Dash Charges": 1,
                       "Player Acceleration": 0.01, "Coyote Time Limit": 150, "Jumping Force": JUMP_FORCE,
                       "edge Smudge MarginX": 0.4, "edge Smudge MarginY": 0.5, "Dash Velocity": 0.5,
                       "Dash Duration": 200, "Dash Cooldown": 500},
         "Animations": "Player",
         "EmitterListComp": [{"Name": "PlayerDeath", "StartActive": False}, {"Name": "PImpact", "StartActive": False},
                             {"Name": "Dash", "StartActive": False}, {"Name": "Ptp", "StartActive": False},
                             {"Name": "Ptpe", "StartActive": False}]},
        {"name": "Package", "TransformComp": {"scale": {"x": 0.6, "y": 0.6, "z": 1}}, "PhysicsComp": body,
         "Mesh": "quad", "Texture": "Package", "Flags": ["package", "dynamic", "gravity"],
         "ColliderComp": {"friction": 0.2},
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
         "ColliderComp": {"friction": 0.07}, "TextureSlicerComp": sliced(8, "REPEAT", 0.64)},
        {"name": "Wall", "TransformComp": {}, "Mesh": "quad", "Texture": "Wall", "Flags": ["wall"],
         "ColliderComp": {"friction": 0.07}, "TextureSlicerComp": sliced(4, "REPEAT", 0.64)},
        {"name": "Backdrop", "TransformComp": {}, "Mesh": "quad", "Texture": "Backdrop",
         "TextureSlicerComp": sliced(0, "REPEAT", 0.5)},
        {"name": "Checkpoint", "TransformComp": {}, "Mesh": "quad", "Texture": "Checkpoint",
         "Flags": ["checkpoint"], "ColliderComp": {},
         "EmitterListComp": [{"Name": "Checkpoit", "StartActive": False}]},
        {"name": "Waypoint", "TransformComp": {}, "WaypointComp": {}},
        {"name": "MovingPlatform", "TransformComp": {}, "PhysicsComp": {}, "Mesh": "quad",
         "Texture": "MovingPlatform", "ColliderComp": {"friction": 0.07},
         "MovingPlatformComp": {"TouchStart": False, "Moving": True},
         "TextureSlicerComp": sliced(4, "REPEAT", 0.32)},
        {"name": "BreakingPlatform", "TransformComp": {}, "Mesh": "quad", "Texture": "BreakingPlatform",
         "ColliderComp": {"friction": 0.07},
         "BreakingPlatformComp": {"TimeTillBreak": 500, "TimeTillRespawn": 1200, "Type": "TIMED"},
         "TextureSlicerComp": sliced(4, "REPEAT", 0.32)},
        {"name": "DeathWall", "TransformComp": {}, "PhysicsComp": {}, "Mesh": "quad", "Texture": "DeathWall",
         "Flags": ["deathwall", "hazard"], "ColliderComp": {},
         "EmitterListComp": [{"Name": "Hazard", "StartActive": True}],
         "MovingPlatformComp": {"TouchStart": False, "Moving": False},
         "TextureSlicerComp": sliced(4, "REPEAT", 0.64)},
        {"name": "DeathWallTrigger", "TransformComp": {}, "Mesh": "quad", "Texture": "TriggerPlate",
         "TriggerComp": {"DeathWall": True}, "TextureSlicerComp": sliced(4, "REPEAT", 0.32)},
        {"name": "Firewall", "TransformComp": {}, "Mesh": "quad", "Texture": "Firewall", "Flags": ["firewall"],
         "ColliderComp": {}, "EmitterListComp": [{"Name": "Firewall", "StartActive": True}],
         "TextureSlicerComp": sliced(0, "REPEAT", 0.64)},
        {"name": "TutorialButton", "TransformComp": {}, "Mesh": "quad", "Texture": "ButtonDefault",
         "Flags": ["TutorialButton"], "Animations": "DefaultButton"},
    ]


# ---------------------------------------------------------------- levels

def jump_height():
    """Peak rise of a standing jump, stepping the physics as the engine does."""
    v, y, peak = 0.0, 0.0, 0.0
    accel = JUMP_FORCE
    for _ in range(1000):
        # Gravity is a third as strong while the vertical speed is near zero.
        g = GRAVITY / 3.0 if abs(v) < APEX_SPEED else GRAVITY
        v += accel + g
        accel = 0.0
        y += v
        peak = max(peak, y)
        if v < 0 and y < peak:
            break
    return peak


class Level:
    """Objects in level units: (x, y) is the top-left corner and y grows downwards."""

    def __init__(self, name, kill_plane):
        self.name = name
        self.kill_plane = kill_plane
        self.background = []
        self.objects = []
        self.route = []

    def add(self, kind, x, y, w, h, **props):
        obj = {"type": kind, "x": x, "y": y, "width": w, "height": h}
        if props:
            obj["properties"] = [{"name": k, "type": type_name(v), "value": v} for k, v in props.items()]
        self.objects.append(obj)
        return obj

    def floor(self, kind, x, y, w, h=1.0, **props):
        """A surface of the main route: checked against its neighbours for reach."""
        self.route.append((x, y, w, False))
        return self.add(kind, x, y, w, h, **props)

    def ride_to(self, x, y, w):
        """Where a moving platform of the route carries the player: the next floor is judged
        from there."""
        self.route.append((x, y, w, True))

    def backdrop(self, x, y, w, h):
        self.background.append({"type": "Backdrop", "x": x, "y": y, "width": w, "height": h})

    def check(self):
        reach = jump_height() * MAX_RISE_SHARE
        for (x0, y0, w0, _), (x1, y1, _, ridden) in zip(self.route, self.route[1:]):
            if ridden:
                continue
            gap = x1 - (x0 + w0)
            rise = y0 - y1
            assert gap <= MAX_GAP, "%s: gap %.1f after x %.1f" % (self.name, gap, x0)
            assert rise <= reach, "%s: ledge %.1f high at x %.1f (reach %.2f)" % (self.name, rise, x1, reach)
        lowest = max(obj["y"] + obj["height"] for obj in self.objects)
        assert -self.kill_plane > lowest, "%s: kill plane above the lowest floor" % self.name

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


def death_wall(level, start, centres, speed, first=30):
    """The death wall waits out of sight above start (its centre x) and, once triggered, drops
    onto the route of waypoint centres numbered from first and chases along it. The last
    waypoint points at itself, so the wall stops there."""
    width, height = 2.0, 16.0
    level.add("DeathWall", start - width / 2, -30.0, width, height, TargetWaypointID=first, TargetSpeed=speed)
    for i, (x, y) in enumerate(centres):
        number = first + i
        following = number + 1 if i + 1 < len(centres) else number
        waypoint(level, number, following, speed, x - 0.25, y - 0.25)


def test_map():
    level = Level("Test Map", kill_plane=-30.0)
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


def level_one():
    level = Level("Level1", kill_plane=-24.0)
    level.backdrop(-20, -14, 130, 32)
    level.add("Wall", -3, -4, 1, 16)
    level.add("Player", 1, 7, 1.0, 1.5)
    level.add("TutorialButton", 3, 4, 1.5, 1.5)
    level.floor("Ground", -2, 9, 14, 3)
    level.floor("Ground", 15, 8, 6, 4)
    level.add("Hazard", 12, 11.5, 3, 0.5)
    level.add("Checkpoint", 18, 6, 1, 2)
    level.floor("BreakingPlatform", 23, 7, 3, 0.5)
    level.floor("Ground", 29, 6, 8, 6)
    level.add("Firewall", 33, 2, 1, 4)
    level.floor("MovingPlatform", 38, 6, 3, 0.5, TargetWaypointID=1, TargetSpeed=0.04)
    level.ride_to(44, 6, 3)
    waypoint(level, 1, 2, 0.04, 39.25, 6.0)
    waypoint(level, 2, 1, 0.04, 45.25, 6.0)
    level.floor("Ground", 49, 6, 10, 6)
    level.add("Checkpoint", 52, 4, 1, 2)
    level.floor("DeathWallTrigger", 59, 6, 3, 1)
    level.floor("Ground", 62, 6, 12, 6)
    death_wall(level, 52, [(52, -2), (65, -2), (81, -2), (101, -2)], 0.06)
    level.floor("Ground", 77, 4, 6, 8)
    level.add("Hazard", 74, 11.5, 3, 0.5)
    level.floor("Ground", 85, 3, 14, 9)
    level.add("Wall", 99, -6, 1, 18)
    level.add("Goal", 94, 0.5, 2, 2.5, NextLevel="Level2")
    return level


def level_two():
    level = Level("Level2", kill_plane=-30.0)
    level.backdrop(-20, -20, 140, 40)
    level.add("Wall", -3, -10, 1, 24)
    level.add("Player", 1, 9, 1.0, 1.5)
    level.add("TutorialButton", 4, 6, 1.5, 1.5)
    level.floor("Ground", -2, 11, 10, 3)
    level.floor("BreakingPlatform", 10, 9, 3, 0.5)
    level.floor("BreakingPlatform", 16, 7, 3, 0.5)
    level.floor("Ground", 22, 6, 8, 8)
    level.add("Checkpoint", 26, 4, 1, 2)
    level.add("Firewall", 29, 1, 1, 5)
    level.floor("MovingPlatform", 33, 6, 3, 0.5, TargetWaypointID=1, TargetSpeed=0.05, Moving=False,
                TouchStart=True)
    level.ride_to(41, 1, 3)
    waypoint(level, 1, 2, 0.05, 34.25, 6.0)
    waypoint(level, 2, 3, 0.04, 34.25, 1.0)
    waypoint(level, 3, 1, 0.05, 42.25, 1.0)
    level.floor("Ground", 45, 1, 10, 13)
    level.add("Hazard", 36, 13.5, 9, 0.5)
    level.add("Checkpoint", 48, -1, 1, 2)
    level.floor("DeathWallTrigger", 55, 1, 3, 1)
    level.floor("Ground", 58, 1, 10, 13)
    death_wall(level, 47, [(47, -7), (60, -7), (75, -7), (101, -7)], 0.07)
    level.floor("BreakingPlatform", 71, 0, 3, 0.5)
    level.floor("Ground", 77, -1, 6, 15)
    level.add("Hazard", 68, 13.5, 9, 0.5)
    level.floor("Ground", 86, -2, 14, 16)
    level.add("Wall", 100, -12, 1, 26)
    level.add("Goal", 95, -4.5, 2, 2.5, NextLevel="Level3")
    return level


def level_three():
    level = Level("Level3", kill_plane=-36.0)
    level.backdrop(-20, -24, 150, 48)
    level.add("Wall", -3, -14, 1, 30)
    level.add("Player", 1, 12, 1.0, 1.5)
    level.add("TutorialButton", 4, 9, 1.5, 1.5)
    level.floor("Ground", -2, 14, 9, 3)
    level.floor("MovingPlatform", 9, 13, 3, 0.5, TargetWaypointID=1, TargetSpeed=0.05)
    level.ride_to(15, 13, 3)
    waypoint(level, 1, 2, 0.05, 10.25, 13.0)
    waypoint(level, 2, 1, 0.05, 16.25, 13.0)
    level.floor("Ground", 21, 12, 6, 5)
    level.add("Hazard", 12, 16.5, 9, 0.5)
    level.add("Firewall", 25, 8, 1, 4)
    level.add("Checkpoint", 22, 10, 1, 2)
    level.floor("BreakingPlatform", 29, 10, 2, 0.5)
    level.floor("BreakingPlatform", 33, 8, 2, 0.5)
    level.floor("BreakingPlatform", 37, 6, 2, 0.5)
    level.floor("Ground", 41, 5, 8, 12)
    level.add("Checkpoint", 45, 3, 1, 2)
    level.floor("DeathWallTrigger", 49, 5, 3, 1)
    level.floor("Ground", 52, 5, 6, 12)
    death_wall(level, 42, [(42, -3), (55, -3), (70, -3), (85, -3), (105, -3)], 0.075)
    level.floor("MovingPlatform", 61, 5, 3, 0.5, TargetWaypointID=4, TargetSpeed=0.06, Moving=False,
                TouchStart=True)
    level.ride_to(69, 2, 3)
    waypoint(level, 4, 5, 0.06, 62.25, 5.0)
    waypoint(level, 5, 4, 0.06, 70.25, 2.0)
    level.add("Hazard", 58, 16.5, 17, 0.5)
    level.floor("Ground", 75, 2, 6, 15)
    level.add("Firewall", 78, -2, 1, 4)
    level.floor("BreakingPlatform", 84, 1, 2, 0.5)
    level.floor("Ground", 89, 0, 14, 17)
    level.add("Wall", 103, -14, 1, 31)
    level.add("Goal", 98, -2.5, 2, 2.5, NextLevel="")
    return level


def main():
    for make in (make_ground, make_wall, make_moving_platform, make_breaking_platform, make_hazard,
                 make_checkpoint, make_goal, make_package, make_firewall, make_death_wall, make_trigger_plate,
                 make_markers, make_backdrop):
        make()
    with open(ENTITY_FILE, "w") as out:
        json.dump(archetypes(), out, indent=1)
        out.write("\n")
    for level in (test_map(), level_one(), level_two(), level_three()):
        level.write()
    print("jump height %.2f units; wrote %s and 4 levels" % (jump_height(), ENTITY_FILE))


if __name__ == "__main__":
    main()
