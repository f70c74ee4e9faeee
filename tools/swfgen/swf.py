"""A small writer of uncompressed SWF movies: vector shapes placed and moved frame by frame.

Units are twips (20 to a pixel) throughout. Only what the saver's movies need is here:
solid and gradient fills, straight and curved edges, PlaceObject2 with a matrix, an alpha
colour transform, clip depths and instance names, ShowFrame, and a frame script (DoAction)
assembled from a few ActionScript 1 operations.
"""

import math
import struct

TWIPS = 20
# Characters are numbered by layer; the clips that hold named layers come after them, and
# the one sound after any number of those.
CLIP_IDS = 30000
SOUND_ID = 60000

TAG_END = 0
TAG_SHOW_FRAME = 1
TAG_SET_BACKGROUND_COLOR = 9
TAG_DO_ACTION = 12
TAG_DEFINE_SOUND = 14
TAG_START_SOUND = 15
TAG_PLACE_OBJECT2 = 26
TAG_REMOVE_OBJECT2 = 28
TAG_DEFINE_SHAPE3 = 32
TAG_DEFINE_SPRITE = 39
TAG_FILE_ATTRIBUTES = 69


class BitWriter:
    """Bit fields written most significant bit first, as SWF packs them."""

    def __init__(self):
        self.data = bytearray()
        self.bit_count = 0
        self.current = 0

    def ub(self, bits, value):
        if value < 0 or value >= (1 << bits):
            raise ValueError(f"{value} does not fit {bits} unsigned bits")
        for i in range(bits - 1, -1, -1):
            self.current = (self.current << 1) | ((value >> i) & 1)
            self.bit_count += 1
            if self.bit_count == 8:
                self.data.append(self.current)
                self.current = 0
                self.bit_count = 0

    def sb(self, bits, value):
        if bits and not -(1 << (bits - 1)) <= value < (1 << (bits - 1)):
            raise ValueError(f"{value} does not fit {bits} signed bits")
        self.ub(bits, value & ((1 << bits) - 1) if bits else 0)

    def align(self):
        if self.bit_count:
            self.ub(8 - self.bit_count, 0)

    def bytes(self):
        self.align()
        return bytes(self.data)


def signed_bits(*values):
    """The fewest bits that hold every value as a signed field (at least 1)."""
    bits = 1
    for v in values:
        v = int(v)
        needed = (v.bit_length() if v >= 0 else (-v - 1).bit_length()) + 1
        bits = max(bits, needed)
    return bits


def rect(xmin, xmax, ymin, ymax):
    w = BitWriter()
    n = signed_bits(xmin, xmax, ymin, ymax)
    w.ub(5, n)
    for v in (xmin, xmax, ymin, ymax):
        w.sb(n, int(v))
    return w.bytes()


def fixed16(value):
    return int(round(value * 65536))


def write_matrix(w, scale_x=1.0, scale_y=1.0, skew0=0.0, skew1=0.0, tx=0, ty=0):
    if (scale_x, scale_y) != (1.0, 1.0):
        sx, sy = fixed16(scale_x), fixed16(scale_y)
        n = signed_bits(sx, sy)
        w.ub(1, 1)
        w.ub(5, n)
        w.sb(n, sx)
        w.sb(n, sy)
    else:
        w.ub(1, 0)
    if (skew0, skew1) != (0.0, 0.0):
        r0, r1 = fixed16(skew0), fixed16(skew1)
        n = signed_bits(r0, r1)
        w.ub(1, 1)
        w.ub(5, n)
        w.sb(n, r0)
        w.sb(n, r1)
    else:
        w.ub(1, 0)
    tx, ty = int(round(tx)), int(round(ty))
    n = signed_bits(tx, ty) if (tx or ty) else 0
    w.ub(5, n)
    if n:
        w.sb(n, tx)
        w.sb(n, ty)


class Transform:
    """Where and how a placed shape is drawn: position, turn (degrees, clockwise), scale."""

    def __init__(self, x=0.0, y=0.0, angle=0.0, scale=1.0, scale_y=None, alpha=1.0):
        self.x, self.y, self.angle = x, y, angle
        self.scale_x = scale
        self.scale_y = scale if scale_y is None else scale_y
        self.alpha = alpha

    def matrix_bytes(self):
        w = BitWriter()
        rad = math.radians(self.angle)
        c, s = math.cos(rad), math.sin(rad)
        if abs(s) < 1e-9:
            write_matrix(w, self.scale_x * c, self.scale_y * c, 0.0, 0.0, self.x, self.y)
        else:
            write_matrix(w, self.scale_x * c, self.scale_y * c, self.scale_x * s,
                         -self.scale_y * s, self.x, self.y)
        return w.bytes()

    def colour_transform_bytes(self):
        # CXFORMWITHALPHA with multiply terms only: red, green, blue kept, alpha scaled.
        w = BitWriter()
        a = max(0, min(256, int(round(self.alpha * 256))))
        n = signed_bits(256, a)
        w.ub(1, 0)
        w.ub(1, 1)
        w.ub(4, n)
        for v in (256, 256, 256, a):
            w.sb(n, v)
        return w.bytes()


def rgba(colour, alpha=255):
    """Colour as 0xRRGGBB."""
    return bytes(((colour >> 16) & 255, (colour >> 8) & 255, colour & 255, alpha))


class Fill:
    @staticmethod
    def solid(colour, alpha=255):
        return b"\x00" + rgba(colour, alpha)

    @staticmethod
    def _gradient(kind, stops, cx, cy, size, angle):
        w = BitWriter()
        rad = math.radians(angle)
        scale = size / 32768.0
        c, s = math.cos(rad) * scale, math.sin(rad) * scale
        write_matrix(w, c, c, s, -s, cx, cy)
        out = bytes([kind]) + w.bytes()
        out += bytes([len(stops)])  # pad mode and interpolation 0, count in the low bits
        for ratio, colour, alpha in stops:
            out += bytes([ratio]) + rgba(colour, alpha)
        return out

    @staticmethod
    def linear(stops, cx, cy, length, angle=90):
        """Stops (ratio 0..255, colour, alpha) along a line of the given length through
        (cx, cy); angle 90 runs top to bottom."""
        return Fill._gradient(0x10, stops, cx, cy, length, angle)

    @staticmethod
    def radial(stops, cx, cy, radius):
        return Fill._gradient(0x12, stops, cx, cy, radius * 2, 0)


class Path:
    """One closed outline drawn with absolute points; becomes edge records."""

    def __init__(self, fill_index, x, y):
        self.fill_index = fill_index
        self.start = (int(round(x)), int(round(y)))
        self.edges = []  # ("L", x, y) or ("C", cx, cy, x, y), absolute
        self.points = [self.start]

    def line(self, x, y):
        p = (int(round(x)), int(round(y)))
        self.edges.append(("L",) + p)
        self.points.append(p)
        return self

    def curve(self, cx, cy, x, y):
        c = (int(round(cx)), int(round(cy)))
        p = (int(round(x)), int(round(y)))
        self.edges.append(("C",) + c + p)
        self.points += [c, p]
        return self

    def close(self):
        last = self.points[-1]
        if last != self.start:
            self.line(*self.start)
        return self


def polygon(fill_index, points):
    path = Path(fill_index, *points[0])
    for p in points[1:]:
        path.line(*p)
    return path.close()


def circle(fill_index, cx, cy, r, ry=None):
    """An ellipse from eight quadratic curves, drawn clockwise on screen."""
    ry = r if ry is None else ry
    k = 1.0 / math.cos(math.pi / 8)
    path = Path(fill_index, cx + r, cy)
    for i in range(1, 9):
        a0 = math.pi / 4 * (i - 0.5)
        a1 = math.pi / 4 * i
        path.curve(cx + r * k * math.cos(a0), cy + ry * k * math.sin(a0),
                   cx + r * math.cos(a1), cy + ry * math.sin(a1))
    return path.close()


def box(fill_index, x0, y0, x1, y1):
    return polygon(fill_index, [(x0, y0), (x1, y0), (x1, y1), (x0, y1)])


def petal(fill_index, length, width, base=0.0):
    """A pointed leaf shape from (0, -base) upwards to (0, -length), drawn clockwise."""
    path = Path(fill_index, 0, -base)
    path.curve(width, -(base + length) * 0.55, 0, -length)
    path.curve(-width, -(base + length) * 0.55, 0, -base)
    return path


class Shape:
    def __init__(self, fills, paths):
        self.fills = fills
        self.paths = paths

    def bounds(self):
        xs = [p[0] for path in self.paths for p in path.points]
        ys = [p[1] for path in self.paths for p in path.points]
        return min(xs), max(xs), min(ys), max(ys)

    def define_shape3(self, shape_id):
        out = struct.pack("<H", shape_id) + rect(*self.bounds())
        out += bytes([len(self.fills)]) + b"".join(self.fills)
        out += bytes([0])  # no line styles
        fill_bits = max(1, len(self.fills).bit_length())
        out += bytes([fill_bits << 4])
        w = BitWriter()
        for path in self.paths:
            # Style change: new fill style 1, move to the path's start.
            x, y = path.start
            w.ub(1, 0)
            w.ub(1, 0)  # no new styles
            w.ub(1, 0)  # no line style change
            w.ub(1, 1)  # fill style 1
            w.ub(1, 1)  # fill style 0
            w.ub(1, 1)  # move to
            n = signed_bits(x, y)
            w.ub(5, n)
            w.sb(n, x)
            w.sb(n, y)
            w.ub(fill_bits, 0)
            w.ub(fill_bits, path.fill_index)
            px, py = x, y
            for edge in path.edges:
                if edge[0] == "L":
                    dx, dy = edge[1] - px, edge[2] - py
                    px, py = edge[1], edge[2]
                    if dx == 0 and dy == 0:
                        continue
                    n = max(2, signed_bits(dx, dy))
                    w.ub(1, 1)
                    w.ub(1, 1)
                    w.ub(4, n - 2)
                    if dx and dy:
                        w.ub(1, 1)
                        w.sb(n, dx)
                        w.sb(n, dy)
                    else:
                        w.ub(1, 0)
                        w.ub(1, 1 if dx == 0 else 0)
                        w.sb(n, dy if dx == 0 else dx)
                else:
                    cdx, cdy = edge[1] - px, edge[2] - py
                    adx, ady = edge[3] - edge[1], edge[4] - edge[2]
                    px, py = edge[3], edge[4]
                    n = max(2, signed_bits(cdx, cdy, adx, ady))
                    w.ub(1, 1)
                    w.ub(1, 0)
                    w.ub(4, n - 2)
                    for v in (cdx, cdy, adx, ady):
                        w.sb(n, v)
        w.ub(1, 0)
        w.ub(5, 0)  # end of shape
        return out + w.bytes()


def tag(code, body=b""):
    if len(body) < 63:
        return struct.pack("<H", (code << 6) | len(body)) + body
    return struct.pack("<HI", (code << 6) | 0x3F, len(body)) + body


def place_object2(depth, transform, character=None, clip_depth=None, name=None):
    flags = 0x04  # has matrix
    if character is None:
        flags |= 0x01  # move the object at this depth
    else:
        flags |= 0x02
    if transform.alpha < 1.0:
        flags |= 0x08
    if name is not None:
        flags |= 0x20
    if clip_depth is not None:
        flags |= 0x40
    body = bytes([flags]) + struct.pack("<H", depth)
    if character is not None:
        body += struct.pack("<H", character)
    body += transform.matrix_bytes()
    if transform.alpha < 1.0:
        body += transform.colour_transform_bytes()
    if name is not None:
        body += name.encode("ascii") + b"\x00"
    if clip_depth is not None:
        body += struct.pack("<H", clip_depth)
    return tag(TAG_PLACE_OBJECT2, body)


class Actions:
    """A frame script: ActionScript 1 operations on the player's stack, written in order."""

    GET_VARIABLE = 0x1C
    SET_VARIABLE = 0x1D
    NEW_OBJECT = 0x40
    SET_MEMBER = 0x4F
    CALL_METHOD = 0x52
    MULTIPLY = 0x0C
    DIVIDE = 0x0D
    MODULO = 0x3F
    ADD = 0x47

    def __init__(self):
        self.code = bytearray()

    def push(self, *values):
        """Strings and 32-bit integers, the last one on top."""
        data = b""
        for v in values:
            if isinstance(v, str):
                data += b"\x00" + v.encode("ascii") + b"\x00"
            else:
                data += b"\x07" + struct.pack("<i", v)
        self.code += bytes([0x96]) + struct.pack("<H", len(data)) + data
        return self

    def op(self, code):
        self.code.append(code)
        return self

    def get(self, variable):
        """The value of a variable (a named clip of the timeline is one) onto the stack."""
        return self.push(variable).op(self.GET_VARIABLE)

    def call(self, variable, method):
        """Calls variable.method() without arguments; the result is left on the stack."""
        return self.push(0).get(variable).push(method).op(self.CALL_METHOD)

    def bytes(self):
        return bytes(self.code) + b"\x00"  # end of actions


def define_sound(sound_id, samples, rate_code=1):
    """Mono 16-bit uncompressed sound; rate code 1 is 11025 samples a second."""
    head = struct.pack("<H", sound_id)
    head += bytes([(3 << 4) | (rate_code << 2) | (1 << 1) | 0])
    head += struct.pack("<I", len(samples))
    data = b"".join(struct.pack("<h", max(-32768, min(32767, v))) for v in samples)
    return tag(TAG_DEFINE_SOUND, head + data)


def start_sound(sound_id):
    return tag(TAG_START_SOUND, struct.pack("<H", sound_id) + bytes([0]))


class Layer:
    """A shape at one depth whose transform is a function of the frame number."""

    def __init__(self, shape, motion=None, clip_to=None, name=None):
        self.shape = shape
        self.motion = motion or (lambda frame: Transform())
        self.clip_to = clip_to
        self.name = name


class Movie:
    def __init__(self, width_px=800, height_px=600, fps=24, frames=96, version=10):
        self.width = width_px * TWIPS
        self.height = height_px * TWIPS
        self.fps = fps
        self.frames = frames
        self.version = version
        self.layers = []
        self.sound = None  # (samples, frames on which it starts)
        self.script = None  # Actions run on entering every frame

    def add_sound(self, samples, start_frames):
        self.sound = (samples, set(start_frames))

    def add(self, shape, motion=None, clip_to=None, name=None):
        """Adds a layer above the others; clip_to makes it a mask over the layers up to
        that (1-based) layer number; a name lets the frame script reach it."""
        self.layers.append(Layer(shape, motion, clip_to, name))
        return len(self.layers)

    def _frame_tags(self, frame, previous):
        """The tags of one frame; an object whose placement did not change is left alone."""
        out = b""
        if self.sound and frame in self.sound[1]:
            out += start_sound(SOUND_ID)
        for index, layer in enumerate(self.layers):
            depth = index + 1
            transform = layer.motion(frame)
            if frame == 0:
                out += place_object2(depth, transform, character=self.character(depth),
                                     clip_depth=layer.clip_to, name=layer.name)
            else:
                placed = place_object2(depth, transform)
                if placed != previous.get(depth):
                    out += placed
                previous[depth] = placed
                continue
            previous[depth] = place_object2(depth, transform)
        if self.script:
            out += tag(TAG_DO_ACTION, self.script.bytes())
        return out + tag(TAG_SHOW_FRAME)

    def character(self, depth):
        """What is placed at a depth: its shape, or for a named layer the clip holding it
        (a script reaches clips by name, never shapes)."""
        return depth if self.layers[depth - 1].name is None else CLIP_IDS + depth

    def build(self):
        body = tag(TAG_FILE_ATTRIBUTES, struct.pack("<I", 0))
        body += tag(TAG_SET_BACKGROUND_COLOR, bytes([0, 0, 0]))
        for index, layer in enumerate(self.layers):
            body += tag(TAG_DEFINE_SHAPE3, layer.shape.define_shape3(index + 1))
            if layer.name is not None:
                clip = struct.pack("<HH", self.character(index + 1), 1)
                clip += place_object2(1, Transform(), character=index + 1)
                body += tag(TAG_DEFINE_SPRITE, clip + tag(TAG_SHOW_FRAME) + tag(TAG_END))
        if self.sound:
            body += define_sound(SOUND_ID, self.sound[0])
        previous = {}
        for frame in range(self.frames):
            body += self._frame_tags(frame, previous)
        body += tag(TAG_END)
        header_rest = rect(0, self.width, 0, self.height)
        header_rest += struct.pack("<HH", self.fps << 8, self.frames)
        length = 8 + len(header_rest) + len(body)
        return b"FWS" + bytes([self.version]) + struct.pack("<I", length) + header_rest + body
