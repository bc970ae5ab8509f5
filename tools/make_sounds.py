#!/usr/bin/env python3
"""Builds every sound of the game: short soft-chip effects as WAV files under
assets/sound/soundSources/, three seamlessly looping chiptune music tracks as OGG files under
assets/sound/music/ (rendered to WAV here, encoded with sox), and the preset and group files
that name them (assets/sound/soundPresets.json, assets/sound/soundGroups.json).

Run from the repository root: python3 tools/make_sounds.py
Everything is synthesised from fixed note lists and a seeded noise source, and the OGG stream
serial number (random in sox) is fixed afterwards, so the output is the same on every run.
"""

import json
import math
import os
import random
import struct
import subprocess
import sys
import tempfile
import wave

RATE = 22050
SOURCES = os.path.join("assets", "sound", "soundSources")
MUSIC = os.path.join("assets", "sound", "music")
PRESETS = os.path.join("assets", "sound", "soundPresets.json")
GROUPS = os.path.join("assets", "sound", "soundGroups.json")

# Every effect is levelled to this loudness (RMS over its sounding part), with its peak held
# below EFFECT_PEAK, so the preset and group volumes alone set how loud it is heard.
EFFECT_LOUDNESS = 0.25
EFFECT_PEAK = 0.8
MUSIC_PEAK = 0.7
# The soft edge of the family: a gentle low-pass that takes the fizz off the pulse waves.
SOFTEN_HZ = 6000.0


# ---------------------------------------------------------------- oscillators

def square(phase, duty=0.5):
    """A pulse wave with its average taken out: a narrow pulse otherwise sits off centre,
    and that offset thumps at every note start and end."""
    level = 1.0 if (phase % 1.0) < duty else -1.0
    return level - (2.0 * duty - 1.0)


def triangle(phase):
    p = phase % 1.0
    return 4.0 * p - 1.0 if p < 0.5 else 3.0 - 4.0 * p


def sine(phase):
    return math.sin(2.0 * math.pi * phase)


class Noise:
    """Seeded white noise that holds each value for a few samples, like an 8-bit noise channel."""

    def __init__(self, seed, hold=1):
        self.rng = random.Random(seed)
        self.hold = hold
        self.count = 0
        self.value = 0.0

    def __call__(self):
        if self.count == 0:
            self.value = self.rng.uniform(-1.0, 1.0)
        self.count = (self.count + 1) % self.hold
        return self.value


def midi(note):
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


def envelope(t, length, attack=0.005, release=0.03):
    """Linear attack and release so every note starts and ends at zero (no clicks)."""
    if t < attack:
        return t / attack
    if t > length - release:
        return max(0.0, (length - t) / release)
    return 1.0


def buffer(seconds):
    return [0.0] * int(seconds * RATE)


def slot(buf, index, wrap):
    """Where sample `index` goes: past the end of a loop it wraps round to the start, so the
    tail of a note at the loop point sounds under the loop's first beat; past the end of an
    effect it is dropped (None)."""
    if index < len(buf):
        return index
    return index % len(buf) if wrap else None


def add_tone(buf, start, length, freq_at, wave_fn, volume, decay=0.0, attack=0.005,
             release=0.03, wrap=False):
    """Adds one note. freq_at(t) gives the frequency at time t (s) from the note's start;
    decay makes the note fade exponentially (per second)."""
    first = int(round(start * RATE))
    count = int(length * RATE)
    phase = 0.0
    for i in range(count):
        index = slot(buf, first + i, wrap)
        if index is None:
            break
        t = i / RATE
        phase += freq_at(t) / RATE
        level = envelope(t, length, attack, release) * math.exp(-decay * t)
        buf[index] += wave_fn(phase) * volume * level


def add_noise(buf, start, length, volume, seed, decay=10.0, hold=1, release=0.02, wrap=False):
    noise = Noise(seed, hold)
    first = int(round(start * RATE))
    for i in range(int(length * RATE)):
        index = slot(buf, first + i, wrap)
        if index is None:
            break
        t = i / RATE
        buf[index] += noise() * volume * envelope(t, length, 0.002, release) * math.exp(-decay * t)


def sweep(f0, f1, length):
    return lambda t: f0 + (f1 - f0) * min(t / length, 1.0)


def constant(f):
    return lambda t: f


def vibrato(f, depth, speed):
    return lambda t: f * (1.0 + depth * math.sin(2.0 * math.pi * speed * t))


def soften(samples, loop=False):
    """A one-pole low-pass. A loop is filtered as the endless signal it becomes: a first pass
    settles the filter on the loop's tail, so its start carries on from where its end stops."""
    a = 1.0 - math.exp(-2.0 * math.pi * SOFTEN_HZ / RATE)
    state = 0.0
    if loop:
        for s in samples:
            state += a * (s - state)
    out = []
    for s in samples:
        state += a * (s - state)
        out.append(state)
    return out


def loudness(samples, window=220):
    """RMS over the 10 ms windows that sound (within 30 dB of the loudest one), so a short
    blip and a long jingle are compared by what is heard, not by their silent tails."""
    levels = [math.sqrt(sum(s * s for s in samples[i:i + window]) / window)
              for i in range(0, max(1, len(samples) - window + 1), window)]
    floor = max(levels) * 0.03
    heard = [v for v in levels if v >= floor]
    return math.sqrt(sum(v * v for v in heard) / len(heard))


def level_effect(samples):
    gain = EFFECT_LOUDNESS / max(1e-9, loudness(samples))
    gain = min(gain, EFFECT_PEAK / max(1e-9, max(abs(s) for s in samples)))
    return [s * gain for s in samples]


def level_music(samples):
    gain = MUSIC_PEAK / max(1e-9, max(abs(s) for s in samples))
    return [s * gain for s in samples]


def write_wav(path, samples):
    frames = b"".join(struct.pack("<h", int(round(max(-1.0, min(1.0, s)) * 32767)))
                      for s in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


# ---------------------------------------------------------------- effects

def effect_default():
    """A plain, neutral boop: what a preset that names no sound of its own plays."""
    buf = buffer(0.14)
    add_tone(buf, 0.0, 0.14, constant(midi(72)), triangle, 0.5, decay=10.0)
    add_tone(buf, 0.0, 0.08, constant(midi(84)), lambda p: square(p, 0.25), 0.1, decay=20.0)
    return buf


def effect_jump():
    buf = buffer(0.16)
    add_tone(buf, 0.0, 0.16, sweep(280.0, 760.0, 0.16), lambda p: square(p, 0.25), 0.45)
    return buf


def effect_dash():
    buf = buffer(0.24)
    add_noise(buf, 0.0, 0.24, 0.6, seed=11, decay=9.0, hold=2)
    add_tone(buf, 0.0, 0.24, sweep(900.0, 220.0, 0.24), triangle, 0.3)
    return buf


def effect_land():
    buf = buffer(0.12)
    add_tone(buf, 0.0, 0.12, sweep(150.0, 55.0, 0.12), sine, 0.8, decay=18.0, attack=0.001)
    add_noise(buf, 0.0, 0.05, 0.3, seed=12, decay=50.0, hold=4)
    return buf


def effect_throw():
    buf = buffer(0.2)
    add_tone(buf, 0.0, 0.2, sweep(320.0, 980.0, 0.2), triangle, 0.5)
    add_noise(buf, 0.0, 0.2, 0.2, seed=13, decay=14.0)
    return buf


def effect_teleport():
    buf = buffer(0.4)
    for i, note in enumerate([72, 79, 84, 88, 91, 96]):
        add_tone(buf, i * 0.05, 0.1, vibrato(midi(note), 0.02, 30.0),
                 lambda p: square(p, 0.125), 0.35, decay=8.0)
    return buf


def effect_ridicule():
    buf = buffer(0.75)
    for i, (f0, f1) in enumerate([(233.0, 220.0), (220.0, 196.0), (196.0, 175.0)]):
        add_tone(buf, i * 0.2, 0.22 if i < 2 else 0.35, sweep(f0, f1, 0.3),
                 lambda p: square(p, 0.3), 0.4)
    return buf


def effect_package_impact():
    """A hollow knock of the box and a smaller bounce, higher and woodier than the landing."""
    buf = buffer(0.2)
    for start, volume in [(0.0, 0.6), (0.09, 0.3)]:
        add_tone(buf, start, 0.09, sweep(420.0, 300.0, 0.09), triangle, volume, decay=35.0,
                 attack=0.001)
        add_noise(buf, start, 0.02, volume * 0.5, seed=14, decay=120.0)
    return buf


def effect_package_recollect():
    buf = buffer(0.24)
    add_tone(buf, 0.0, 0.1, constant(midi(81)), lambda p: square(p, 0.25), 0.35)
    add_tone(buf, 0.09, 0.15, constant(midi(88)), lambda p: square(p, 0.25), 0.35, decay=10.0)
    return buf


def effect_checkpoint():
    buf = buffer(0.6)
    for i, note in enumerate([72, 76, 79, 84]):
        add_tone(buf, i * 0.08, 0.3 if i < 3 else 0.36, constant(midi(note)), triangle, 0.5,
                 decay=6.0)
        add_tone(buf, i * 0.08, 0.2, constant(midi(note + 12)), lambda p: square(p, 0.125),
                 0.12, decay=10.0)
    return buf


def effect_breaking_platform():
    buf = buffer(0.45)
    add_noise(buf, 0.0, 0.45, 0.5, seed=15, decay=6.0, hold=6)
    rng = random.Random(16)
    for _ in range(7):
        add_noise(buf, rng.uniform(0.0, 0.35), 0.03, 0.5, seed=rng.randint(0, 999), decay=80.0)
    add_tone(buf, 0.0, 0.45, sweep(110.0, 60.0, 0.45), square, 0.15, decay=5.0)
    return buf


def effect_player_death():
    buf = buffer(0.65)
    add_tone(buf, 0.0, 0.65, lambda t: (620.0 - 780.0 * t) * (1.0 + 0.05 * math.sin(60.0 * t)),
             square, 0.4, decay=2.0)
    add_noise(buf, 0.45, 0.2, 0.2, seed=17, decay=12.0, hold=8)
    return buf


def effect_player_respawn():
    """A shimmering glide up out of nothing, topped by two sparkles."""
    buf = buffer(0.5)
    glide = sweep(midi(55), midi(79), 0.32)
    add_tone(buf, 0.0, 0.36, lambda t: glide(t) * (1.0 + 0.03 * math.sin(2.0 * math.pi * 18.0 * t)),
             lambda p: square(p, 0.125), 0.35, attack=0.03)
    for start, note in [(0.3, 91), (0.38, 96)]:
        add_tone(buf, start, 0.12, constant(midi(note)), triangle, 0.25, decay=14.0)
    return buf


def effect_win_fanfare():
    buf = buffer(1.7)
    melody = [(72, 0.0, 0.12), (72, 0.14, 0.12), (72, 0.28, 0.12), (77, 0.42, 0.45),
              (76, 0.9, 0.14), (77, 1.06, 0.1), (79, 1.18, 0.5)]
    for note, start, length in melody:
        add_tone(buf, start, length, constant(midi(note)), lambda p: square(p, 0.25), 0.35)
        add_tone(buf, start, length, constant(midi(note - 12)), triangle, 0.3)
    add_tone(buf, 1.18, 0.5, constant(midi(84)), lambda p: square(p, 0.125), 0.12)
    return buf


def effect_ui_hover():
    buf = buffer(0.04)
    add_tone(buf, 0.0, 0.04, constant(1760.0), lambda p: square(p, 0.25), 0.25, decay=40.0,
             attack=0.001, release=0.01)
    return buf


def effect_ui_hit():
    buf = buffer(0.09)
    add_tone(buf, 0.0, 0.09, sweep(880.0, 1320.0, 0.09), square, 0.35, decay=20.0, attack=0.001)
    return buf


def effect_ui_hit_off():
    """The mirror of UiHit: two falling notes instead of one rising sweep."""
    buf = buffer(0.13)
    add_tone(buf, 0.0, 0.06, constant(midi(81)), lambda p: square(p, 0.25), 0.35, attack=0.001,
             release=0.01)
    add_tone(buf, 0.06, 0.07, constant(midi(76)), lambda p: square(p, 0.25), 0.35, decay=25.0,
             attack=0.001)
    return buf


# Loudness of each group; the music sits under the effects.
GROUP_VOLUMES = {"Default": 1.0, "Music": 0.6, "Player": 0.8, "UI": 0.7, "World": 0.9}

# Preset name (also its source file's name): how it is made, its group and its volume.
EFFECTS = {
    "Default": (effect_default, "Default", 0.8),
    "Jump": (effect_jump, "Player", 0.7),
    "Dash": (effect_dash, "Player", 0.8),
    "Land": (effect_land, "Player", 0.8),
    "Throw": (effect_throw, "Player", 0.8),
    "Teleport": (effect_teleport, "Player", 0.9),
    "Ridicule": (effect_ridicule, "Player", 0.7),
    "PackageImpact": (effect_package_impact, "World", 0.8),
    "PackageRecollect": (effect_package_recollect, "Player", 0.8),
    "Checkpoint": (effect_checkpoint, "World", 0.9),
    "BreakingPlatformSound": (effect_breaking_platform, "World", 0.8),
    "PlayerDeath": (effect_player_death, "Player", 0.9),
    "PlayerRespawn": (effect_player_respawn, "Player", 0.8),
    "WinFanfare": (effect_win_fanfare, "World", 1.0),
    "UiHover": (effect_ui_hover, "UI", 0.6),
    "UiHit": (effect_ui_hit, "UI", 0.8),
    "UiHitOff": (effect_ui_hit_off, "UI", 0.8),
}
MUSIC_VOLUME = 0.8
# Footstep settings the sound manager reads from the presets file.
FOOTSTEPS = {"FootStepBasePitch": 1.0, "FootStepBaseVolume": 0.5, "FootStepVariationPitch": 10,
             "FootStepVariationVolume": 10, "VarationOn/Off": False}


# ---------------------------------------------------------------- music

class Track:
    """An eight-bar loop: a lead melody in eighth notes, a bass line and a drum pattern.
    The tempo is one whose eighth note is a whole number of samples, so every note sits
    exactly on the grid and the loop is exactly eight bars long. Everything is mixed round
    the loop, so the notes and drum tails that run past the end sound under its start."""

    def __init__(self, name, bpm, melody, bass_roots, bass_style, lead_wave, drums, arp=None):
        assert (RATE * 30) % bpm == 0, "an eighth note must be a whole number of samples"
        self.name = name
        self.bpm = bpm
        self.eighth = 30.0 / bpm
        self.melody = melody
        self.bass_roots = bass_roots
        self.bass_style = bass_style
        self.lead_wave = lead_wave
        self.drums = drums
        self.arp = arp

    def render(self):
        bars = len(self.bass_roots)
        buf = [0.0] * (bars * 8 * RATE * 30 // self.bpm)
        self.render_melody(buf)
        self.render_bass(buf)
        self.render_arp(buf)
        self.render_drums(buf)
        return level_music(soften(buf, loop=True))

    def render_melody(self, buf):
        step = 0
        for note, length in self.melody:
            if note:
                add_tone(buf, step * self.eighth, length * self.eighth * 0.92,
                         vibrato(midi(note), 0.004, 5.5), self.lead_wave, 0.3, decay=0.8,
                         wrap=True)
            step += length

    def render_bass(self, buf):
        for bar, root in enumerate(self.bass_roots):
            for i in range(8):
                start = (bar * 8 + i) * self.eighth
                if self.bass_style == "octaves":
                    note = root + (12 if i % 2 else 0)
                    add_tone(buf, start, self.eighth * 0.8, constant(midi(note)), triangle, 0.45,
                             wrap=True)
                elif self.bass_style == "halves" and i % 4 == 0:
                    add_tone(buf, start, self.eighth * 3.8, constant(midi(root)), triangle, 0.5,
                             wrap=True)
                elif self.bass_style == "drive":
                    note = root + (7 if i % 4 == 3 else 0)
                    add_tone(buf, start, self.eighth * 0.7, constant(midi(note)), triangle, 0.5,
                             wrap=True)

    def render_arp(self, buf):
        if not self.arp:
            return
        sixteenth = self.eighth / 2.0
        for bar, chord in enumerate(self.arp):
            for i in range(16):
                note = chord[i % len(chord)]
                add_tone(buf, (bar * 16 + i) * sixteenth, sixteenth * 0.7, constant(midi(note)),
                         lambda p: square(p, 0.125), 0.08, wrap=True)

    def render_drums(self, buf):
        bars = len(self.bass_roots)
        for step in range(bars * 8):
            start = step * self.eighth
            beat = step % 8
            if beat in self.drums["kick"]:
                add_tone(buf, start, 0.12, sweep(140.0, 45.0, 0.12), sine, 0.7, decay=14.0,
                         attack=0.001, wrap=True)
            if beat in self.drums["snare"]:
                add_noise(buf, start, 0.14, 0.3, seed=100 + step, decay=22.0, hold=2,
                          wrap=True)
            if beat in self.drums["hat"]:
                add_noise(buf, start, 0.04, 0.1, seed=300 + step, decay=80.0, wrap=True)


TRACKS = [
    # Level 1: bright and bouncy, C major.
    Track("Music", 135, [
        (76, 1), (79, 1), (84, 2), (83, 1), (79, 1), (76, 2),
        (72, 1), (76, 1), (81, 2), (79, 1), (76, 1), (72, 2),
        (77, 2), (81, 1), (84, 1), (83, 2), (81, 2),
        (79, 3), (74, 1), (71, 2), (74, 2),
        (76, 1), (79, 1), (84, 2), (86, 1), (84, 1), (79, 2),
        (81, 2), (84, 1), (81, 1), (79, 2), (76, 2),
        (77, 1), (76, 1), (74, 1), (72, 1), (74, 2), (77, 2),
        (79, 2), (74, 2), (72, 4),
    ], [48, 45, 41, 43, 48, 45, 41, 43], "octaves", lambda p: square(p, 0.25),
        {"kick": {0, 4}, "snare": {2, 6}, "hat": {1, 3, 5, 7}}),
    # Level 2: a moodier A minor with a rippling arpeggio.
    Track("Music2", 108, [
        (69, 3), (72, 1), (76, 2), (74, 2),
        (72, 2), (69, 2), (65, 4),
        (67, 1), (72, 1), (76, 2), (79, 2), (76, 2),
        (80, 3), (76, 1), (71, 4),
        (81, 2), (79, 1), (77, 1), (76, 2), (72, 2),
        (77, 3), (76, 1), (74, 2), (72, 2),
        (71, 2), (74, 2), (79, 2), (77, 2),
        (76, 6), (71, 2),
    ], [45, 41, 48, 40, 45, 41, 43, 40], "halves", triangle,
        {"kick": {0, 5}, "snare": {4}, "hat": {0, 2, 4, 6}},
        arp=[[69, 72, 76, 81], [65, 69, 72, 77], [67, 72, 76, 79], [68, 71, 76, 80],
             [69, 72, 76, 81], [65, 69, 72, 77], [67, 71, 74, 79], [68, 71, 76, 80]]),
    # Level 3: fast and driving, D mixolydian.
    Track("Music3", 150, [
        (74, 1), (78, 1), (81, 1), (78, 1), (86, 2), (81, 2),
        (84, 2), (79, 1), (76, 1), (72, 2), (76, 2),
        (79, 1), (83, 1), (86, 2), (84, 1), (83, 1), (81, 2),
        (78, 3), (76, 1), (74, 4),
        (74, 1), (74, 1), (81, 2), (78, 1), (81, 1), (86, 2),
        (88, 2), (84, 2), (79, 2), (76, 2),
        (83, 2), (81, 1), (79, 1), (78, 2), (79, 2),
        (81, 4), (73, 2), (76, 2),
    ], [38, 36, 43, 38, 38, 36, 43, 45], "drive", lambda p: square(p, 0.5),
        {"kick": {0, 2, 4, 6}, "snare": {2, 6}, "hat": {0, 1, 2, 3, 4, 5, 6, 7}}),
]


def ogg_crc(data):
    crc = 0
    for byte in data:
        crc ^= byte << 24
        for _ in range(8):
            crc = ((crc << 1) ^ 0x04C11DB7) if crc & 0x80000000 else crc << 1
        crc &= 0xFFFFFFFF
    return crc


def fix_ogg_serial(data, serial=1):
    """sox gives each OGG stream a random serial number; a fixed one (with each page's
    checksum redone) makes the file the same on every run."""
    out = bytearray(data)
    pos = 0
    while pos < len(out):
        if out[pos:pos + 4] != b"OggS":
            raise ValueError("not an OGG page at byte %d" % pos)
        segments = out[pos + 26]
        size = 27 + segments + sum(out[pos + 27:pos + 27 + segments])
        out[pos + 14:pos + 18] = struct.pack("<I", serial)
        out[pos + 22:pos + 26] = bytes(4)
        out[pos + 22:pos + 26] = struct.pack("<I", ogg_crc(out[pos:pos + size]))
        pos += size
    return bytes(out)


def encode_ogg(samples, path):
    with tempfile.TemporaryDirectory() as scratch:
        wav_path = os.path.join(scratch, "track.wav")
        ogg_path = os.path.join(scratch, "track.ogg")
        write_wav(wav_path, samples)
        subprocess.run(["sox", wav_path, "-C", "5", ogg_path], check=True)
        with open(ogg_path, "rb") as encoded:
            data = fix_ogg_serial(encoded.read())
    with open(path, "wb") as out:
        out.write(data)


def write_json(path, document):
    with open(path, "w") as out:
        out.write(json.dumps(document, indent=4, sort_keys=True) + "\n")


def preset(name, group, volume, looping):
    return {"Group": group, "Looping": looping, "Name": name, "Pitch": 1.0,
            "SoundSource": name, "Volume": volume}


def write_sound_files():
    presets = dict(FOOTSTEPS)
    for name, (_, group, volume) in EFFECTS.items():
        presets[name] = preset(name, group, volume, 0)
    for track in TRACKS:
        presets[track.name] = preset(track.name, "Music", MUSIC_VOLUME, 1)
    write_json(PRESETS, presets)
    write_json(GROUPS, {name: {"Name": name, "Pitch": 1.0, "Volume": volume}
                        for name, volume in GROUP_VOLUMES.items()})


def main():
    if not os.path.isdir("assets"):
        sys.exit("Run from the repository root.")
    os.makedirs(SOURCES, exist_ok=True)
    os.makedirs(MUSIC, exist_ok=True)
    for name, (make, _, _) in EFFECTS.items():
        write_wav(os.path.join(SOURCES, name + ".wav"), level_effect(soften(make())))
    for track in TRACKS:
        encode_ogg(track.render(), os.path.join(MUSIC, track.name + ".ogg"))
    write_sound_files()
    print("wrote %d effects and %d music tracks" % (len(EFFECTS), len(TRACKS)))


if __name__ == "__main__":
    main()
