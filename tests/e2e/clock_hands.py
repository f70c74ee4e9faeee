#!/usr/bin/env python3
"""Reads the hands of the saver's clock movie off a screenshot and compares them with a time.

    clock_hands.py SHOT.png HH:MM:SS

The movie's 800 x 600 stage is fitted into the screen and centred; the clock face sits in its
middle with a radius of 210 stage pixels. The minute hand is the darkest direction on a ring
beyond the hour hand's reach, the hour hand the darkest on a ring inside it, away from the
minute hand. Exits 0 when both stand where the time puts them.
"""

import math
import subprocess
import sys


def main(shot, when):
    width, height = map(int, subprocess.check_output(
        ["identify", "-format", "%w %h", shot]).split())
    grey = subprocess.check_output(["convert", shot, "-colorspace", "Gray", "-depth", "8", "gray:-"])
    scale = min(width / 800, height / 600)
    cx, cy, radius = width / 2, height / 2, 210 * scale

    def brightness(angle, reach):
        a = math.radians(angle)
        x = cx + reach * radius * math.sin(a)
        y = cy - reach * radius * math.cos(a)
        return grey[int(round(y)) * width + int(round(x))]

    def apart(a, b):
        return abs((a - b + 180) % 360 - 180)

    def darkest(reach, away_from=None):
        angles = [a for a in range(360) if away_from is None or apart(a, away_from) > 12]
        return min(angles, key=lambda a: brightness(a, reach))

    hours, minutes, seconds = map(int, when.split(":"))
    minute_hand = (minutes * 6 + seconds / 10) % 360
    hour_hand = (hours % 12) * 30 + minutes / 2
    found_minute = darkest(0.65)
    found_hour = darkest(0.35, away_from=found_minute)
    print(f"at {when}: minute hand {found_minute} (expected {minute_hand:.0f}), "
          f"hour hand {found_hour} (expected {hour_hand:.0f})")
    if apart(found_minute, minute_hand) > 4:
        return 1
    # Hands on top of each other hide the hour hand; the minute hand then stands for both.
    if apart(hour_hand, minute_hand) > 15 and apart(found_hour, hour_hand) > 5:
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
