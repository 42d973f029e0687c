#!/usr/bin/python3
"""Writes the benchmark drawing: about 40 MB of DXF made by ezdxf.

20,000 rendered linear dimensions (each with its anonymous block of lines,
arrows and text), 20,000 lines and 20,000 circles, spread over several
dimension styles and layers. The file is checked to be near the intended
size, so that timings from different runs stay comparable.

With --mixed, a quarter of the lines and circles are hatches (solid and
patterned), splines, ellipses, texts and MTEXTs instead: the drawing the
view's speed with every common kind is measured on.

Usage: make_big_drawing.py OUTPUT.dxf [--release R2018] [--count 20000] [--mixed]
Needs ezdxf (Debian: python3-ezdxf). Takes a minute or two.
"""
import argparse
import os
import random
import sys
import time

import ezdxf

TARGET_MB = 40
TOLERANCE = 0.35  # accepted deviation, as a fraction of the target

STYLES = {
    "Bench-ISO": {"dimtxt": 2.5, "dimasz": 2.5, "dimexo": 0.625, "dimgap": 0.625, "dimdec": 2},
    "Bench-Arch": {"dimtxt": 3.0, "dimasz": 1.5, "dimtsz": 1.0, "dimclrd": 3, "dimdec": 1},
    "Bench-Mech": {"dimtxt": 3.5, "dimasz": 3.5, "dimtad": 1, "dimclrt": 2, "dimdec": 3},
    "Bench-Civil": {"dimtxt": 5.0, "dimasz": 4.0, "dimscale": 2.0, "dimlfac": 1000.0, "dimdec": 0},
}


def add_other_kind(msp, kind, x, y, rng):
    """One entity of the mixed drawing's other kinds, about the size of a
    line or circle it stands in for."""
    size = 5 + rng.random() * 10
    if kind == 0:
        hatch = msp.add_hatch(color=rng.randint(1, 7), dxfattribs={"layer": "GEOMETRY"})
        if rng.random() < 0.5:
            hatch.set_pattern_fill("ANSI31", scale=0.5)
        hatch.paths.add_polyline_path([(x, y), (x + size, y), (x + size, y + size / 2), (x, y + size)],
                                      is_closed=True)
    elif kind == 1:
        msp.add_spline([(x, y), (x + size / 3, y + size / 2), (x + 2 * size / 3, y - size / 3), (x + size, y)],
                       dxfattribs={"layer": "GEOMETRY"})
    elif kind == 2:
        msp.add_ellipse((x + size, y + size / 2), (size / 2, 0), 0.5, dxfattribs={"layer": "HOLES"})
    elif kind == 3:
        msp.add_text("PART %d" % rng.randint(1, 999), dxfattribs={"layer": "GEOMETRY", "height": 2.5,
                                                                    "insert": (x, y)})
    else:
        msp.add_mtext("Note\\Pline two", dxfattribs={"layer": "GEOMETRY", "char_height": 2.0, "insert": (x, y + 5),
                                                     "width": 30})


def build(path, release, count, mixed=False):
    rng = random.Random(20240611)  # the same drawing every time
    doc = ezdxf.new(release, setup=True)
    for name, values in STYLES.items():
        style = doc.dimstyles.new(name)
        for attrib, value in values.items():
            style.dxf.set(attrib, value)
    for layer in ("DIM", "GEOMETRY", "HOLES"):
        doc.layers.add(layer)
    msp = doc.modelspace()
    style_names = list(STYLES)
    columns = 200
    for i in range(count):
        x = (i % columns) * 50.0
        y = (i // columns) * 40.0
        length = 10 + rng.random() * 30
        if mixed and i % 4 == 3:
            add_other_kind(msp, (i // 4) % 5, x, y, rng)
            add_other_kind(msp, (i // 4 + 2) % 5, x + 15, y + 15, rng)
        else:
            msp.add_line((x, y), (x + length, y + rng.random() * 5), dxfattribs={"layer": "GEOMETRY"})
            msp.add_circle((x + 20, y + 20), 1 + rng.random() * 4, dxfattribs={"layer": "HOLES"})
        dim = msp.add_linear_dim(base=(x, y + 10), p1=(x, y), p2=(x + length, y),
                                 dimstyle=style_names[i % len(style_names)],
                                 dxfattribs={"layer": "DIM"})
        dim.render()
    doc.saveas(path)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("output")
    parser.add_argument("--release", default="R2018")
    parser.add_argument("--count", type=int, default=20000,
                        help="dimensions, lines and circles each (default 20000)")
    parser.add_argument("--mixed", action="store_true",
                        help="a quarter of the lines and circles as other kinds")
    args = parser.parse_args(argv[1:])
    started = time.monotonic()
    build(args.output, args.release, args.count, args.mixed)
    size_mb = os.path.getsize(args.output) / 1e6
    print(f"{args.output}: {size_mb:.1f} MB in {time.monotonic() - started:.0f} s")
    if args.count == 20000 and abs(size_mb - TARGET_MB) > TARGET_MB * TOLERANCE:
        print(f"size check failed: expected about {TARGET_MB} MB", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
