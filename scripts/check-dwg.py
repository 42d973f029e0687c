#!/usr/bin/python3
"""Checks that qrvhost opens DWG drawings as their DXF twins hold them.

For every DWG drawing of a folder, qrvhost opens it (through the DWG
converter) and saves it as DXF; ezdxf, an independent reader, then compares
that copy with the drawing's twin, a DXF file written by the program that
wrote the DWG: entities per block (model space, paper space, every block),
dimensions, the values of every dimension style and the header's current
dimension values, layers and text styles.
A twin is NAME.dxf beside NAME.dwg, or given in the folder's TWINS file
(lines "NAME.dwg PATH", PATH relative to the folder). One line per drawing
says what differs, what the converter did not convert, its time and memory
(from qrvhost's note) and the whole run's time and peak memory
(/usr/bin/time -v); a summary comes last.

usage: check-dwg.py QRVHOST DIR [OUT]
Not part of the test suite: the drawings are other people's and stay
outside this repository.
"""
import collections
import math
import os
import re
import subprocess
import sys
import tempfile

import ezdxf
from ezdxf import recover

LAYOUT_BLOCKS = ("*MODEL_SPACE", "*PAPER_SPACE", "$MODEL_SPACE", "$PAPER_SPACE")


def read(path):
    try:
        return ezdxf.readfile(path)
    except Exception:
        doc, _ = recover.readfile(path)
        return doc


def entity_counts(doc):
    counts = collections.Counter()
    for e in doc.modelspace():
        counts[("model", e.dxftype())] += 1
    for e in doc.layouts.active_layout():
        counts[("paper", e.dxftype())] += 1
    for block in doc.blocks:
        if not block.name.upper().startswith(LAYOUT_BLOCKS):
            # Writers number anonymous blocks (*D12, *U3) as they like:
            # those are counted together.
            name = "*anonymous" if block.name.startswith("*") else block.name
            for e in block:
                counts[(name, e.dxftype())] += 1
    return counts


def dimensions(doc):
    """Dimensions of the layouts and of named blocks (not the geometry of
    another dimension)."""
    n = sum(1 for e in doc.modelspace() if e.dxftype() == "DIMENSION")
    for layout in doc.layouts:
        if layout.name != "Model":
            n += sum(1 for e in layout if e.dxftype() == "DIMENSION")
    for block in doc.blocks:
        if not block.name.startswith("*"):
            n += sum(1 for e in block if e.dxftype() == "DIMENSION")
    return n


def name_of(doc, handle):
    entity = doc.entitydb.get(handle) if handle else None
    return entity.dxf.get("name") if entity is not None else None


def style_values(doc):
    """The dimension variables each style record holds (a value left out is
    the format's default, which readers take differently); references by
    the name they point to."""
    out = {}
    for s in doc.dimstyles:
        values = {}
        for key, value in s.dxfattribs().items():
            if not key.startswith("dim") or key == "dimfit":
                continue
            if key.endswith("_handle"):
                values[key[: -len("_handle")]] = name_of(doc, value)
            elif key + "_handle" not in values:
                values[key] = value
        out[s.dxf.name.upper()] = values
    return out


def equal(a, b):
    if isinstance(a, (int, float)) and isinstance(b, (int, float)):
        return math.isclose(float(a), float(b), rel_tol=1e-9, abs_tol=1e-12)
    if isinstance(a, str) and isinstance(b, str):
        return a.upper() == b.upper()
    return (a or None) == (b or None)


def layers(doc):
    return {l.dxf.name.upper(): (l.dxf.get("color", 7), (l.dxf.get("linetype") or "").upper(), l.dxf.get("flags", 0) & 5)
            for l in doc.layers}


def text_styles(doc):
    return {s.dxf.name.upper(): ((s.dxf.get("font") or "").lower(), round(s.dxf.get("height", 0), 9),
                                 round(s.dxf.get("width", 1), 9), round(s.dxf.get("oblique", 0), 9))
            for s in doc.styles if s.dxf.name}


def twin_of(folder, dwg):
    listed = os.path.join(folder, "TWINS")
    if os.path.exists(listed):
        for line in open(listed, encoding="utf-8"):
            parts = line.split(None, 1)
            if len(parts) == 2 and parts[0] == dwg:
                return os.path.normpath(os.path.join(folder, parts[1].strip()))
    twin = os.path.join(folder, dwg[:-4] + ".dxf")
    return twin if os.path.exists(twin) else None


def run(host, dwg, out):
    with tempfile.NamedTemporaryFile("w", suffix=".scr", delete=False) as f:
        f.write(f"SAVEAS\n{out}\n")
        script = f.name
    try:
        p = subprocess.run(["/usr/bin/time", "-v", host, "--console", "--script", script, dwg],
                           capture_output=True, timeout=600)
    finally:
        os.unlink(script)
    text = p.stdout.decode("utf-8", "replace") + p.stderr.decode("utf-8", "replace")
    wall = re.search(r"Elapsed \(wall clock\) time.*: (?:(\d+):)?(\d+(?:\.\d+)?)$", text, re.M)
    rss = re.search(r"Maximum resident set size \(kbytes\): (\d+)", text)
    seconds = (int(wall.group(1) or 0) * 60 + float(wall.group(2))) if wall else 0
    return text, seconds, int(rss.group(1)) // 1024 if rss else 0


def compare(copy, twin, twin_bytes=b""):
    faults, stats = [], collections.Counter()
    a, b = entity_counts(twin), entity_counts(copy)
    for key in sorted(set(a) | set(b), key=str):
        # ezdxf makes the arrowhead blocks an R14 file's styles name: those
        # the twin's file does not hold are not the twin's.
        made = key[0].startswith("_") and key[0].encode().upper() not in twin_bytes.upper()
        if a[key] != b[key] and not made:
            faults.append(f"{key[0]}/{key[1]} {a[key]}->{b[key]}")
    stats["dims_twin"], stats["dims_copy"] = dimensions(twin), dimensions(copy)
    sa, sb = style_values(twin), style_values(copy)
    for name, values in sa.items():
        mine = sb.get(name)
        if mine is None:
            faults.append(f"dimstyle {name} lost")
            stats["values"] += len(values)
            continue
        for key, value in values.items():
            stats["values"] += 1
            if equal(value, mine.get(key)):
                stats["values_equal"] += 1
            else:
                faults.append(f"{name}.{key} {value!r}->{mine.get(key)!r}")
    for key in (k for k in twin.header.varnames() if k.startswith("$DIM")):
        stats["header"] += 1
        if equal(twin.header[key], copy.header.get(key)):
            stats["header_equal"] += 1
        else:
            faults.append(f"header {key} {twin.header[key]!r}->{copy.header.get(key)!r}")
    la, lb = layers(twin), layers(copy)
    for name in la:
        if la[name] != lb.get(name):
            faults.append(f"layer {name} {la[name]}->{lb.get(name)}")
    ta, tb = text_styles(twin), text_styles(copy)
    for name in ta:
        if ta[name] != tb.get(name):
            faults.append(f"text style {name} {ta[name]}->{tb.get(name)}")
    return faults, stats


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    host, folder = sys.argv[1], sys.argv[2]
    out_dir = sys.argv[3] if len(sys.argv) > 3 else tempfile.mkdtemp(prefix="check-dwg-")
    os.makedirs(out_dir, exist_ok=True)
    totals = collections.Counter()
    for dwg in sorted(f for f in os.listdir(folder) if f.lower().endswith(".dwg")):
        path = os.path.join(folder, dwg)
        out = os.path.join(out_dir, dwg[:-4] + ".dxf")
        if os.path.exists(out):
            os.unlink(out)
        totals["drawings"] += 1
        said, seconds, peak = run(host, path, out)
        note = re.search(r"Converted from DWG in ([\d.]+) s, (\d+) MB\. (.*)", said)
        size = os.path.getsize(path) // 1024
        head = f"{dwg} ({size} KB): "
        if not os.path.exists(out):
            why = [l for l in said.splitlines() if "Cannot" in l or "cannot" in l]
            print(head + "NOT OPENED: " + (why[0].strip() if why else said.strip()[-200:]))
            continue
        totals["opened"] += 1
        timing = f"converted in {note.group(1)} s, {note.group(2)} MB; whole run {seconds:.2f} s, {peak} MB" if note else ""
        left = note.group(3) if note else ""
        twin_path = twin_of(folder, dwg)
        if not twin_path:
            print(f"{head}opened, no twin; {left} {timing}")
            continue
        try:
            with open(twin_path, "rb") as f:
                twin_bytes = f.read()
            faults, stats = compare(read(out), read(twin_path), twin_bytes)
        except Exception as e:  # the judge itself cannot read one of them
            print(f"{head}opened; ezdxf cannot read the copy or twin: {type(e).__name__}: {e}"[:300])
            totals["unjudged"] += 1
            continue
        totals.update(stats)
        totals["twins"] += 1
        values = (f"{stats['values_equal']}/{stats['values']} style values, "
                  f"{stats['header_equal']}/{stats['header']} header values equal")
        dims = f"{stats['dims_copy']}/{stats['dims_twin']} dimensions"
        shown = "; ".join(faults[:6]) + (f"; ... {len(faults) - 6} more" if len(faults) > 6 else "")
        print(f"{head}{dims}, {values}; {left} {timing}" + (f"\n    differs: {shown}" if faults else ""))
    share = 100.0 * totals["values_equal"] / totals["values"] if totals["values"] else 100.0
    print(f"\n{totals['opened']} of {totals['drawings']} DWG drawings opened; against {totals['twins']} twins: "
          f"{totals['dims_copy']} of {totals['dims_twin']} dimensions, {totals['values_equal']} of {totals['values']} "
          f"dimension style values equal ({share:.2f}%), {totals['header_equal']} of {totals['header']} "
          f"header dimension values")
    return 0 if totals["opened"] == totals["drawings"] else 1


if __name__ == "__main__":
    sys.exit(main())
