#!/usr/bin/env python3
"""Builds every sound of the game: short chip-style effects as WAV files under
assets/sound/soundSources/ and three looping chiptune music tracks as OGG files under
assets/sound/music/ (rendered to WAV here, encoded with sox).

Run from the repository root: python3 tools/make_sounds.py
Everything is synthesised from fixed note lists and a seeded noise source, so the output is
the same on every run.
"""

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


def add_tone(buf, start, length, freq_at, wave_fn, volume, decay=0.0, attack=0.005,
             release=0.03):
    """Adds one note. freq_at(t) gives the frequency at time t (s) from the note's start;
    decay makes the note fade exponentially (per second)."""
    first = int(start * RATE)
    count = int(length * RATE)
    phase = 0.0
    for i in range(count):
        index = first + i
        if index >= len(buf):
            break
        t = i / RATE
        phase += freq_at(t) / RATE
        level = envelope(t, length, attack, release) * math.exp(-decay * t)
        buf[index] += wave_fn(phase) * volume * level


def add_noise(buf, start, length, volume, seed, decay=10.0, hold=1, release=0.02):
    noise = Noise(seed, hold)
    first = int(start * RATE)
    for i in range(int(length * RATE)):
        index = first + i
        if index >= len(buf):
            break
        t = i / RATE
        buf[index] += noise() * volume * envelope(t, length, 0.002, release) * math.exp(-decay * t)


def sweep(f0, f1, length):
    return lambda t: f0 + (f1 - f0) * min(t / length, 1.0)


def constant(f):
    return lambda t: f


def vibrato(f, depth, speed):
    return lambda t: f * (1.0 + depth * math.sin(2.0 * math.pi * speed * t))


def write_wav(path, samples, peak=0.8):
    loudest = max(1e-9, max(abs(s) for s in samples))
    scale = peak / loudest if loudest > peak else 1.0
    frames = b"".join(struct.pack("<h", int(max(-1.0, min(1.0, s * scale)) * 32767))
                      for s in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


# ---------------------------------------------------------------- effects

def effect_default():
    buf = buffer(0.14)
    add_tone(buf, 0.0, 0.14, constant(660.0), square, 0.4, decay=12.0)
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
    buf = buffer(0.14)
    add_noise(buf, 0.0, 0.1, 0.6, seed=14, decay=30.0, hold=3)
    add_tone(buf, 0.0, 0.14, sweep(200.0, 90.0, 0.14), triangle, 0.6, decay=20.0, attack=0.001)
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
    buf = buffer(0.5)
    for i, note in enumerate([67, 71, 74, 79, 83]):
        add_tone(buf, i * 0.06, 0.2, vibrato(midi(note), 0.01, 12.0), triangle, 0.45, decay=6.0)
    add_tone(buf, 0.3, 0.2, constant(midi(91)), lambda p: square(p, 0.125), 0.12, decay=12.0)
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
    buf = buffer(0.09)
    add_tone(buf, 0.0, 0.09, sweep(660.0, 440.0, 0.09), square, 0.35, decay=20.0, attack=0.001)
    return buf


EFFECTS = {
    "Default": effect_default,
    "Jump": effect_jump,
    "Dash": effect_dash,
    "Land": effect_land,
    "Throw": effect_throw,
    "Teleport": effect_teleport,
    "Ridicule": effect_ridicule,
    "PackageImpact": effect_package_impact,
    "PackageRecollect": effect_package_recollect,
    "Checkpoint": effect_checkpoint,
    "BreakingPlatformSound": effect_breaking_platform,
    "PlayerDeath": effect_player_death,
    "PlayerRespawn": effect_player_respawn,
    "WinFanfare": effect_win_fanfare,
    "UiHover": effect_ui_hover,
    "UiHit": effect_ui_hit,
    "UiHitOff": effect_ui_hit_off,
}


# ---------------------------------------------------------------- music

class Track:
    """An eight-bar loop: a lead melody in eighth notes, a bass line and a drum pattern."""

    def __init__(self, name, bpm, melody, bass_roots, bass_style, lead_wave, drums, arp=None):
        self.name = name
        self.eighth = 30.0 / bpm
        self.melody = melody
        self.bass_roots = bass_roots
        self.bass_style = bass_style
        self.lead_wave = lead_wave
        self.drums = drums
        self.arp = arp

    def render(self):
        bars = len(self.bass_roots)
        buf = buffer(bars * 8 * self.eighth)
        self.render_melody(buf)
        self.render_bass(buf)
        self.render_arp(buf)
        self.render_drums(buf)
        return buf

    def render_melody(self, buf):
        step = 0
        for note, length in self.melody:
            if note:
                add_tone(buf, step * self.eighth, length * self.eighth * 0.92,
                         vibrato(midi(note), 0.004, 5.5), self.lead_wave, 0.3, decay=0.8)
            step += length

    def render_bass(self, buf):
        for bar, root in enumerate(self.bass_roots):
            for i in range(8):
                start = (bar * 8 + i) * self.eighth
                if self.bass_style == "octaves":
                    note = root + (12 if i % 2 else 0)
                    add_tone(buf, start, self.eighth * 0.8, constant(midi(note)), triangle, 0.45)
                elif self.bass_style == "halves" and i % 4 == 0:
                    add_tone(buf, start, self.eighth * 3.8, constant(midi(root)), triangle, 0.5)
                elif self.bass_style == "drive":
                    note = root + (7 if i % 4 == 3 else 0)
                    add_tone(buf, start, self.eighth * 0.7, constant(midi(note)), triangle, 0.5)

    def render_arp(self, buf):
        if not self.arp:
            return
        sixteenth = self.eighth / 2.0
        for bar, chord in enumerate(self.arp):
            for i in range(16):
                note = chord[i % len(chord)]
                add_tone(buf, (bar * 16 + i) * sixteenth, sixteenth * 0.7, constant(midi(note)),
                         lambda p: square(p, 0.125), 0.08)

    def render_drums(self, buf):
        bars = len(self.bass_roots)
        for step in range(bars * 8):
            start = step * self.eighth
            beat = step % 8
            if beat in self.drums["kick"]:
                add_tone(buf, start, 0.12, sweep(140.0, 45.0, 0.12), sine, 0.7, decay=14.0,
                         attack=0.001)
            if beat in self.drums["snare"]:
                add_noise(buf, start, 0.14, 0.3, seed=100 + step, decay=22.0, hold=2)
            if beat in self.drums["hat"]:
                add_noise(buf, start, 0.04, 0.1, seed=300 + step, decay=80.0)


TRACKS = [
    # Level 1: bright and bouncy, C major.
    Track("Music", 132, [
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
    Track("Music2", 112, [
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


def encode_ogg(samples, path):
    with tempfile.TemporaryDirectory() as scratch:
        wav_path = os.path.join(scratch, "track.wav")
        write_wav(wav_path, samples, peak=0.7)
        subprocess.run(["sox", wav_path, "-C", "6", path], check=True)


def main():
    if not os.path.isdir("assets"):
        sys.exit("Run from the repository root.")
    os.makedirs(SOURCES, exist_ok=True)
    os.makedirs(MUSIC, exist_ok=True)
    for name, make in EFFECTS.items():
        write_wav(os.path.join(SOURCES, name + ".wav"), make())
    for track in TRACKS:
        encode_ogg(track.render(), os.path.join(MUSIC, track.name + ".ogg"))
    print("wrote %d effects and %d music tracks" % (len(EFFECTS), len(TRACKS)))


if __name__ == "__main__":
    main()
