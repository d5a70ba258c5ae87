#!/usr/bin/env python3
"""Makes the handwriting model of the ink editor, and held-out samples to
measure it with.

The strokes come from the single-stroke Hershey fonts (Debian package
hershey-fonts-data). Each sample is one glyph written into a short line of
other glyphs with random slant, rotation, aspect, size, wobble, pen
resampling, joined or reversed strokes and dotted taps, then placed into the
recogniser's 300 x 300 box exactly as wince/recognizer places a character
of a written line: the line's baseline and body height are estimated from
all of its characters, so that the model learns where a glyph sits (o
against O, comma against apostrophe) as it will be seen.

    inkmodel.py train  <fonts dir> <out dir>   # ink-latin.model via zinnia_learn
    inkmodel.py heldout <fonts dir> <out file> # page-coordinate samples

Fixed seeds make every output the same on every run.
"""
import math
import os
import random
import subprocess
import sys

FONTS = ("futural.jhf", "rowmans.jhf")
PUNCTUATION = ".,!?-':;()/+=@&"
CLASSES = (
    [chr(c) for c in range(ord("a"), ord("z") + 1)]
    + [chr(c) for c in range(ord("A"), ord("Z") + 1)]
    + [chr(c) for c in range(ord("0"), ord("9") + 1)]
    + list(PUNCTUATION)
)
LETTERS = [c for c in CLASSES if c.isalpha()]

TRAIN_SEED = 20240611
HELDOUT_SEED = 77003
SAMPLES_PER_CLASS = 250
HELDOUT_PER_CLASS = 4
HELDOUT_WORDS = 60

# Hershey units: capitals span y -12..9, the baseline is y 9.
BASELINE = 9.0
CAP_HEIGHT = 21.0

# Must match wince/recognizer/CharacterBox.cpp.
BOX = 300
BODY_SHARE = 0.5  # characters at least this share of the tallest count for the line's metrics
ABOVE = 2.0  # box top: this many body heights above the baseline
BELOW = 1.0  # box bottom: this many below
LIMIT = 2 * BOX  # coordinates are clamped to -LIMIT..BOX+LIMIT


def read_font(path):
    """{character: [stroke, ...]} for the printable ASCII glyphs, strokes in
    Hershey units, x centred on the glyph's origin."""
    glyphs = {}
    with open(path, encoding="ascii") as f:
        lines = [line.rstrip("\n") for line in f if line.strip()]
    for index, line in enumerate(lines[:95]):
        count = int(line[5:8])
        data = line[8:]
        pairs = [data[i : i + 2] for i in range(0, 2 * count, 2)]
        strokes, stroke = [], []
        for pair in pairs[1:]:
            if pair == " R":
                if stroke:
                    strokes.append(stroke)
                stroke = []
                continue
            stroke.append((ord(pair[0]) - ord("R"), ord(pair[1]) - ord("R")))
        if stroke:
            strokes.append(stroke)
        left, right = ord(pairs[0][0]) - ord("R"), ord(pairs[0][1]) - ord("R")
        glyphs[chr(32 + index)] = (left, right, strokes)
    return glyphs


def bounds(strokes):
    xs = [x for s in strokes for x, _ in s]
    ys = [y for s in strokes for _, y in s]
    return min(xs), min(ys), max(xs), max(ys)


def vary_strokes(rng, strokes):
    """The same glyph as a writer may draw it: neighbours swapped, strokes
    that meet written in one go, others now and then joined by a drag of the
    pen, some drawn backwards, small loops tapped as dots."""
    strokes = [list(s) for s in strokes]
    if len(strokes) > 1 and rng.random() < 0.25:
        i = rng.randrange(len(strokes) - 1)
        strokes[i], strokes[i + 1] = strokes[i + 1], strokes[i]
    # Strokes that meet are often one; others are sometimes joined by the
    # pen dragged from one to the next.
    joined = [strokes[0]]
    for s in strokes[1:]:
        last = joined[-1]
        if math.dist(last[-1], s[0]) <= 1.5 and rng.random() < 0.5:
            last.extend(s[1:])
        elif math.dist(last[-1], s[-1]) <= 1.5 and rng.random() < 0.3:
            last.extend(s[-2::-1])
        elif rng.random() < 0.12:
            last.extend(s)
        else:
            joined.append(s)
    strokes = joined
    out = []
    for s in strokes:
        x0, y0, x1, y1 = bounds([s])
        if x1 - x0 <= 2 and y1 - y0 <= 2 and rng.random() < 0.6:
            centre = ((x0 + x1) / 2, (y0 + y1) / 2)
            s = [centre] * rng.randint(1, 3)
        elif len(s) > 1 and rng.random() < 0.12:
            s = s[::-1]
        out.append(s)
    return out


def resample(rng, stroke, spacing):
    """Points along the stroke at the pen's sampling distance."""
    if len(stroke) == 1:
        return list(stroke)
    points = [stroke[0]]
    carry = rng.uniform(0, spacing)
    for (ax, ay), (bx, by) in zip(stroke, stroke[1:]):
        length = math.hypot(bx - ax, by - ay)
        t = carry
        while t < length:
            points.append((ax + (bx - ax) * t / length, ay + (by - ay) * t / length))
            t += spacing * rng.uniform(0.7, 1.3)
        carry = t - length
    points.append(stroke[-1])
    return points


def write_glyph(rng, glyph, origin_x, baseline_y, style):
    """The glyph's strokes on the page, integer pen samples."""
    left, _, strokes = glyph
    scale, slant, angle, aspect, body, tail = style
    scale *= rng.uniform(0.92, 1.08)
    slant += rng.gauss(0, 0.05)
    angle += rng.gauss(0, 0.03)
    cos, sin = math.cos(angle), math.sin(angle)
    waves = [(rng.uniform(0.05, 0.25), rng.uniform(0, 6.3), rng.uniform(0, 0.5)) for _ in range(4)]
    page = []
    for s in vary_strokes(rng, strokes):
        s = [(x - left, zone(y - BASELINE, body, tail)) for x, y in s]
        s = [(x * aspect - slant * y, y) for x, y in s]
        s = [(x * cos - y * sin, x * sin + y * cos) for x, y in s]
        s = resample(rng, s, rng.uniform(0.5, 1.6) / max(scale / 2.5, 0.4))
        moved = []
        for i, (x, y) in enumerate(s):
            wx = waves[0][2] * math.sin(waves[0][0] * i + waves[0][1]) + waves[1][2] * math.sin(waves[1][0] * i + waves[1][1])
            wy = waves[2][2] * math.sin(waves[2][0] * i + waves[2][1]) + waves[3][2] * math.sin(waves[3][0] * i + waves[3][1])
            px = round(origin_x + (x + wx) * scale + rng.uniform(-0.4, 0.4))
            py = round(baseline_y + (y + wy) * scale + rng.uniform(-0.4, 0.4))
            if not moved or moved[-1] != (px, py):
                moved.append((px, py))
        page.append(moved)
    return page


# Lower-case bodies span y -5..9; writers make them from about half to
# three quarters of their capitals' height, and tails of various lengths.
X_HEIGHT = 14.0


def zone(y, body, tail):
    """y (from the baseline, up negative) with the x-height zone scaled by
    body and descenders by tail; capitals keep their height."""
    if y >= 0:
        return y * tail
    if y >= -X_HEIGHT:
        return y * body
    top = X_HEIGHT * body
    return -top - (-y - X_HEIGHT) * (CAP_HEIGHT - top) / (CAP_HEIGHT - X_HEIGHT)


def random_style(rng):
    """Size, slant, rotation, width, x-height and descender of a writer."""
    return (
        rng.uniform(1.2, 4.0),
        rng.uniform(-0.1, 0.22),
        rng.gauss(0, 0.05),
        rng.uniform(0.8, 1.25),
        rng.uniform(0.72, 1.12),
        rng.uniform(0.8, 1.3),
    )


def write_line(rng, fonts, text, style):
    """[(character, strokes)] for the text written from x 0 on one line:
    letters a third of an x-height or so apart, words about one."""
    font = fonts[rng.randrange(len(fonts))]
    x_height = X_HEIGHT * style[0] * style[4]
    x, baseline = 0.0, 100.0
    written = []
    for ch in text:
        if ch == " ":
            x += rng.uniform(0.8, 1.5) * x_height
            continue
        strokes = write_glyph(rng, font[ch], 0, baseline + rng.gauss(0, 0.04 * x_height), style)
        left, _, right, _ = bounds(strokes)
        shift = round(x - left)
        written.append((ch, [[(px + shift, py) for px, py in s] for s in strokes]))
        x = right + shift + rng.uniform(0.12, 0.5) * x_height
    return written


def line_metrics(boxes):
    """(baseline, body height) of a line from its characters' boxes
    (left, top, right, bottom), y downwards."""
    heights = [b[3] - b[1] for b in boxes]
    tallest = max(heights)
    body = [b for b, h in zip(boxes, heights) if h >= BODY_SHARE * tallest]
    body_heights = sorted(b[3] - b[1] for b in body)
    bottoms = sorted(b[3] for b in body)
    widths = sorted(b[2] - b[0] for b in boxes)
    height = max(body_heights[len(body_heights) // 2], 0.5 * widths[len(widths) // 2], 1.0)
    return bottoms[len(bottoms) // 2], height


def to_box(strokes, box, metrics):
    baseline, height = metrics
    k = BOX / ((ABOVE + BELOW) * height)
    centre = (box[0] + box[2]) / 2
    clamp = lambda v: max(-LIMIT, min(BOX + LIMIT, int(math.floor(v + 0.5))))
    return [[(clamp(BOX / 2 + (x - centre) * k), clamp(ABOVE * BOX / (ABOVE + BELOW) + (y - baseline) * k)) for x, y in s] for s in strokes]


def label(ch):
    return ch if ch.isalnum() else "#%02x" % ord(ch)


def training_sample(rng, fonts, ch):
    context = 0 if rng.random() < 0.25 else rng.randint(1, 5)
    text = [rng.choice(LETTERS if rng.random() < 0.8 else CLASSES) for _ in range(context)]
    text.insert(rng.randint(0, context), ch)
    position = text.index(ch) if context == 0 else None
    written = write_line(rng, fonts, "".join(text), random_style(rng))
    boxes = [bounds(s) for _, s in written]
    metrics = line_metrics(boxes)
    target = position if position is not None else [i for i, (c, _) in enumerate(written) if c == ch][0]
    strokes = to_box(written[target][1], boxes[target], metrics)
    body = " ".join("(" + " ".join("(%d %d)" % p for p in s) + ")" for s in strokes)
    return "(character (value %s) (width %d) (height %d) (strokes %s))" % (label(ch), BOX, BOX, body)


def train(fonts, out_dir):
    rng = random.Random(TRAIN_SEED)
    samples = os.path.join(out_dir, "ink-latin.train")
    with open(samples, "w", encoding="ascii") as f:
        for ch in CLASSES:
            for _ in range(SAMPLES_PER_CLASS):
                f.write(training_sample(rng, fonts, ch) + "\n")
    model = os.path.join(out_dir, "ink-latin.model")
    subprocess.run(["zinnia_learn", samples, model], check=True, stdout=subprocess.DEVNULL)


WORDS = (
    "the of and to in is it you that he was for on are with as his they be at one have this from "
    "or had by word but what some we can out other were all there when up use your how said an each "
    "she which do their time if will way about many then them write would like so these her long make "
    "thing see him two has look more day could go come did number sound no most people my over know "
    "water than call first who may down side been now find any new work part take get place made live "
    "Monday Paris London Anna Tom Bill OK NO"
).split()


def heldout(fonts, out_file):
    """Lines of page coordinates: 'C <text>' then one 'S x,y x,y ...' per
    stroke. Single characters first, then lines of words."""
    rng = random.Random(HELDOUT_SEED)
    lines = []

    def emit(kind, text, written):
        lines.append("%s %s" % (kind, text))
        for _, strokes in written:
            for s in strokes:
                lines.append("S " + " ".join("%d,%d" % p for p in s))

    for ch in CLASSES:
        for _ in range(HELDOUT_PER_CLASS):
            emit("C", ch, write_line(rng, fonts, ch, random_style(rng)))
    for _ in range(HELDOUT_WORDS):
        text = " ".join(rng.choice(WORDS) for _ in range(rng.randint(1, 3)))
        emit("W", text, write_line(rng, fonts, text, random_style(rng)))
    with open(out_file, "w", encoding="ascii") as f:
        f.write("\n".join(lines) + "\n")


def main():
    if len(sys.argv) != 4 or sys.argv[1] not in ("train", "heldout"):
        sys.exit(__doc__)
    fonts = [read_font(os.path.join(sys.argv[2], name)) for name in FONTS]
    if sys.argv[1] == "train":
        train(fonts, sys.argv[3])
    else:
        heldout(fonts, sys.argv[3])


if __name__ == "__main__":
    main()
