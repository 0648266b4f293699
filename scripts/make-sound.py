#!/usr/bin/env python3
"""Writes dist/Alert.wav: Tidewell's low-memory chime (two falling tones, about 0.45 s)."""
import math
import os
import struct
import wave

RATE = 22050
PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "dist", "Alert.wav")


def tone(freq, seconds, volume=0.45):
    n = int(RATE * seconds)
    for i in range(n):
        t = i / RATE
        envelope = min(1.0, i / 200) * math.exp(-5.0 * t)  # soft attack, bell-like decay
        yield volume * envelope * (math.sin(2 * math.pi * freq * t) + 0.3 * math.sin(4 * math.pi * freq * t))


samples = list(tone(880, 0.2)) + list(tone(660, 0.25))
with wave.open(PATH, "wb") as w:
    w.setnchannels(1)
    w.setsampwidth(2)
    w.setframerate(RATE)
    w.writeframes(b"".join(struct.pack("<h", int(max(-1, min(1, s)) * 32767)) for s in samples))
