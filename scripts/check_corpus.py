#!/usr/bin/python3
"""Checks that qrvhost keeps third-party drawings as they were.

For every DXF drawing of a folder, two runs of qrvhost:
  keep: OPEN, list the styles, SAVEAS a copy;
  ok:   OPEN, DIMSTYLE with Modify and OK on every style (those of external
        references excepted), SAVEAS a second copy.
ezdxf, an independent reader, then judges: the first copy must be readable,
hold the same entities in model space, paper space and every block the
original defines, the same dimension styles with the same values, and be of
the original's version (R12 and older stay R12); the second copy must hold
the same style values and current values as the first.

usage: check_corpus.py QRVHOST DIR [OUT]
One line per drawing, a summary last; the exit status is 1 when a drawing
that ezdxf can read fails a check.
"""
import collections
import contextlib
import io
import math
import os
import subprocess
import sys
import tempfile

import ezdxf
from ezdxf import recover

OLD_VERSIONS = {"AC1006", "AC1009", "AC1004", "AC1003", "AC1002"}
# The records R12 has; an old file that holds others (LWPOLYLINE, SPLINE, a
# BLOCK_RECORD table, an OBJECTS section) is saved in the oldest version that
# holds them (R2000).
R12_RECORDS = {"SECTION", "ENDSEC", "TABLE", "ENDTAB", "EOF", "VPORT", "LTYPE", "LAYER", "STYLE", "VIEW", "UCS",
               "APPID", "DIMSTYLE", "BLOCK", "ENDBLK", "LINE", "POINT", "CIRCLE", "ARC", "TRACE", "SOLID", "TEXT",
               "SHAPE", "INSERT", "ATTDEF", "ATTRIB", "SEQEND", "POLYLINE", "VERTEX", "3DLINE", "3DFACE", "DIMENSION",
               "VIEWPORT"}
# Switches: old programs write 1000 or 3 for on, which a save in a later
# version writes as 1.
SWITCHES = {"dimtol", "dimlim", "dimtih", "dimtoh", "dimse1", "dimse2", "dimalt", "dimtofl", "dimsah", "dimtix",
            "dimsoxd", "dimsd1", "dimsd2", "dimupt", "dimfxlon"}
LAYOUT_BLOCKS = ("*MODEL_SPACE", "*PAPER_SPACE", "$MODEL_SPACE", "$PAPER_SPACE")


def read(path):
    """(document, how) or (None, reason); counts are taken before any audit,
    which may delete entities."""
    try:
        return ezdxf.readfile(path), "read"
    except Exception:
        pass
    try:
        quiet = io.StringIO()  # its notes would hide ours
        with contextlib.redirect_stdout(quiet), contextlib.redirect_stderr(quiet):
            doc, _ = recover.readfile(path)
        return doc, "recovered"
    except Exception as e:  # the judge itself cannot read it
        return None, f"{type(e).__name__}: {e}"[:100]


def entity_counts(doc, own_blocks):
    counts = collections.Counter()
    for e in doc.modelspace():
        counts[("model", e.dxftype())] += 1
    for e in doc.layouts.active_layout():
        counts[("paper", e.dxftype())] += 1
    for block in doc.blocks:
        key = block.name.upper()
        if key in own_blocks and not key.startswith(LAYOUT_BLOCKS):
            for e in block:
                counts[(block.name, e.dxftype())] += 1
    return counts


def style_values(doc):
    """The values each style record holds. A value the original leaves out is
    not compared: readers differ in the default they take for it, and a copy
    may write out the one it was given."""
    return {s.dxf.name.upper(): {k: v for k, v in s.dxfattribs().items() if k not in ("handle", "owner")}
            for s in doc.dimstyles}


def header_dim_values(doc):
    return {k: doc.header[k] for k in doc.header.varnames() if k.startswith("$DIM")}


def equal(a, b):
    if isinstance(a, float) or isinstance(b, float):
        try:
            return math.isclose(float(a), float(b), rel_tol=1e-12, abs_tol=1e-300)
        except (TypeError, ValueError):
            return False
    if isinstance(a, str) and isinstance(b, str):
        return a == b
    return a == b


def holds_later_records(raw):
    """Whether a text DXF file holds a record or section R12 has not."""
    lines = [line.strip() for line in raw.decode("latin-1").splitlines()]
    for code, value in zip(lines[0::2], lines[1::2]):
        if code == "0" and value not in R12_RECORDS:
            return True
        if code == "2" and value in ("CLASSES", "OBJECTS", "BLOCK_RECORD"):
            return True
    return False


def differences(before, after):
    out = []
    for name in sorted(set(before) | set(after)):
        a, b = before.get(name), after.get(name)
        if a is None or b is None:
            out.append(f"{name}: {'added' if a is None else 'lost'}")
            continue
        if isinstance(a, dict):
            for key in sorted(a):
                # The judge gives a reference it can follow by the record's
                # name, one it cannot (a handle two records share) as the handle.
                if key.endswith("_handle") and key not in b and b.get(key[: -len("_handle")]) is not None:
                    continue
                if key in SWITCHES and isinstance(a.get(key), int) and isinstance(b.get(key), int):
                    if bool(a[key]) == bool(b[key]):
                        continue
                if not equal(a.get(key), b.get(key)):
                    out.append(f"{name}.{key}: {a.get(key)!r} -> {b.get(key)!r}")
        elif not equal(a, b):
            out.append(f"{name}: {a!r} -> {b!r}")
    return out


def run_host(host, drawing, lines, out_dir, repair=False, timeout=180):
    script = os.path.join(out_dir, "check.scr")
    with open(script, "w", encoding="utf-8") as f:
        f.write("\n".join(lines) + "\n")
    options = ["--recover"] if repair else []
    try:
        p = subprocess.run([host] + options + ["--script", script, drawing], capture_output=True, timeout=timeout)
        return p.stdout.decode("utf-8", "replace") + p.stderr.decode("utf-8", "replace")
    except subprocess.TimeoutExpired:
        return "timed out"


def last_lines(text, n=2):
    lines = [l.strip() for l in text.splitlines() if l.strip()]
    return " | ".join(lines[-n:])[:160]


def check(host, path, out_dir):
    """A list of faults (empty when the drawing is kept), or None when the
    judge cannot read the original."""
    original, how = read(path)
    if original is None:
        return None, how
    stem = os.path.splitext(os.path.basename(path))[0]
    kept = os.path.join(out_dir, stem + ".keep.dxf")
    oked = os.path.join(out_dir, stem + ".ok.dxf")
    for f in (kept, oked):
        if os.path.exists(f):
            os.remove(f)
    faults = []
    said = run_host(host, path, ["-dimstyle", "ST", "SAVEAS", kept], out_dir)
    # A file the judge reads only by recovering it may need RECOVER here too.
    recovering = not os.path.exists(kept) and how == "recovered"
    if recovering:
        said = run_host(host, path, ["-dimstyle", "ST", "SAVEAS", kept], out_dir, repair=True)
    if not os.path.exists(kept):
        return [f"not saved: {last_lines(said)}"], how
    copy, copy_how = read(kept)
    if copy is None:
        return [f"copy unreadable: {copy_how}"], how
    if copy_how == "recovered" and how == "read":
        faults.append("copy needs recovering")
    raw = open(path, "rb").read().upper()
    own = {b.name.upper() for b in original.blocks if b.name.upper().encode("utf-8", "replace") in raw}
    before, after = entity_counts(original, own), entity_counts(copy, own)
    lost = {k: (before[k], after[k]) for k in before if after[k] < before[k]}
    gained = {k: (before[k], after[k]) for k in after if after[k] > before[k]}
    if lost:
        faults.append(f"entities lost {dict(list(lost.items())[:3])}")
    if gained and how == "read":
        faults.append(f"entities gained {dict(list(gained.items())[:3])}")
    style_diffs = differences(style_values(original), style_values(copy))
    if style_diffs and how == "read":
        faults.append(f"{len(style_diffs)} style values differ: {'; '.join(style_diffs[:3])}")
    old = original.dxfversion in OLD_VERSIONS and not holds_later_records(open(path, "rb").read())
    want = "AC1009" if old else None
    if want and copy.dxfversion != want:
        faults.append(f"saved as {copy.dxfversion}, not {want}")

    names = [s.dxf.name for s in original.dimstyles if "|" not in s.dxf.name]
    if names:
        lines = ["DIMSTYLE"]
        for n in names:
            lines += [f'select 1000 "{n}"', "press 5", "press 1"]
        lines += ["press Close", "SAVEAS", oked]
        said = run_host(host, path, lines, out_dir, repair=recovering)
        if not os.path.exists(oked):
            faults.append(f"OK run not saved: {last_lines(said)}")
        else:
            after_ok, _ = read(oked)
            if after_ok is None:
                faults.append("OK copy unreadable")
            else:
                d = differences(style_values(copy), style_values(after_ok))
                d += differences({"header": header_dim_values(copy)}, {"header": header_dim_values(after_ok)})
                if d:
                    faults.append(f"OK changed {len(d)} values: {'; '.join(d[:3])}")
    return faults, how


def main():
    if len(sys.argv) < 3:
        print(__doc__.strip().splitlines()[-3])
        return 2
    host, folder = sys.argv[1], sys.argv[2]
    out_dir = sys.argv[3] if len(sys.argv) > 3 else tempfile.mkdtemp(prefix="corpus-")
    os.makedirs(out_dir, exist_ok=True)
    kept = failed = skipped = 0
    for name in sorted(os.listdir(folder)):
        if not name.lower().endswith(".dxf"):
            continue
        faults, how = check(host, os.path.join(folder, name), out_dir)
        if faults is None:
            skipped += 1
            print(f"skip {name}: the judge cannot read it ({how})")
        elif faults:
            failed += 1
            print(f"FAIL {name}: {'; '.join(faults)}"[:400])
        else:
            kept += 1
            print(f"ok   {name}" + (" (the judge had to recover the original)" if how == "recovered" else ""))
    print(f"summary: {kept} of {kept + failed} drawings kept, {failed} failed, {skipped} unreadable by the judge")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
