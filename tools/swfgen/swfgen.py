#!/usr/bin/env python3
"""Writes the screen saver's movies: one folder per theme, each with a few "*.jav" files.

    tools/swfgen/swfgen.py OUTPUT_FOLDER

The output depends on nothing but this code, so running it again gives the same bytes.
"""

import math
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from swf import (Actions, Fill, Movie, Path, Shape, Transform, box, circle, petal,  # noqa: E402
                 polygon)

W, H = 16000, 12000
CX, CY = W / 2, H / 2


def wave(frame, period, low=0.0, high=1.0, phase=0.0):
    t = (math.sin(2 * math.pi * (frame / period + phase)) + 1) / 2
    return low + (high - low) * t


def backdrop(movie, top, bottom):
    sky = Fill.linear([(0, top, 255), (255, bottom, 255)], CX, CY, H)
    movie.add(Shape([sky], [box(1, 0, 0, W, H)]))


def stars(movie, count, seed, colour=0xFFFFFF):
    paths = []
    state = seed
    for _ in range(count):
        state = (state * 1103515245 + 12345) % (1 << 31)
        x = state % W
        state = (state * 1103515245 + 12345) % (1 << 31)
        y = state % H
        paths.append(circle(1, x, y, 25 + state % 30))
    shape = Shape([Fill.solid(colour)], paths)
    movie.add(shape, lambda f: Transform(alpha=wave(f, 48, 0.55, 1.0)))


# --- earth: a turning globe ---------------------------------------------------------------

def continents(colour_land, colour_ice, radius):
    blobs = [(-0.7, -0.3, 0.35, 0.25), (-0.2, 0.2, 0.25, 0.4), (0.4, -0.35, 0.4, 0.22),
             (0.55, 0.3, 0.2, 0.18), (1.0, 0.05, 0.3, 0.3)]
    paths = []
    for repeat in (0, 2):  # two copies side by side, so the scroll can wrap
        for bx, by, rx, ry in blobs:
            x = (bx + repeat) * radius
            paths.append(circle(1, x, by * radius, rx * radius, ry * radius))
    paths.append(box(2, -radius, -radius * 1.05, radius * 3.2, -radius * 0.82))
    paths.append(box(2, -radius, radius * 0.82, radius * 3.2, radius * 1.05))
    return Shape([Fill.solid(colour_land), Fill.solid(colour_ice)], paths)


def globe(name, ocean, land, frames, with_moon):
    movie = Movie(frames=frames)
    backdrop(movie, 0x020414, 0x0A1030)
    stars(movie, 60, len(name))
    r = 3600
    halo = Fill.radial([(150, 0x4080FF, 0), (190, 0x4080FF, 110), (255, 0x4080FF, 0)], 0, 0,
                       r * 1.35)
    movie.add(Shape([halo], [circle(1, 0, 0, r * 1.35)]), lambda f: Transform(CX, CY))
    mask_layer = len(movie.layers) + 1
    movie.add(Shape([Fill.solid(0xFFFFFF)], [circle(1, 0, 0, r)]),
              lambda f: Transform(CX, CY), clip_to=mask_layer + 3)
    sea = Fill.radial([(0, ocean[0], 255), (255, ocean[1], 255)], -r * 0.3, -r * 0.3, r * 1.4)
    movie.add(Shape([sea], [circle(1, 0, 0, r)]), lambda f: Transform(CX, CY))
    movie.add(continents(land, 0xF4F8FF, r),
              lambda f: Transform(CX - r - (2 * r) * f / frames, CY))
    shade = Fill.radial([(0, 0xFFFFFF, 70), (120, 0x000000, 0), (255, 0x000010, 170)],
                        -r * 0.35, -r * 0.35, r * 1.5)
    movie.add(Shape([shade], [circle(1, 0, 0, r)]), lambda f: Transform(CX, CY))
    if with_moon:
        moon = Fill.radial([(0, 0xF0F0E8, 255), (255, 0x8C8C86, 255)], -150, -150, 700)
        movie.add(Shape([moon], [circle(1, 0, 0, 560)]),
                  lambda f: Transform(CX + 6200 * math.cos(2 * math.pi * f / frames),
                                      CY + 1500 * math.sin(2 * math.pi * f / frames)))
    return movie


# --- beautful: scenery ----------------------------------------------------------------------

def hills(colour, base, height, bumps, phase):
    path = Path(1, 0, H).line(0, base)
    step = W / bumps
    for i in range(bumps):
        x0 = i * step
        top = base - height * (0.6 + 0.4 * math.sin(i * 1.7 + phase))
        path.curve(x0 + step / 2, top, x0 + step, base)
    path.line(W, H).close()
    return Shape([Fill.solid(colour)], [path])


def cloud_puffs():
    """Overlapping outlines of one fill would cut holes into each other: one shape a puff."""
    parts = [(0, 0, 900, 420), (-800, 120, 600, 320), (800, 100, 700, 340), (200, -250, 600, 380)]
    return [Shape([Fill.solid(0xFFFFFF)], [circle(1, x, y, rx, ry)]) for x, y, rx, ry in parts]


def bird():
    path = Path(1, -300, 0)
    path.curve(-150, -160, 0, 20).curve(150, -160, 300, 0).curve(150, -60, 0, 60)
    path.curve(-150, -60, -300, 0)
    return Shape([Fill.solid(0x302018)], [path])


def scenery(name, sky, sun_colour, hill_colours, frames, birds):
    movie = Movie(frames=frames)
    backdrop(movie, *sky)
    sun = Fill.radial([(0, sun_colour, 255), (160, sun_colour, 255), (255, sun_colour, 0)],
                      0, 0, 1500)
    movie.add(Shape([sun], [circle(1, 0, 0, 1500)]),
              lambda f: Transform(W * 0.7, H * 0.36 - 600 * f / frames,
                                  scale=wave(f, frames / 2, 0.95, 1.05)))
    for i, speed in enumerate((1.0, 0.6)):
        for puff in cloud_puffs():
            movie.add(puff, lambda f, i=i, s=speed: Transform(
                (W * (0.15 + 0.5 * i) + s * 5000 * f / frames) % (W + 3000) - 1500,
                H * (0.18 + 0.1 * i), scale=0.9 + 0.3 * i, alpha=0.92))
    for i, colour in enumerate(hill_colours):
        movie.add(hills(colour, H * (0.62 + 0.12 * i), 1800 - 400 * i, 3 + i, i * 2.1))
    for i in range(birds):
        movie.add(bird(), lambda f, i=i: Transform(
            (W * 0.1 + i * 900 + 7000 * f / frames) % W, H * (0.3 + 0.04 * i)
            + 200 * math.sin(f / 5 + i), scale_y=wave(f, 10, 0.4, 1.0, i * 0.3),
            scale=0.8))
    return movie


# --- pusa: a calm seated figure with a halo ---------------------------------------------------

def figure_parts(robe, skin):
    """Body, shoulders, head, hair knot and folded hands, back to front."""
    parts = [(robe, 0, 1500, 2000, 1700), (robe, 0, 300, 1200, 900), (skin, 0, -900, 620, 700),
             (0x3A2A20, 0, -1700, 300, 260), (skin, 0, 1700, 520, 260)]
    return [Shape([Fill.solid(c)], [circle(1, x, y, rx, ry)]) for c, x, y, rx, ry in parts]


def serene(name, backdrop_colours, halo_colour, robe, frames, rays):
    movie = Movie(frames=frames)
    backdrop(movie, *backdrop_colours)
    glow = Fill.radial([(0, halo_colour, 230), (150, halo_colour, 120), (255, halo_colour, 0)],
                       0, 0, 3000)
    movie.add(Shape([glow], [circle(1, 0, 0, 3000)]),
              lambda f: Transform(CX, CY - 1000, scale=wave(f, frames / 2, 0.9, 1.12),
                                  alpha=wave(f, frames / 2, 0.6, 0.999)))
    if rays:
        ray_paths = [polygon(1, [(0, 0), (2400 * math.cos(a - 0.06), 2400 * math.sin(a - 0.06)),
                                 (2400 * math.cos(a + 0.06), 2400 * math.sin(a + 0.06))])
                     for a in (2 * math.pi * k / 16 for k in range(16))]
        movie.add(Shape([Fill.solid(halo_colour, 120)], ray_paths),
                  lambda f: Transform(CX, CY - 1000, angle=360 * f / frames))
    ring = Fill.radial([(0, 0xFFFFFF, 0), (200, 0xFFF4C0, 0), (225, 0xFFF4C0, 255),
                        (255, 0xFFF4C0, 0)], 0, 0, 1200)
    movie.add(Shape([ring], [circle(1, 0, 0, 1200)]), lambda f: Transform(CX, CY - 1000))
    for part in figure_parts(robe, 0xF2D2A8):
        movie.add(part, lambda f: Transform(CX, CY + 300 + 60 * math.sin(2 * math.pi * f / frames)))
    seat_petal = Shape([Fill.solid(0xF6B6C8)], [petal(1, 900, 420)])
    for k in range(7):
        movie.add(seat_petal,
                  lambda f, k=k: Transform(CX + (k - 3) * 620, CY + 3800,
                                           angle=(k - 3) * 14, scale=1.2))
    return movie


# --- flower: opening petals -------------------------------------------------------------------

def blossom(movie, x, y, colours, count, size, frames, delay, spin):
    inner, outer = colours
    fill = Fill.radial([(0, inner, 255), (255, outer, 255)], 0, -size * 0.3, size)
    shape = Shape([fill], [petal(1, size, size * 0.36, base=size * 0.1)])
    for k in range(count):
        def motion(f, k=k):
            opening = min(1.0, max(0.05, (f - delay) / (frames * 0.45)))
            opening = 0.5 - 0.5 * math.cos(math.pi * opening)
            sway = wave(f, frames, -6, 6) + spin * 360 * f / frames
            return Transform(x, y, angle=360 * k / count * opening + sway,
                             scale=0.3 + 0.7 * opening)
        movie.add(shape, motion)
    heart = Fill.radial([(0, 0xFFF27A, 255), (255, 0xE0A000, 255)], 0, 0, size * 0.2)
    movie.add(Shape([heart], [circle(1, 0, 0, size * 0.2)]),
              lambda f: Transform(x, y, scale=wave(f, 24, 0.9, 1.1)))


def garden(name, sky, blossoms, frames):
    movie = Movie(frames=frames)
    backdrop(movie, *sky)
    movie.add(Shape([Fill.solid(0x2F7A34)], [box(1, 0, H * 0.82, W, H)]))
    for x, y, colours, count, size, delay, spin in blossoms:
        stem = Shape([Fill.solid(0x3C8C3A)], [box(1, -60, 0, 60, H - y)])
        movie.add(stem, lambda f, x=x, y=y: Transform(x, y))
        blossom(movie, x, y, colours, count, size, frames, delay, spin)
    return movie


# --- clock: hands that move -------------------------------------------------------------------

def tick(rate=11025, seconds=0.04, pitch=1800.0, loudness=0.12):
    """A soft wooden tick: a short tone that dies away."""
    count = int(rate * seconds)
    return [int(32767 * loudness * math.exp(-t / (count / 5)) * math.sin(2 * math.pi * pitch * t / rate))
            for t in range(count)]


def clock_script():
    """On every frame: the hands to the local time of the machine the movie plays on."""
    a = Actions()
    a.push("now", 0, "Date").op(Actions.NEW_OBJECT).op(Actions.SET_VARIABLE)
    # Hour hand: 30 degrees an hour and half a degree a minute.
    a.get("hourHand").push("_rotation")
    a.call("now", "getHours").push(12).op(Actions.MODULO).push(30).op(Actions.MULTIPLY)
    a.call("now", "getMinutes").push(2).op(Actions.DIVIDE).op(Actions.ADD)
    a.op(Actions.SET_MEMBER)
    # Minute hand: 6 degrees a minute, moving on with the seconds.
    a.get("minuteHand").push("_rotation")
    a.call("now", "getMinutes").push(6).op(Actions.MULTIPLY)
    a.call("now", "getSeconds").push(10).op(Actions.DIVIDE).op(Actions.ADD)
    a.op(Actions.SET_MEMBER)
    # Second hand: a step of 6 degrees a second.
    a.get("secondHand").push("_rotation")
    a.call("now", "getSeconds").push(6).op(Actions.MULTIPLY)
    a.op(Actions.SET_MEMBER)
    return a


def clock(name, face, rim, hand, frames, ticking=False):
    movie = Movie(frames=frames)
    if ticking:
        movie.add_sound(tick(), range(0, frames, movie.fps))
    backdrop(movie, 0x101820, 0x28323C)
    r = 4200
    movie.add(Shape([Fill.solid(rim)], [circle(1, 0, 0, r + 260)]), lambda f: Transform(CX, CY))
    face_fill = Fill.radial([(0, 0xFFFFFF, 255), (255, face, 255)], -r * 0.2, -r * 0.2, r * 1.3)
    movie.add(Shape([face_fill], [circle(1, 0, 0, r)]), lambda f: Transform(CX, CY))
    ticks = []
    for k in range(60):
        a = 2 * math.pi * k / 60
        long = k % 5 == 0
        inner, width = (r * 0.82, 0.025) if long else (r * 0.9, 0.008)
        ticks.append(polygon(1, [(inner * math.cos(a - width), inner * math.sin(a - width)),
                                 (r * 0.95 * math.cos(a - width), r * 0.95 * math.sin(a - width)),
                                 (r * 0.95 * math.cos(a + width), r * 0.95 * math.sin(a + width)),
                                 (inner * math.cos(a + width), inner * math.sin(a + width))]))
    movie.add(Shape([Fill.solid(0x222222)], ticks), lambda f: Transform(CX, CY))

    def hand_shape(length, width, colour):
        return Shape([Fill.solid(colour)], [polygon(1, [(-width, 300), (width, 300),
                                                         (width * 0.4, -length),
                                                         (-width * 0.4, -length)])])

    # The hands stand at the centre; the frame script turns them to the time.
    centre = lambda f: Transform(CX, CY)  # noqa: E731
    movie.add(hand_shape(r * 0.5, 160, hand), centre, name="hourHand")
    movie.add(hand_shape(r * 0.78, 110, hand), centre, name="minuteHand")
    movie.add(hand_shape(r * 0.88, 40, 0xD02020), centre, name="secondHand")
    movie.add(Shape([Fill.solid(0xD02020)], [circle(1, 0, 0, 240)]), centre)
    movie.script = clock_script()
    return movie


# --- lianhua: a lotus on the water ------------------------------------------------------------

def lotus(name, water, petal_colours, frames, unfold):
    movie = Movie(frames=frames)
    backdrop(movie, *water)
    ripple = Fill.radial([(0, 0xFFFFFF, 0), (215, 0xFFFFFF, 0), (235, 0xFFFFFF, 140),
                          (255, 0xFFFFFF, 0)], 0, 0, 3000)
    for k in range(3):
        movie.add(Shape([ripple], [circle(1, 0, 0, 3000)]), lambda f, k=k: Transform(
            CX, CY + 2600, scale=0.3 + 1.6 * ((f / frames + k / 3) % 1),
            alpha=max(0.01, 1 - ((f / frames + k / 3) % 1))))
    pad = Fill.radial([(0, 0x4FA84A, 255), (255, 0x1E5E2A, 255)], 0, 0, 3200)
    movie.add(Shape([pad], [circle(1, 0, 0, 3200, 900)]), lambda f: Transform(CX, CY + 2700))
    inner, outer = petal_colours
    fill = Fill.linear([(0, outer, 255), (255, inner, 255)], 0, -1400, 2800)
    shape = Shape([fill], [petal(1, 2800, 950)])
    for ring, count, scale in ((0, 8, 1.0), (1, 6, 0.8), (2, 3, 0.6)):
        for k in range(count):
            spread = 80 - ring * 22
            def motion(f, k=k, count=count, spread=spread, scale=scale):
                t = (0.5 - 0.5 * math.cos(2 * math.pi * f / frames)) if unfold else 1.0
                a = (k / (count - 1) - 0.5) * 2 * spread * (0.55 + 0.45 * t)
                return Transform(CX, CY + 2300 + 40 * math.sin(2 * math.pi * f / frames),
                                 angle=a, scale=scale)
            movie.add(shape, motion)
    return movie


# --- chuangyi: something creative ------------------------------------------------------------

def squares(name, palette, frames):
    movie = Movie(frames=frames)
    backdrop(movie, 0x0C0C18, 0x181830)
    for k, colour in enumerate(palette):
        size = 5200 - k * 560
        shape = Shape([Fill.solid(colour, 200)], [box(1, -size / 2, -size / 2, size / 2,
                                                      size / 2)])
        movie.add(shape, lambda f, k=k: Transform(
            CX, CY, angle=(1 if k % 2 else -1) * 360 * f / frames + k * 9,
            scale=wave(f, frames / 2, 0.85, 1.15, k / len(palette))))
    return movie


def orbits(name, palette, frames):
    movie = Movie(frames=frames)
    backdrop(movie, 0x10061A, 0x201040)
    for k, colour in enumerate(palette):
        dot = Fill.radial([(0, 0xFFFFFF, 255), (90, colour, 255), (255, colour, 0)], 0, 0, 900)
        movie.add(Shape([dot], [circle(1, 0, 0, 900)]), lambda f, k=k: Transform(
            CX + (1500 + 600 * k) * math.cos(2 * math.pi * (f * (k % 3 + 1) / frames
                                                           + k / len(palette))),
            CY + (1000 + 380 * k) * math.sin(2 * math.pi * (f * (k % 3 + 1) / frames
                                                           + k / len(palette))),
            scale=wave(f, frames / 3, 0.6, 1.3, k / 7)))
    return movie


MOVIES = {
    "earth": {
        "earth1.jav": lambda: globe("earth1", (0x3A8EE0, 0x0A2A70), 0x3E9A48, 240, False),
        "earth2.jav": lambda: globe("earth2", (0x2A70C0, 0x061A50), 0xB09050, 288, True),
        "earth3.jav": lambda: globe("earth3", (0x48A8D8, 0x103860), 0x2E7D3A, 192, True),
    },
    "beautful": {
        "beautful1.jav": lambda: scenery("beautful1", (0x6FB6F0, 0xFFE2B0), 0xFFF2A0,
                                         (0x6A9A5C, 0x3E7044, 0x24502E), 240, 4),
        "beautful2.jav": lambda: scenery("beautful2", (0x2A2058, 0xF08A50), 0xFFB050,
                                         (0x5A4668, 0x3A2C4A, 0x1E1628), 240, 3),
    },
    "pusa": {
        "pusa1.jav": lambda: serene("pusa1", (0x2A1808, 0x6A4010), 0xFFD060, 0xC8502A, 144,
                                    False),
        "pusa2.jav": lambda: serene("pusa2", (0x0A1A28, 0x284858), 0xFFE6A0, 0xF0F0E8, 192,
                                    True),
    },
    "flower": {
        "flower1.jav": lambda: garden("flower1", (0x9FD4FF, 0xE8F6FF),
                                      [(CX, CY - 600, (0xFFF0F4, 0xE83C6C), 8, 2600, 0, 0)],
                                      192),
        "flower2.jav": lambda: garden("flower2", (0xFFE8C8, 0xFFF8F0),
                                      [(W * 0.25, CY, (0xFFFFFF, 0xA050E0), 6, 1700, 0, 0),
                                       (W * 0.5, CY - 1400, (0xFFF8E0, 0xFF8C20), 10, 2000,
                                        30, 0),
                                       (W * 0.75, CY + 300, (0xFFF0F0, 0xE02040), 7, 1500,
                                        60, 0)], 240),
        "flower3.jav": lambda: garden("flower3", (0x203850, 0x5080A0),
                                      [(CX, CY - 800, (0xFFFFFF, 0xF0F0F0), 14, 2800, 0, 1)],
                                      240),
    },
    "clock": {
        "clock1.jav": lambda: clock("clock1", 0xE8E0D0, 0x8A5A2A, 0x202020, 240, ticking=True),
        "clock2.jav": lambda: clock("clock2", 0xD8E8F8, 0x2A4A7A, 0x102040, 288),
    },
    "lianhua": {
        "lianhua1.jav": lambda: lotus("lianhua1", (0x0A2A3A, 0x1A5A6A), (0xFFF4F8, 0xF06090),
                                      240, True),
        "lianhua2.jav": lambda: lotus("lianhua2", (0x10182A, 0x30406A), (0xFFFFFF, 0xC8A0F0),
                                      192, False),
    },
    "chuangyi": {
        "chuangyi1.jav": lambda: squares("chuangyi1", [0xFF5050, 0xFFA040, 0xFFE040, 0x60E060,
                                                       0x40C0FF, 0x6060FF, 0xC060FF, 0xFF60C0],
                                         288),
        "chuangyi2.jav": lambda: orbits("chuangyi2", [0xFF4060, 0x40FF90, 0x4090FF, 0xFFD040,
                                                      0xD040FF, 0x40FFF0, 0xFF8040], 240),
    },
}


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    out = argv[1]
    for folder, movies in MOVIES.items():
        os.makedirs(os.path.join(out, folder), exist_ok=True)
        for name, make in movies.items():
            with open(os.path.join(out, folder, name), "wb") as f:
                f.write(make().build())
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
