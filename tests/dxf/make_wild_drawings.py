#!/usr/bin/python3
"""Writes drawings as other programs leave them, one per kind of trouble.

Each drawing is made with ezdxf and, where ezdxf itself writes clean files,
edited as text (or as bytes, for the binary one) into the form seen in
drawings from elsewhere:

    wild_nested_r12.dxf   R12, blocks inserting anonymous blocks defined
                          after them
    wild_binary.dxf       binary R2000 whose texts hold line breaks and a
                          carriage return
    wild_AC1006.dxf       R10 and R9 version names on an R12 drawing
    wild_AC1003.dxf
    wild_named_refs.dxf   R2000 with a text style name where a dimension
                          style's handle belongs, and one naming nothing
    wild_handles.dxf      R2000 with a handle used twice and an empty one
    wild_damaged.dxf      R2000 with a stray header variable after the
                          HEADER section and a table without its TABLE head
    wild_r12_objects.dxf  R2000 drawing labelled R12 without its
                          BLOCK_RECORD table: handles and an OBJECTS
                          section naming block records the file lacks
    wild_r12_layouts.dxf  the same with the BLOCK_RECORD table, whose
                          entries have no handles while the layouts name
                          them by handle, and a dimension style with its
                          flags amid its variables
    wild_no_version.dxf   R2000 drawing whose header names no version
                          and no handle seed
    wild_r12_marked.dxf   no header, entities with subclass markers and
                          empty handles (what some small writers make)
    wild_colours.dxf      R2004 with a true colour and a lineweight

Usage: make_wild_drawings.py OUTPUT_FOLDER
       make_wild_drawings.py --census DRAWING.dxf OUT.tsv [--recover]
The second form writes what ezdxf reads from any drawing (through its
recover mode with --recover), in the five columns of make_interop_drawings.py
(kind, key, field, code, JSON value): "count TYPE" per entity type over
every block and layout, "style NAME VARIABLE" per dimension style variable,
and "audit errors" from its audit. Needs ezdxf (Debian: python3-ezdxf).
"""
import json
import os
import re
import sys

import ezdxf
from ezdxf import recover


def nested_r12(path):
    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    outer = doc.blocks.new("OUTER")
    inner = doc.blocks.new_anonymous_block("U")
    inner.add_line((0, 0), (1, 1))
    outer.add_blockref(inner.name, (2, 2))
    outer.add_circle((0, 0), 1)
    # An anonymous block that inserts one defined after it.
    later_name = "*U49"
    first = doc.blocks.new(later_name.replace("49", "48"))
    first.add_blockref(later_name, (0, 0))
    later = doc.blocks.new(later_name)
    later.add_circle((0, 0), 2)
    msp.add_blockref("OUTER", (5, 5))
    msp.add_blockref(first.name, (1, 5))
    msp.add_linear_dim(base=(0, 3), p1=(0, 0), p2=(3, 0)).render()
    doc.saveas(path)


def binary(path):
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    msp.add_text("first line|second line")
    msp.add_text("carriage~return")
    msp.add_line((0, 0), (4, 4))
    doc.saveas(path, fmt="bin")
    data = open(path, "rb").read()
    # ezdxf leaves control characters out of what it writes; the values are
    # edited in place (same length, so the binary form stays valid).
    data = data.replace(b"first line|second line", b"first line\nsecond line")
    data = data.replace(b"carriage~return", b"carriage\rreturn")
    open(path, "wb").write(data)


def versioned(path, name):
    doc = ezdxf.new("R12")
    doc.modelspace().add_line((0, 0), (1, 0))
    doc.modelspace().add_circle((0, 0), 3)
    doc.saveas(path)
    edit(path, [("AC1009", name)])


def edit(path, replacements):
    text = open(path, encoding="cp1252").read()
    for old, new in replacements:
        if old not in text:
            raise SystemExit(f"{path}: {old!r} not found")
        text = text.replace(old, new, 1)
    open(path, "w", encoding="cp1252", newline="").write(text)


def r2000(path, fill=None):
    doc = ezdxf.new("R2000", setup=True)
    msp = doc.modelspace()
    msp.add_line((0, 0), (10, 0))
    msp.add_circle((5, 5), 2)
    msp.add_linear_dim(base=(0, 3), p1=(0, 0), p2=(10, 0)).render()
    if fill:
        fill(doc)
    doc.saveas(path)
    return doc


def named_refs(path):
    doc = r2000(path)
    standard = doc.dimstyles.get("Standard").dxf.handle
    text = open(path, encoding="cp1252").read()
    # Dimension style Standard names its text style where the handle
    # belongs, and its arrowhead by a name that is no record.
    at = text.index(f"105\n{standard}\n")
    end = text.index("  0\n", at)
    record = "".join(line for line in text[at:end].splitlines(keepends=True))
    lines = text[at:end].split("\n")
    pairs = [(lines[i], lines[i + 1]) for i in range(0, len(lines) - 1, 2)]
    pairs = [p for p in pairs if p[0] not in ("340", "342")]
    pairs += [("340", "Standard"), ("342", "NoSuchBlock")]
    record = "".join(f"{c}\n{v}\n" for c, v in pairs)
    text = text[:at] + record + text[end:]
    open(path, "w", encoding="cp1252", newline="").write(text)


def handles(path):
    doc = r2000(path)
    msp = doc.modelspace()
    line = next(e for e in msp if e.dxftype() == "LINE").dxf.handle
    circle = next(e for e in msp if e.dxftype() == "CIRCLE").dxf.handle
    layer_table = "2"  # the LAYER table's head
    edit(path, [(f"  0\nLINE\n  5\n{line}\n", f"  0\nLINE\n  5\n{layer_table}\n"),
                (f"  0\nCIRCLE\n  5\n{circle}\n", "  0\nCIRCLE\n  5\n\n")])


def damaged(path):
    r2000(path)
    edit(path, [("  0\nENDSEC\n  0\nSECTION\n  2\nCLASSES\n",
                 "  0\nENDSEC\n  9\n$STRAY\n 70\n1\n  0\nSECTION\n  2\nCLASSES\n"),
                ("  0\nTABLE\n  2\nBLOCK_RECORD\n", "  0\nTABLE\n  2\nBLOCK_RECORD_GONE\n")])
    text = open(path, encoding="cp1252").read()
    # The BLOCK_RECORD table's head: gone, so its entries stand alone.
    at = text.index("  0\nTABLE\n  2\nBLOCK_RECORD_GONE\n")
    end = text.index("  0\nBLOCK_RECORD\n", at)
    text = text[:at] + text[end:]
    open(path, "w", encoding="cp1252", newline="").write(text)


def r12_objects(path):
    r2000(path)
    edit(path, [("AC1015", "AC1009")])
    # R12 has no BLOCK_RECORD table; the blocks and layouts still name
    # their records' handles.
    text = open(path, encoding="cp1252").read()
    at = text.index("  0\nTABLE\n  2\nBLOCK_RECORD\n")
    end = text.index("  0\nENDTAB\n", at) + len("  0\nENDTAB\n")
    text = text[:at] + text[end:]
    open(path, "w", encoding="cp1252", newline="").write(text)


def r12_layouts(path):
    r2000(path)
    edit(path, [("AC1015", "AC1009")])
    text = open(path, encoding="cp1252").read()
    text = re.sub(r"(  0\nBLOCK_RECORD\n)  5\n[0-9A-F]+\n", r"\1", text)
    # Dimension style Standard has its flags amid its variables.
    at = text.index("  2\nStandard\n 70\n0\n", text.index("AcDbDimStyleTableRecord"))
    middle = text.index("\n140\n", at) + 1
    text = text[:at] + "  2\nStandard\n" + text[at + len("  2\nStandard\n 70\n0\n"):middle] + " 70\n0\n" + text[middle:]
    open(path, "w", encoding="cp1252", newline="").write(text)


def no_version(path):
    r2000(path)
    text = open(path, encoding="cp1252").read()
    text = re.sub(r"  9\n\$ACADVER\n  1\n[^\n]*\n", "", text)
    text = re.sub(r"  9\n\$HANDSEED\n  5\n[^\n]*\n", "", text)
    open(path, "w", encoding="cp1252", newline="").write(text)


def r12_marked(path):
    doc = ezdxf.new("R12")
    for i in range(3):
        doc.modelspace().add_line((i, 0), (i, 5), dxfattribs={"layer": "EDGES"})
    doc.saveas(path)
    text = open(path, encoding="cp1252").read()
    # No header; the lines in the later form, with empty handles.
    text = re.sub(r"  0\nSECTION\n  2\nHEADER\n.*?  0\nENDSEC\n", "", text, count=1, flags=re.S)
    text = re.sub(r"  0\nLINE\n  5\n[0-9A-F]+\n  8\nEDGES\n",
                  "  0\nLINE\n  5\n\n100\nAcDbEntity\n  8\nEDGES\n100\nAcDbLine\n", text)
    open(path, "w", encoding="cp1252", newline="").write(text)


def colours(path):
    doc = ezdxf.new("R2004", setup=True)
    line = doc.modelspace().add_line((0, 8), (10, 8))
    line.rgb = (10, 120, 230)
    line.dxf.lineweight = 50
    doc.modelspace().add_circle((5, 5), 2)
    doc.saveas(path)


def census(path, out_path, use_recover):
    with open(path, "rb") as f:
        is_binary = f.read(22) == b"AutoCAD Binary DXF\r\n\x1a\x00"
    if use_recover and not is_binary:  # ezdxf recovers ASCII files only
        doc, auditor = recover.readfile(path)
    else:
        doc = ezdxf.readfile(path)
        auditor = doc.audit()
    counts = {}
    for block in doc.blocks:
        for e in block:
            counts[e.dxftype()] = counts.get(e.dxftype(), 0) + 1
    with open(out_path, "w", encoding="utf-8") as out:
        for kind, n in sorted(counts.items()):
            out.write(f"count\t{kind}\t\t0\t{n}\n")
        for style in doc.dimstyles:
            for key, value in sorted(style.dxfattribs().items()):
                if key.startswith("dim") and not key.endswith("_handle"):
                    value = json.dumps(value, ensure_ascii=False)
                    out.write(f"style\t{style.dxf.name}\t{key}\t0\t{value}\n")
        out.write(f"audit\terrors\t\t0\t{len(auditor.errors)}\n")
    return 0


MAKERS = {
    "wild_nested_r12.dxf": nested_r12,
    "wild_binary.dxf": binary,
    "wild_AC1006.dxf": lambda p: versioned(p, "AC1006"),
    "wild_AC1003.dxf": lambda p: versioned(p, "AC1003"),
    "wild_named_refs.dxf": named_refs,
    "wild_handles.dxf": handles,
    "wild_damaged.dxf": damaged,
    "wild_r12_objects.dxf": r12_objects,
    "wild_r12_layouts.dxf": r12_layouts,
    "wild_no_version.dxf": no_version,
    "wild_r12_marked.dxf": r12_marked,
    "wild_colours.dxf": colours,
}


def main(argv):
    if len(argv) >= 4 and argv[1] == "--census":
        return census(argv[2], argv[3], "--recover" in argv[4:])
    if len(argv) != 2:
        print(__doc__, file=sys.stderr)
        return 2
    os.makedirs(argv[1], exist_ok=True)
    for name, make in MAKERS.items():
        make(os.path.join(argv[1], name))
        print(os.path.join(argv[1], name))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
