#!/usr/bin/env python3
"""Generates the particle sprites under assets/textures/blended and the emitter archetype
file assets/ParticleEmitter.json.

The archetype file is written in the same form the emitter editor's export writes (keys
sorted, four-space indent, 32-bit floats widened to double), so exporting it again from the
game changes nothing. Run from anywhere: /usr/bin/python3 tools/make_particle_assets.py
"""

import json
import math
import os
import struct

from PIL import Image, ImageDraw, ImageFilter

from palette import CLEAR, CORAL, INK, MINT, OFF_WHITE, PLUM, SAND, TEAL, save_png, with_alpha

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BLENDED = os.path.join(ROOT, "assets", "textures", "blended")
EMITTER_FILE = os.path.join(ROOT, "assets", "ParticleEmitter.json")

SIZE = 32
# Shapes are drawn four times larger and scaled down, which gives clean soft edges.
SUPER = 4


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


def radial(inner, outer, falloff):
    """A round soft sprite: colour from inner to outer, alpha fading towards the rim."""
    image = Image.new("RGBA", (SIZE, SIZE), CLEAR)
    centre = (SIZE - 1) / 2.0
    for y in range(SIZE):
        for x in range(SIZE):
            d = math.hypot(x - centre, y - centre) / (SIZE / 2.0)
            if d >= 1.0:
                continue
            alpha = min(1.0, 1.6 * (1.0 - d) ** falloff)
            image.putpixel((x, y), mix(inner, outer, min(1.0, d * 1.8)) + (round(255 * alpha),))
    return image


def star(core, tips, points, inner_ratio):
    """A sparkle: a pointed star over a small glow."""
    big = SIZE * SUPER
    image = Image.new("RGBA", (big, big), CLEAR)
    draw = ImageDraw.Draw(image)
    centre = big / 2.0
    outline = []
    for i in range(points * 2):
        angle = math.pi * i / points - math.pi / 2
        radius = centre * (0.95 if i % 2 == 0 else 0.95 * inner_ratio)
        outline.append((centre + radius * math.cos(angle), centre + radius * math.sin(angle)))
    draw.polygon(outline, fill=tips)
    core_radius = centre * 0.28
    draw.ellipse((centre - core_radius, centre - core_radius, centre + core_radius, centre + core_radius),
                 fill=core)
    image = image.resize((SIZE, SIZE), Image.LANCZOS)
    glow = radial(core, tips, 2.5)
    return Image.alpha_composite(glow, image)


def rounded_square(fill, edge):
    big = SIZE * SUPER
    image = Image.new("RGBA", (big, big), CLEAR)
    draw = ImageDraw.Draw(image)
    margin = big * 0.16
    draw.rounded_rectangle((margin, margin, big - margin, big - margin), radius=big * 0.12, fill=edge)
    inset = big * 0.26
    draw.rounded_rectangle((inset, inset, big - inset, big - inset), radius=big * 0.08, fill=fill)
    return image.resize((SIZE, SIZE), Image.LANCZOS)


def digit(text, colour, glow):
    """A binary digit for the firewall: a bright glyph over a soft halo."""
    big = SIZE * SUPER
    image = Image.new("RGBA", (big, big), CLEAR)
    draw = ImageDraw.Draw(image)
    stroke = big * 0.13
    if text == "0":
        draw.ellipse((big * 0.24, big * 0.1, big * 0.76, big * 0.9), outline=colour, width=round(stroke))
    else:
        draw.rectangle((big * 0.44, big * 0.1, big * 0.44 + stroke, big * 0.9), fill=colour)
        draw.polygon([(big * 0.44, big * 0.1), (big * 0.44, big * 0.26), (big * 0.26, big * 0.32)],
                     fill=colour)
        draw.rectangle((big * 0.3, big * 0.9 - stroke, big * 0.72, big * 0.9), fill=colour)
    halo = image.filter(ImageFilter.GaussianBlur(big * 0.06))
    tinted = Image.new("RGBA", (big, big), with_alpha(glow, 0))
    tinted.putalpha(halo.getchannel("A").point(lambda a: a * 0.8))
    image = Image.alpha_composite(tinted, image)
    return image.resize((SIZE, SIZE), Image.LANCZOS)


def make_textures():
    save_png(radial(OFF_WHITE, MINT, 1.4), BLENDED, "ParticleGlow")
    save_png(radial(OFF_WHITE, SAND, 1.2), BLENDED, "ParticleDust")
    save_png(radial(SAND, CORAL, 1.2), BLENDED, "ParticleEmber")
    save_png(radial(OFF_WHITE, PLUM, 1.1), BLENDED, "ParticlePlum")
    save_png(star(OFF_WHITE, SAND, 4, 0.3), BLENDED, "ParticleSpark")
    save_png(star(OFF_WHITE, MINT, 4, 0.3), BLENDED, "ParticleSparkTeal")
    save_png(rounded_square(CORAL, INK), BLENDED, "ParticleSquare")
    save_png(digit("0", MINT, TEAL), BLENDED, "TempZero")
    save_png(digit("1", MINT, TEAL), BLENDED, "TempOne")


def f32(value):
    """The float the game stores, widened back to double as the game writes it."""
    return struct.unpack("f", struct.pack("f", value))[0]


def vec3(x=0.0, y=0.0, z=0.0):
    return {"x": f32(x), "y": f32(y), "z": f32(z)}


def planar(x=0.0, y=0.0):
    return {"x": f32(x), "y": f32(y), "z": 0}


def colour(r, g, b, a):
    return {"r": f32(r), "g": f32(g), "b": f32(b), "a": f32(a)}


def emitter(name, texture, *, particles=0, complex_particles=0, lifespan=0, loop_delay=0, loop_delay_dev=0,
            velocity=(0.0, 0.0), velocity_dev=(0.0, 0.0), acceleration=(0.0, 0.0), tint=(1.0, 1.0, 1.0, 1.0),
            tint_dev=(0.0, 0.0, 0.0, 0.0), particle_life=1000, particle_life_dev=0, scale=(0.2, 0.2),
            scale_dev=(0.0, 0.0), offset=(0.0, 0.0, 0.0), box=(0.0, 0.0, 0.0, 0.0), radius=0.0, circle=False,
            density=False, flags=None):
    return {
        "Acceleration": planar(*acceleration),
        "BaseParticleScale": vec3(scale[0], scale[1], 0.0),
        "Color": colour(*tint),
        "ColorDeviation": colour(*tint_dev),
        "Flags": sorted(flags) if flags else None,
        "Lifespan": lifespan,
        "Loop": True,
        "LoopDelay": loop_delay,
        "LoopDelayDeviation": loop_delay_dev,
        "Name": name,
        "NumComplexParticles": complex_particles,
        "NumParticles": particles,
        "ParticleLifespan": particle_life,
        "ParticleLifespanDeviation": particle_life_dev,
        "ParticleScaleDev": vec3(scale_dev[0], scale_dev[1], 0.0),
        "PositionOffset": vec3(*offset),
        "SpawnRange": {"Radius": f32(radius), "Type": 1 if circle else 0, "x+": f32(box[1]), "x-": f32(box[0]),
                       "y+": f32(box[3]), "y-": f32(box[2])},
        "Texture": texture,
        "TransformComp": {"Position": {"x": 0, "y": 0, "z": 0}},
        "UseDensity": density,
        "Velocity": vec3(velocity[0], velocity[1], 0.0),
        "VelocityDeviation": planar(*velocity_dev),
    }


# Velocities and accelerations are per fixed step of 10 ms; times are milliseconds. One-shot
# effects have a short lifespan and burst every step until it runs out; effects that the
# player controller holds on (Dash, PlayerDeath, PTrail, GoalSparks) never expire.
EMITTERS = [
    emitter("Checkpoit", "ParticleGlow", complex_particles=3, lifespan=500, loop_delay=40,
            velocity=(0.0, 0.01), velocity_dev=(0.01, 0.004), tint=(1.0, 1.0, 1.0, 0.9), particle_life=600,
            particle_life_dev=150, scale=(0.2, 0.2), scale_dev=(0.06, 0.06), box=(-0.3, 0.3, -0.5, 0.5),
            offset=(0.0, 0.0, 0.1)),
    emitter("Dash", "ParticleGlow", complex_particles=3, velocity_dev=(0.004, 0.004),
            tint=(1.0, 1.0, 1.0, 0.9), particle_life=300, particle_life_dev=60, scale=(0.3, 0.3),
            scale_dev=(0.05, 0.05), radius=0.25, circle=True, offset=(0.0, 0.0, 0.1)),
    emitter("Firewall", "TempZero", particles=1, complex_particles=2, loop_delay=90, loop_delay_dev=30,
            velocity=(0.0, 0.006), velocity_dev=(0.002, 0.002), particle_life=900, particle_life_dev=200,
            scale=(0.22, 0.22), scale_dev=(0.04, 0.04), box=(-0.3, 0.3, -0.5, 0.5), offset=(0.0, 0.0, 0.1),
            flags=["firewall"]),
    emitter("GoalSparks", "ParticleSpark", particles=3, complex_particles=2, loop_delay=50,
            velocity=(0.0, 0.02), velocity_dev=(0.03, 0.015), acceleration=(0.0, -0.0003), particle_life=800,
            particle_life_dev=200, scale=(0.2, 0.2), scale_dev=(0.08, 0.08), radius=0.5, circle=True,
            offset=(0.0, 0.0, 0.1)),
    emitter("Hazard", "ParticleEmber", particles=3, complex_particles=3, loop_delay=140, loop_delay_dev=60,
            velocity=(0.0, 0.012), velocity_dev=(0.003, 0.005), particle_life=600, particle_life_dev=200,
            scale=(0.16, 0.16), scale_dev=(0.05, 0.05), box=(-0.5, 0.5, 0.0, 0.2), density=True,
            offset=(0.0, 0.0, 0.1)),
    emitter("PImpact", "ParticleDust", particles=2, complex_particles=2, lifespan=40,
            velocity=(0.0, 0.008), velocity_dev=(0.03, 0.01), acceleration=(0.0, -0.0003), particle_life=350,
            particle_life_dev=100, scale=(0.14, 0.14), scale_dev=(0.05, 0.05), box=(-0.35, 0.35, 0.0, 0.05),
            offset=(0.0, -0.45, 0.1)),
    emitter("PTrail", "ParticleDust", complex_particles=1, loop_delay=30, velocity_dev=(0.002, 0.002),
            tint=(1.0, 0.9, 0.75, 0.8), particle_life=400, particle_life_dev=80, scale=(0.14, 0.14),
            scale_dev=(0.03, 0.03), radius=0.08, circle=True, offset=(0.0, 0.0, -0.05)),
    emitter("Pack", "ParticleSpark", particles=3, lifespan=30, velocity=(0.0, 0.01),
            velocity_dev=(0.025, 0.015), acceleration=(0.0, -0.0004), particle_life=300, particle_life_dev=80,
            scale=(0.12, 0.12), scale_dev=(0.04, 0.04), radius=0.15, circle=True, offset=(0.0, 0.0, 0.1)),
    emitter("PlayerDeath", "ParticleSquare", particles=6, complex_particles=6, loop_delay=60,
            velocity=(0.0, 0.01), velocity_dev=(0.04, 0.04), acceleration=(0.0, -0.0004), particle_life=600,
            particle_life_dev=150, scale=(0.18, 0.18), scale_dev=(0.06, 0.06), radius=0.3, circle=True,
            offset=(0.0, 0.0, 0.1)),
    emitter("Ptp", "ParticleSparkTeal", particles=4, complex_particles=2, lifespan=120, loop_delay=20,
            velocity_dev=(0.05, 0.05), particle_life=700, particle_life_dev=150, scale=(0.16, 0.16),
            scale_dev=(0.04, 0.04), radius=0.4, circle=True, offset=(0.0, 0.0, 0.1), flags=["converge"]),
    emitter("Ptpe", "ParticlePlum", complex_particles=4, lifespan=60, velocity_dev=(0.03, 0.03),
            particle_life=400, particle_life_dev=100, scale=(0.25, 0.25), scale_dev=(0.06, 0.06), radius=0.35,
            circle=True, offset=(0.0, 0.0, 0.1)),
    emitter("TPBack", "ParticleGlow", complex_particles=4, lifespan=150, loop_delay=30,
            velocity_dev=(0.015, 0.015), tint=(0.8, 1.0, 0.95, 1.0), particle_life=350, particle_life_dev=80,
            scale=(0.18, 0.18), scale_dev=(0.04, 0.04), radius=0.3, circle=True, offset=(0.0, 0.0, 0.1)),
]


def make_emitter_file():
    document = {entry["Name"]: entry for entry in EMITTERS}
    text = json.dumps(document, indent=4, sort_keys=True, ensure_ascii=False)
    with open(EMITTER_FILE, "w", encoding="utf-8") as out:
        out.write(text)


if __name__ == "__main__":
    make_textures()
    make_emitter_file()
