#!/usr/bin/env python3
"""Writes content/logoff.wav: the hourly chime, two soft bell strokes (E6 then C6)."""
import math
import os
import struct
import wave

RATE = 22050
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "content", "logoff.wav")


def bell(freq, t):
    # A bell: the fundamental with two quieter partials, each dying away at its own pace.
    partials = ((1.0, 1.0, 2.2), (2.0, 0.35, 3.5), (3.01, 0.15, 5.0))
    return sum(a * math.exp(-d * t) * math.sin(2 * math.pi * freq * m * t) for m, a, d in partials)


def main():
    strokes = ((0.0, 1318.5), (0.45, 1046.5))
    length = 1.9
    frames = bytearray()
    for i in range(int(RATE * length)):
        t = i / RATE
        v = 0.0
        for start, freq in strokes:
            if t >= start:
                local = t - start
                attack = min(1.0, local / 0.004)
                v += attack * bell(freq, local)
        fade = min(1.0, (length - t) / 0.15)
        frames += struct.pack("<h", int(max(-1.0, min(1.0, 0.32 * v * fade)) * 32767))
    with wave.open(OUT, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(bytes(frames))


if __name__ == "__main__":
    main()
