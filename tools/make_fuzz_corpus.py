#!/usr/bin/python3
"""Writes the fuzz targets' seed corpora under fuzz/corpus/<target>/.

Each corpus holds one or two of the game's own data files and a few minimal inputs, small so
that the fuzzer starts from valid shapes and spends its time mutating them. The JSON targets
also get a seed of numbers no field can hold in their real keys, and a dictionary under
fuzz/dict/<target>.dict of every key of the game's file and such numbers: random mutation alone
seldom writes 1e308 into "Buffered Jump Max Timing". Images come from
the shared palette; sounds are short tones (WAV written here, FLAC and OGG converted by sox, the OGG stream
serial fixed).
Running it again gives identical files.
"""

import json
import math
import os
import shutil
import struct
import subprocess
import sys
import wave
import zlib

from PIL import Image

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import palette  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORPUS = os.path.join(ROOT, "fuzz", "corpus")
DICTIONARIES = os.path.join(ROOT, "fuzz", "dict")

# Numbers outside the range of the fields they fill: past every float, past every 64-bit
# integer, just past 32 bits, past the largest float.
OUT_OF_RANGE = ["1e308", "-1e308", "18446744073709551616", "4294967296", "2147483648", "-2147483649",
                "3.5e38", "9223372036854775808"]

# Real keys given numbers out of range, by target.
OUT_OF_RANGE_FILES = {
    "archetype_file": '[{"name": "Player", "StatsComp": {"Buffered Jump Max Timing": 1e308, '
                      '"Dash Duration": -1e308, "Max Dash Charges": 18446744073709551616, '
                      '"Jumping Force": 1e308}, "ColliderComp": {"friction": -1e308}, '
                      '"BreakingPlatformComp": {"TimeTillBreak": 4294967296}, '
                      '"MovingPlatformComp": {"TargetWaypointID": 2147483648}}]',
    "level_file": '{"layers": [{"objects": [{"type": "Wall", "x": 1e308, "y": -1e308, "width": 1, '
                  '"height": 3.5e38, "properties": [{"name": "WaypointID", "value": 18446744073709551616}, '
                  '{"name": "Speed", "value": 1e308}]}], "properties": [{"name": "Depth", '
                  '"value": -1e308}, {"name": "KillPlane", "value": 1e308}]}]}',
    "animation_sheets": '{"AnimationSheets": [{"Name": "Default", "Columns": 1e308, "Rows": 2, '
                        '"Animations": [{"Name": "Idle", "FrameCount": 18446744073709551616, '
                        '"Start Row": -1e308, "Frame Speed": 1e308}]}]}',
    "binding_file": '{"JOYSTICK_AXIS_THRESHOLD": 1e308, "JOYSTICK_TRIGGER_THRESHOLD": -1e308, '
                    '"Jump": {"Action": "Jump", "Code": "BUTTON_KEY_SPACE", "TrigType": "OnPress"}}',
    "emitter_file": '{"Spark": {"Name": "Spark", "NumParticles": 1e308, "Lifespan": -1e308, '
                    '"LoopDelay": 36893488147419103232, "Velocity": {"x": 1e308}, '
                    '"SpawnRange": {"Type": 18446744073709551616, "Radius": -1e308}}}',
    "sound_presets": '{"Beep": {"Name": "Beep", "Volume": 1e308, "Looping": 18446744073709551616}, '
                     '"FootStepBaseVolume": -1e308, "FootStepVariationVolume": 4294967296}',
    "sound_groups": '{"Effects": {"Name": "Effects", "Volume": -1e308, "Pitch": 1e308}}',
}

# Copies of the game's files, by target.
GAME_FILES = {
    "emitter_file": ["assets/ParticleEmitter.json"],
    "archetype_file": ["assets/Entity.json"],
    "level_file": ["assets/scenes/Level1.json", "assets/scenes/Test Map.json"],
    "animation_sheets": ["assets/Animations/Animations.json"],
    "binding_file": ["assets/input.json"],
    "sound_presets": ["assets/sound/soundPresets.json"],
    "sound_groups": ["assets/sound/soundGroups.json"],
    "event_file": ["assets/default.json"],
    "obj_geometry": ["assets/meshes/quad.obj"],
}

# Minimal inputs of the right shape, by target.
SMALL_FILES = {
    "emitter_file": {
        "spark.json": '{"Spark": {"Name": "Spark", "NumParticles": 4, "Lifespan": 500, "Loop": false, '
                      '"Texture": "Spark", "Velocity": {"x": 0, "y": 1, "z": 0}, '
                      '"Color": {"r": 1, "g": 0.5, "b": 0, "a": 1}, "Flags": ["Gravity"]}}',
        "null.json": "null",
    },
    "archetype_file": {
        "block.json": '[{"name": "Block", "TransformComp": {"scale": {"x": 2, "y": 1, "z": 1}}, '
                      '"Mesh": "quad", "Flags": ["dynamic"], "TextureSlicerComp": {"border": '
                      '{"left": 1, "bottom": 2, "right": 3, "top": 4}}}]',
    },
    "level_file": {
        "one.json": '{"layers": [{"name": "Main", "objects": [{"type": "Wall", "x": 0, "y": 0, '
                    '"width": 1, "height": 1}], "properties": [{"name": "Depth", "type": "float", '
                    '"value": 1.0}]}]}',
    },
    "animation_sheets": {
        "one.json": '{"AnimationSheets": [{"Name": "Default", "Columns": 2, "Rows": 2, "Animations": '
                    '[{"Name": "Idle", "FrameCount": 2, "Start Row": 1, "Frame Speed": 100, '
                    '"Looping": true}]}]}',
    },
    "binding_file": {
        "jump.json": '{"Jump": {"Action": "Jump", "Code": "BUTTON_KEY_SPACE", "TrigType": "OnPress"}}',
    },
    "sound_presets": {
        "default.json": '{"Default": {"Name": "Default", "SoundSource": "Default", "Looping": 1, '
                        '"Volume": 0.5}, "FootStepBaseVolume": 1.0}',
    },
    "sound_groups": {
        "effects.json": '{"Effects": {"Name": "Effects", "Volume": 0.5, "Pitch": 1.0}}',
    },
    "event_file": {
        "mixed.json": '{"Active": ["CREATE"], "NotActive": ["WIN", "NOSUCHEVENT"]}',
    },
    "obj_geometry": {
        "triangle.obj": "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 0 1\n"
                        "vn 0 0 1\nf 1/1/1 2/2/1 3/3/1\n",
        "quad.obj": "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\nf -1 -2 -3\n",
        # Shapes of hostile files: a material file that never ends, a face just past the
        # corner limit, and a polygon the triangulation has to work at.
        "material.obj": "mtllib /dev/zero\nusemtl Stone\nv 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n",
        "wide_face.obj": "v 0 0 0\nv 1 0 0\nv 0 1 0\nf" + " 1 2 3" * 86 + "\n",
        "star.obj": "".join("v %.3f %.3f 0\n" % ((1 + i % 2) * math.cos(i * math.pi / 12),
                                                (1 + i % 2) * math.sin(i * math.pi / 12)) for i in range(24))
                    + "f " + " ".join(str(i + 1) for i in range(24)) + "\n",
    },
}


def write_text(target, name, text):
    folder = os.path.join(CORPUS, target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), "w", newline="\n") as out:
        out.write(text)


def copy_game_files():
    for target, paths in GAME_FILES.items():
        folder = os.path.join(CORPUS, target)
        os.makedirs(folder, exist_ok=True)
        for path in paths:
            shutil.copyfile(os.path.join(ROOT, path),
                            os.path.join(folder, os.path.basename(path).replace(" ", "_")))


def write_small_files():
    for target, files in SMALL_FILES.items():
        for name, text in files.items():
            write_text(target, name, text)
    for target, text in OUT_OF_RANGE_FILES.items():
        write_text(target, "out_of_range.json", text)


def object_keys(value, keys):
    if isinstance(value, dict):
        for key, member in value.items():
            keys.add(key)
            object_keys(member, keys)
    elif isinstance(value, list):
        for member in value:
            object_keys(member, keys)
    return keys


def write_dictionaries():
    """Every key of the target's game files and seeds, quoted, then the numbers out of range."""
    os.makedirs(DICTIONARIES, exist_ok=True)
    for target, text in OUT_OF_RANGE_FILES.items():
        keys = object_keys(json.loads(text), set())
        for path in GAME_FILES.get(target, []):
            with open(os.path.join(ROOT, path), encoding="utf-8") as source:
                object_keys(json.load(source), keys)
        for seed in SMALL_FILES.get(target, {}).values():
            object_keys(json.loads(seed), keys)
        lines = [json.dumps(json.dumps(key)) for key in sorted(keys)]
        lines += [json.dumps(number) for number in OUT_OF_RANGE]
        with open(os.path.join(DICTIONARIES, target + ".dict"), "w", newline="\n") as out:
            out.write("\n".join(lines) + "\n")


def checker(size, first, second):
    image = Image.new("RGBA", (size, size), first)
    for y in range(size):
        for x in range(size):
            if (x + y) % 2:
                image.putpixel((x, y), second)
    return image


def write_images():
    folder = os.path.join(CORPUS, "image_decode")
    os.makedirs(folder, exist_ok=True)
    image = checker(4, palette.TEAL, palette.with_alpha(palette.CORAL, 128))
    palette.save_png(image, folder, "rgba")
    image.convert("RGB").save(os.path.join(folder, "rgb.png"), optimize=True)
    image.convert("RGB").save(os.path.join(folder, "rgb.bmp"))
    image.save(os.path.join(folder, "rgba.tga"))
    image.convert("P").save(os.path.join(folder, "indexed.gif"))
    write_png_shapes(folder)


def png_chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def raw_png(width, height, interlaced, inflated, keep=None):
    """An RGBA PNG whose pixel data is `inflated` zero bytes, deflated and cut to `keep` bytes."""
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 1 if interlaced else 0)
    data = zlib.compress(bytes(inflated), 9)[:keep]
    return (b"\x89PNG\r\n\x1a\n" + png_chunk(b"IHDR", header) + png_chunk(b"IDAT", data)
            + png_chunk(b"IEND", b""))


def write_png_shapes(folder):
    """PNGs whose pixel data inflates past their size, falls short of it, or is interlaced."""
    shapes = {
        "zeros.png": raw_png(4, 4, False, 1 << 16),
        "cut.png": raw_png(4, 4, False, 68, keep=6),
        "interlaced.png": raw_png(5, 3, True, 67),
    }
    for name, data in shapes.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)


def write_deflate_streams():
    """Raw deflate streams of every block kind zlib writes: stored, fixed, dynamic, runs only."""
    folder = os.path.join(CORPUS, "deflate_length")
    os.makedirs(folder, exist_ok=True)
    text = b"".join(b"%d" % (i * 7919 % 1000) + bytes([97 + i % 26]) * (i % 40) for i in range(60))
    writers = {"stored": (0, zlib.Z_DEFAULT_STRATEGY), "fixed": (6, zlib.Z_FIXED),
               "dynamic": (9, zlib.Z_DEFAULT_STRATEGY), "runs": (6, zlib.Z_RLE)}
    for name, (level, strategy) in writers.items():
        writer = zlib.compressobj(level, zlib.DEFLATED, -15, 8, strategy)
        with open(os.path.join(folder, name), "wb") as out:
            out.write(writer.compress(text) + writer.flush())


def tone_frames(count, channels, rate, frequency):
    frames = bytearray()
    for index in range(count):
        value = int(12000 * math.sin(2 * math.pi * frequency * index / rate))
        frames += struct.pack("<h", value) * channels
    return bytes(frames)


def write_wav(path, channels, rate, count):
    with wave.open(path, "wb") as out:
        out.setnchannels(channels)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(tone_frames(count, channels, rate, 440))


OGG_SERIAL = 0x57424F58


def ogg_crc(page):
    crc = 0
    for byte in page:
        crc ^= byte << 24
        for _ in range(8):
            crc = ((crc << 1) ^ 0x04C11DB7 if crc & 0x80000000 else crc << 1) & 0xFFFFFFFF
    return crc


def fix_ogg_serial(path):
    """The encoder picks a random stream serial; a fixed one keeps the file the same each run."""
    with open(path, "rb") as source:
        data = bytearray(source.read())
    offset = 0
    while offset < len(data):
        segments = data[offset + 26]
        length = 27 + segments + sum(data[offset + 27:offset + 27 + segments])
        struct.pack_into("<I", data, offset + 14, OGG_SERIAL)
        struct.pack_into("<I", data, offset + 22, 0)
        struct.pack_into("<I", data, offset + 22, ogg_crc(data[offset:offset + length]))
        offset += length
    with open(path, "wb") as out:
        out.write(data)


def write_sounds():
    folder = os.path.join(CORPUS, "sound_decode")
    os.makedirs(folder, exist_ok=True)
    mono = os.path.join(folder, "mono.wav")
    write_wav(mono, 1, 8000, 200)
    write_wav(os.path.join(folder, "stereo.wav"), 2, 11025, 100)
    subprocess.run(["sox", "--no-dither", mono, os.path.join(folder, "mono.flac")], check=True)
    ogg = os.path.join(folder, "mono.ogg")
    subprocess.run(["sox", "--no-dither", mono, ogg], check=True)
    fix_ogg_serial(ogg)
    # Cut inside its header pages: the shape whose failed open once leaked the decoder's setup.
    with open(ogg, "rb") as whole, open(os.path.join(folder, "cut.ogg"), "wb") as cut:
        cut.write(whole.read(100))


def main():
    copy_game_files()
    write_small_files()
    write_dictionaries()
    write_images()
    write_deflate_streams()
    write_sounds()


if __name__ == "__main__":
    main()
