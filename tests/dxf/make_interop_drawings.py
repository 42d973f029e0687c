#!/usr/bin/python3
"""Writes interoperability drawings with ezdxf, the independent DXF peer.

For every DXF version from R12 to R2018 it writes one drawing with many
dimension styles (every variable ezdxf knows set to a non-default value),
child styles ("Name$0", "Name$7"...), Cyrillic style names, header values that
override the current style, every kind of dimension ezdxf can make, leaders,
per-entity style overrides, and objects of other applications (xdata, an
XRECORD) that a lossless reader must carry through untouched.

Next to each drawing NAME.dxf goes NAME.json with what ezdxf itself reads
back from the saved file, so that tests can compare our reading with the
peer's, and NAME.tsv with the same facts one per line for readers without a
JSON parser: kind ("header", "style", "entity", "override"), key, field,
DXF group code of the field (DIMSTYLE variables, else 0), JSON value; tab
separated:

    {"version": "AC1015", "codepage": "ANSI_1251",
     "header": {"$DIMSTYLE": ..., "$DIMASZ": ...},
     "dimstyles": {style name: {variable: value}},
     "entities": {handle: {"type": "DIMENSION", "dimstyle": name,
                           "dimtype": int, "overrides": {variable: value}}}}

Usage: make_interop_drawings.py OUTPUT_FOLDER [RELEASE...]
Releases: R12 R2000 R2004 R2007 R2010 R2013 R2018 (default: all).

       make_interop_drawings.py --read-back DRAWING.dxf OUT.tsv
reads a drawing someone else wrote (our writer) with ezdxf, runs ezdxf's
audit, and writes the same facts for every dimension and leader of model
space, plus a line "audit errors N" (and one "audit error TEXT" per error).
Needs ezdxf (Debian: python3-ezdxf).
"""
import json
import os
import sys

import ezdxf
from ezdxf.entities import dimstyle as dimstyle_module
from ezdxf.math import Vec3

RELEASES = ["R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"]

# Code page of the legacy versions: Russian drafters' files use ANSI_1251;
# R2004 stays on ANSI_1252 so that Cyrillic names travel as \U+ escapes.
CODEPAGES = {"R12": "ANSI_1251", "R2000": "ANSI_1251", "R2004": "ANSI_1252"}

STYLE_COUNT = 12
ARROWS = ["DOT", "ARCHTICK", "OBLIQUE", "OPEN", "CLOSED", "DOTSMALL",
          "INTEGRAL", "NONE", "OPEN30", "BOXFILLED", "DATUMFILLED", "ORIGIN"]

# Integer variables: values to cycle through, all valid and all different
# from ezdxf's defaults.
INT_VALUES = {
    "dimtol": [1], "dimlim": [1], "dimtih": [1], "dimtoh": [1],
    "dimse1": [1], "dimse2": [1], "dimtad": [0, 2, 3, 4], "dimzin": [0, 1, 4, 12],
    "dimazin": [0, 1, 2], "dimarcsym": [1, 2], "dimalt": [1],
    "dimaltd": [0, 1, 4, 6], "dimtofl": [0], "dimsah": [1], "dimtix": [1],
    "dimsoxd": [1], "dimclrd": [1, 2, 5, 256], "dimclre": [3, 4, 7, 0],
    "dimclrt": [6, 30, 250, 256], "dimadec": [0, 1, 4], "dimdec": [0, 1, 4, 6],
    "dimtdec": [0, 3, 5], "dimaltu": [1, 3, 4, 6], "dimalttd": [0, 1, 5],
    "dimaunit": [1, 2, 3], "dimfrac": [1, 2], "dimlunit": [1, 3, 4, 6],
    "dimdsep": [46, 59], "dimtmove": [1, 2], "dimjust": [1, 2, 3, 4],
    "dimsd1": [1], "dimsd2": [1], "dimtolj": [1, 2], "dimtzin": [0, 4, 12],
    "dimaltz": [4, 8, 12], "dimalttz": [4, 8, 12], "dimupt": [1],
    "dimatfit": [0, 1, 2], "dimfxlon": [1], "dimtfill": [1, 2],
    "dimtfillclr": [1, 2, 3], "dimlwd": [13, 25, 35, 50, -1],
    "dimlwe": [9, 18, 30, -3],
}
# Obsolete variables ezdxf knows but does not write for R2000 and later.
SKIPPED = {"dimunit", "dimfit"}
STRING_VALUES = {"dimpost": ["<> mm", "~<>", "\u2300<>"],
                 "dimapost": ["[] in", "([])"]}
ANGLE_VARIABLES = {"dimjogang"}  # degrees in the file (group 50)
# Read back as names, stored as handles (or as names under R12's codes).
NAME_VALUED = {"dimblk", "dimblk1", "dimblk2", "dimldrblk", "dimtxsty",
               "dimltype", "dimltex1", "dimltex2"}


def exported_variables(dxfversion):
    """The DIMSTYLE variables ezdxf writes for a version, in file order."""
    if dxfversion == "AC1009":
        names = dimstyle_module.EXPORT_MAP_R12
    elif dxfversion < "AC1021":
        names = dimstyle_module.EXPORT_MAP_R2000
    else:
        names = dimstyle_module.EXPORT_MAP_R2007
    return [n.removesuffix("_handle") for n in names if n.startswith("dim")]


def style_values(doc, index):
    """Non-default values for every DIMSTYLE variable this version stores."""
    attribs = dimstyle_module.acdb_dimstyle.attribs
    values = {}
    for name in exported_variables(doc.dxfversion):
        if name in SKIPPED:
            continue
        attrib = attribs[name]
        if name in ("dimblk", "dimblk1", "dimblk2", "dimldrblk"):
            offset = {"dimblk": 0, "dimblk1": 3, "dimblk2": 5, "dimldrblk": 7}[name]
            values[name] = ARROWS[(index + offset) % len(ARROWS)]
        elif name == "dimtxsty":
            values[name] = "DimText" if index % 2 else "DimTextBold"
        elif name in ("dimltype", "dimltex1", "dimltex2"):
            values[name] = ["DASHED", "CENTER", "DOT", "PHANTOM"][
                (index + len(name)) % 4]
        elif name in STRING_VALUES:
            options = STRING_VALUES[name]
            values[name] = options[index % len(options)]
        elif name in INT_VALUES:
            options = INT_VALUES[name]
            values[name] = options[index % len(options)]
        elif name in ANGLE_VARIABLES:
            values[name] = 30 + index + 0.25
        else:
            default = attrib.default if isinstance(attrib.default, (int, float)) else 0
            # Non-round numbers catch readers that lose precision.
            values[name] = round(float(default) * 1.5 + 0.3 + index * 0.0625, 6) + 1e-7
    return values


def make_styles(doc):
    doc.styles.new("DimText", dxfattribs={"font": "isocpeur.ttf"})
    doc.styles.new("DimTextBold", dxfattribs={"font": "arialbd.ttf", "width": 0.8})
    names = [f"Style{i:02d}" for i in range(STYLE_COUNT)]
    names += ["Размеры", "ГОСТ 2.307", "Cotes éè"]
    for index, name in enumerate(names):
        style = doc.dimstyles.new(name)
        for attrib, value in style_values(doc, index).items():
            style.dxf.set(attrib, value)
    # Child styles: what a style's dimensions of one kind use instead of it.
    for parent, suffixes in (("Style00", "0247"), ("Style01", "03"),
                             ("Размеры", "47"), ("ГОСТ 2.307", "6")):
        for suffix in suffixes:
            child = doc.dimstyles.new(f"{parent}${suffix}")
            for attrib, value in style_values(doc, 100 + int(suffix)).items():
                child.dxf.set(attrib, value)
    return names


def set_header(doc):
    """The current style and header values that override it."""
    doc.header["$DIMSTYLE"] = "Style01"
    header = {"$DIMASZ": 7.25, "$DIMTXT": 4.125, "$DIMEXO": 1.0625,
              "$DIMGAP": 0.875, "$DIMSCALE": 2.0, "$DIMTAD": 4,
              "$DIMCLRD": 3, "$DIMTIX": 1, "$DIMPOST": "<> cm",
              "$DIMASO": 1, "$MEASUREMENT": 1}
    if doc.dxfversion >= "AC1015":
        header.update({"$DIMDEC": 1, "$DIMLUNIT": 4, "$DIMDSEP": 46,
                       "$DIMATFIT": 1, "$DIMLWD": 35, "$LWDISPLAY": 1})
    if doc.dxfversion >= "AC1021":
        header.update({"$DIMFXL": 3.5, "$DIMFXLON": 1, "$DIMTFILL": 1})
    for name, value in header.items():
        doc.header[name] = value


def add_dimensions(doc, msp, names):
    r2000 = doc.dxfversion >= "AC1015"
    made = []

    def keep(kind, override):
        override.render()
        made.append((kind, override.dimension))

    for i, name in enumerate(names):
        y = i * 60.0
        keep("linear", msp.add_linear_dim(base=(0, y + 20), p1=(0, y), p2=(40, y), dimstyle=name))
        keep("rotated", msp.add_linear_dim(base=(60, y + 25), p1=(60, y), p2=(90, y + 10),
                                           angle=15, dimstyle=name))
        keep("aligned", msp.add_aligned_dim(p1=(110, y), p2=(140, y + 20), distance=8, dimstyle=name))
        keep("radius", msp.add_radius_dim(center=(180, y), radius=12, angle=30, dimstyle=name))
        keep("diameter", msp.add_diameter_dim(center=(220, y), radius=10, angle=45, dimstyle=name))
        keep("angular2l", msp.add_angular_dim_2l(
            base=(265, y + 25), line1=((250, y), (290, y)), line2=((250, y), (280, y + 30)),
            dimstyle=name))
        keep("angular3p", msp.add_angular_dim_3p(
            base=(330, y + 25), center=(310, y), p1=(340, y), p2=(320, y + 30), dimstyle=name))
        keep("ordinate", msp.add_ordinate_x_dim(feature_location=(370, y + 5), offset=(0, 15),
                                                origin=(360, y), dimstyle=name))
        keep("ordinate", msp.add_ordinate_y_dim(feature_location=(380, y + 5), offset=(15, 0),
                                                origin=(360, y), dimstyle=name))
        if r2000:  # R12 has no ARC_DIMENSION entity
            keep("arclength", msp.add_arc_dim_3p(base=(430, y + 30), center=(420, y),
                                                 p1=(440, y), p2=(420, y + 20), dimstyle=name))
    # Per-entity overrides, the way ezdxf stores them (ACAD DSTYLE xdata).
    overrides = [
        {"dimtxt": 3.75, "dimclrd": 1, "dimtad": 0, "dimpost": "<> m"},
        {"dimasz": 0.1 + 1e-9, "dimexe": 2.5, "dimse1": 1, "dimblk": "DOT"},
        {"dimgap": -0.5, "dimtix": 1, "dimdec": 3, "dimlfac": 25.4},
    ]
    for i, override in enumerate(overrides):
        if not r2000:
            override = {k: v for k, v in override.items() if k not in ("dimdec", "dimblk")}
        keep("override", msp.add_linear_dim(base=(0, -30 - 20 * i), p1=(0, -40 - 20 * i),
                                            p2=(35, -40 - 20 * i), dimstyle=names[i],
                                            override=override, text="<> ±0.1"))
    # An override added after rendering, through the entity's override API.
    keep("override", msp.add_radius_dim(center=(100, -60), radius=8, angle=60, dimstyle="Размеры"))
    later = made[-1][1].override()
    later["dimtxt"] = 5.5
    later["dimclrt"] = 2
    later.commit()
    if r2000:
        for i, name in enumerate(names[:4]):
            leader = msp.add_leader([(500, i * 30), (520, i * 30 + 10), (540, i * 30 + 10)],
                                    dimstyle=name,
                                    override={"dimasz": 3.5 + i} if i % 2 else None)
            made.append(("leader", leader))
    return made


def add_foreign_data(doc, msp):
    """Data no dimension layer models; a lossless reader keeps it as it is."""
    doc.appids.new("QRV_TEST")
    line = msp.add_line((0, -200), (100, -200))
    line.set_xdata("QRV_TEST", [(1000, "kept as is"), (1040, 3.14159265358979),
                                (1070, 42), (1071, 1234567)])
    msp.add_circle((50, -250), 20)
    msp.add_text("Текст на русском, ü ß ½", dxfattribs={"insert": (0, -300), "height": 5})
    if doc.dxfversion >= "AC1015":
        msp.add_lwpolyline([(0, -350), (30, -350), (30, -320)], dxfattribs={"closed": True})
        msp.add_mtext("Zeile 1\\PСтрока 2", dxfattribs={"insert": (0, -400)})
        xrecord = doc.rootdict.add_xrecord("QRV_TEST_DATA")
        xrecord.extend([(1, "free text"), (40, 0.1 + 0.2), (70, 7), (310, b"\x00\x01\xfe\xff")])
    else:
        msp.add_polyline2d([(0, -350), (30, -350), (30, -320)])


def read_back(path, made_handles):
    doc = ezdxf.readfile(path)
    codepage = doc.header.get("$DWGCODEPAGE", "")
    result = {"version": doc.dxfversion, "codepage": codepage, "header": {},
              "dimstyles": {}, "entities": {}}
    for name in ("$DIMSTYLE", "$DIMASZ", "$DIMTXT", "$DIMEXO", "$DIMGAP", "$DIMSCALE",
                 "$DIMTAD", "$DIMCLRD", "$DIMTIX", "$DIMPOST", "$DIMASO", "$MEASUREMENT",
                 "$DIMDEC", "$DIMLUNIT", "$DIMDSEP", "$DIMATFIT", "$DIMLWD", "$DIMFXL",
                 "$DIMFXLON", "$DIMTFILL", "$HANDSEED", "$ACADVER"):
        if name in doc.header:
            result["header"][name] = jsonable(doc.header[name])
    for style in doc.dimstyles:
        values = {k: jsonable(v) for k, v in style.dxfattribs().items()
                  if k.startswith("dim") and not k.endswith("_handle")}
        result["dimstyles"][style.dxf.name] = {"handle": style.dxf.handle, "values": values}
    for entity in doc.modelspace():
        if entity.dxf.handle not in made_handles:
            continue
        info = {"type": entity.dxftype(), "kind": made_handles[entity.dxf.handle],
                "dimstyle": entity.dxf.get("dimstyle", "")}
        if entity.dxftype() in ("DIMENSION", "ARC_DIMENSION"):
            info["dimtype"] = entity.dxf.dimtype
            info["overrides"] = {k: jsonable(v) for k, v in
                                 entity.get_acad_dstyle(entity.get_dim_style()).items()}
        elif entity.dxftype() == "LEADER":
            info["overrides"] = {k: jsonable(v) for k, v in
                                 entity.get_acad_dstyle(doc.dimstyles.get(info["dimstyle"])).items()}
        result["entities"][entity.dxf.handle] = info
    return result


def jsonable(value):
    if isinstance(value, Vec3) or isinstance(value, tuple):
        return [float(c) for c in value]
    return value


def make_drawing(folder, release):
    doc = ezdxf.new(release, setup=True)
    if release in CODEPAGES:
        # ezdxf writes $DWGCODEPAGE from the encoding it writes the file in.
        doc.encoding = "cp" + CODEPAGES[release].removeprefix("ANSI_")
    msp = doc.modelspace()
    names = make_styles(doc)
    set_header(doc)
    made = add_dimensions(doc, msp, names)
    add_foreign_data(doc, msp)
    path = os.path.join(folder, f"interop_{release}.dxf")
    doc.saveas(path)
    expected = read_back(path, {entity.dxf.handle: kind for kind, entity in made})
    with open(os.path.join(folder, f"interop_{release}.json"), "w", encoding="utf-8") as out:
        json.dump(expected, out, ensure_ascii=False, indent=1, sort_keys=True)
    with open(os.path.join(folder, f"interop_{release}.tsv"), "w", encoding="utf-8") as out:
        for line in flat_lines(expected):
            out.write("\t".join(line) + "\n")
    return path


def flat_lines(expected):
    attribs = dimstyle_module.acdb_dimstyle.attribs

    def value(v):
        return json.dumps(v, ensure_ascii=False)

    def code(variable):
        # Variables ezdxf keeps by name but stores as handles have no code
        # of their own here; the database layer's tests check those.
        attrib = attribs.get(variable)
        return str(attrib.code) if attrib and attrib.code > 0 and variable not in NAME_VALUED else "0"

    yield "header", "$ACADVER", "", "0", value(expected["version"])
    yield "header", "$DWGCODEPAGE", "", "0", value(expected["codepage"])
    for name, v in expected["header"].items():
        yield "header", name, "", "0", value(v)
    for name, style in expected["dimstyles"].items():
        yield "style", name, "handle", "0", value(style["handle"])
        for variable, v in style["values"].items():
            yield "style", name, variable, code(variable), value(v)
    for handle, entity in expected["entities"].items():
        yield "entity", handle, "type", "0", value(entity["type"])
        for variable, v in entity.get("overrides", {}).items():
            yield "override", handle, variable, code(variable), value(v)


def read_back_any(path, out_path):
    """Facts of a drawing we did not make, and ezdxf's audit of it."""
    doc = ezdxf.readfile(path)
    # Before the audit, which removes dimensions without a geometry block.
    kinds = {e.dxf.handle: "any" for e in doc.modelspace()
             if e.dxftype() in ("DIMENSION", "ARC_DIMENSION", "LEADER")}
    auditor = doc.audit()
    expected = read_back(path, kinds)
    with open(out_path, "w", encoding="utf-8") as out:
        for line in flat_lines(expected):
            out.write("\t".join(line) + "\n")
        out.write(f"audit\terrors\t\t0\t{len(auditor.errors)}\n")
        for error in auditor.errors:
            text = str(error.message).replace("\t", " ").replace("\n", " ")
            out.write(f"audit\terror\t\t0\t{json.dumps(text, ensure_ascii=False)}\n")
    return 0


def main(argv):
    if len(argv) == 4 and argv[1] == "--read-back":
        return read_back_any(argv[2], argv[3])
    if len(argv) < 2:
        print(__doc__, file=sys.stderr)
        return 2
    folder = argv[1]
    releases = argv[2:] or RELEASES
    unknown = [r for r in releases if r not in RELEASES]
    if unknown:
        print(f"unknown release(s): {', '.join(unknown)}", file=sys.stderr)
        return 2
    os.makedirs(folder, exist_ok=True)
    for release in releases:
        print(make_drawing(folder, release))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
