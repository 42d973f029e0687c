#!/usr/bin/python3
"""Writes examples/sample.dxf, the drawing the host opens when given none.

A steel plate 120 x 80 with a bored hole, two slots' worth of geometry and
every kind of dimension the module styles: linear (horizontal and rotated),
aligned, radius, diameter, angular between two lines and through three
points, ordinate X and Y, arc length, and a leader with a note. Three
dimension styles, one with a child style for radial dimensions
("Plate-ISO$4"), and one dimension with its own overrides. The current
values are those of the current style "Plate-ISO", so the drawing opens
without overrides. The dimensions
are rendered (their geometry blocks are written), so that any DXF viewer
shows them.

Usage: make_sample.py [OUTPUT.dxf]   (default: sample.dxf next to this file)
Needs ezdxf (Debian: python3-ezdxf).
"""
import math
import os
import sys

import ezdxf
from ezdxf.sections.headervars import HEADER_VAR_MAP


def use_values_of(doc, style):
    """Makes the drawing's current dimension values those of its current
    style, so that it opens without overrides nobody made."""
    for name, value in style.dxfattribs().items():
        var = "$" + name.upper()
        if name.startswith("dim") and var in HEADER_VAR_MAP:
            doc.header[var] = value


def make_styles(doc):
    doc.styles.new("Plate-Text", dxfattribs={"font": "isocpeur.ttf"})
    iso = doc.dimstyles.new("Plate-ISO")
    for name, value in {"dimtxt": 3.5, "dimasz": 3.0, "dimexo": 1.0, "dimexe": 2.0, "dimgap": 1.0,
                        "dimdec": 1, "dimdsep": ord(","), "dimtad": 1, "dimtih": 0, "dimtoh": 0,
                        "dimtxsty": "Plate-Text", "dimclrd": 5, "dimclre": 5}.items():
        iso.dxf.set(name, value)
    # The child style: what radial dimensions of Plate-ISO use instead.
    radial = doc.dimstyles.new("Plate-ISO$4")
    for name, value in {"dimtxt": 3.5, "dimasz": 3.0, "dimexo": 1.0, "dimgap": 1.0, "dimdec": 1,
                        "dimdsep": ord(","), "dimtad": 0, "dimtih": 1, "dimtoh": 1, "dimtix": 1,
                        "dimtxsty": "Plate-Text", "dimclrd": 1, "dimpost": "R<>"}.items():
        radial.dxf.set(name, value)
    arch = doc.dimstyles.new("Plate-Arch")
    for name, value in {"dimtxt": 3.0, "dimasz": 0.0, "dimtsz": 1.5, "dimexo": 1.5, "dimexe": 1.5,
                        "dimgap": 1.0, "dimdec": 0, "dimtad": 1, "dimclrt": 3}.items():
        arch.dxf.set(name, value)
    doc.header["$DIMSTYLE"] = "Plate-ISO"
    doc.header["$MEASUREMENT"] = 1
    doc.header["$INSUNITS"] = 4  # millimetres


def make_plate(msp):
    msp.add_lwpolyline([(0, 0), (120, 0), (120, 60), (100, 80), (0, 80)], close=True,
                       dxfattribs={"layer": "Outline"})
    msp.add_circle((40, 40), 15, dxfattribs={"layer": "Outline"})
    msp.add_arc((90, 40), 10, 270, 90, dxfattribs={"layer": "Outline"})
    msp.add_line((90, 30), (75, 30), dxfattribs={"layer": "Outline"})
    msp.add_line((90, 50), (75, 50), dxfattribs={"layer": "Outline"})
    msp.add_line((40, 20), (40, 60), dxfattribs={"layer": "Center", "linetype": "CENTER"})
    msp.add_line((20, 40), (60, 40), dxfattribs={"layer": "Center", "linetype": "CENTER"})


def make_dimensions(msp):
    attribs = {"layer": "Dimensions"}
    iso = "Plate-ISO"
    msp.add_linear_dim(base=(60, -15), p1=(0, 0), p2=(120, 0), dimstyle=iso, dxfattribs=attribs).render()
    msp.add_linear_dim(base=(-15, 40), p1=(0, 0), p2=(0, 80), angle=90, dimstyle=iso,
                       dxfattribs=attribs).render()
    msp.add_aligned_dim(p1=(120, 60), p2=(100, 80), distance=10, dimstyle=iso, dxfattribs=attribs).render()
    msp.add_radius_dim(center=(90, 40), radius=10, angle=30, dimstyle=iso + "$4",
                       dxfattribs=attribs).render()
    msp.add_diameter_dim(center=(40, 40), radius=15, angle=135, dimstyle=iso, dxfattribs=attribs).render()
    msp.add_angular_dim_2l(base=(112, 75), line1=((100, 80), (120, 60)), line2=((120, 0), (120, 60)),
                           dimstyle="Plate-Arch", dxfattribs=attribs).render()
    msp.add_angular_dim_3p(base=(20, 95), center=(0, 80), p1=(0, 0), p2=(100, 80), dimstyle="Plate-Arch",
                           dxfattribs=attribs).render()
    msp.add_ordinate_x_dim(feature_location=(40, 40), offset=(0, -30), origin=(0, 0), dimstyle=iso,
                           dxfattribs=attribs).render()
    msp.add_ordinate_y_dim(feature_location=(40, 40), offset=(-30, 0), origin=(0, 0), dimstyle=iso,
                           dxfattribs=attribs).render()
    msp.add_arc_dim_3p(base=(108, 40), center=(90, 40), p1=(90, 30), p2=(90, 50), dimstyle=iso,
                       dxfattribs=attribs).render()
    # A dimension with its own values: a tolerance shown on the bore.
    msp.add_linear_dim(base=(40, 100), p1=(25, 40), p2=(55, 40), dimstyle=iso, dxfattribs=attribs,
                       override={"dimtol": 1, "dimtp": 0.02, "dimtm": 0.0, "dimtfac": 0.7,
                                 "dimclrt": 1}).render()


def make_leader(doc, msp):
    note = msp.add_mtext("Bore \\U+2300" + "30 H7\\PDeburr all edges",
                         dxfattribs={"layer": "Notes", "char_height": 3.0, "insert": (135, 105)})
    leader = msp.add_leader([(50, 52), (80, 100), (132, 100)], dimstyle="Plate-ISO",
                            dxfattribs={"layer": "Notes"})
    leader.dxf.annotation_handle = note.dxf.handle
    leader.dxf.has_hookline = 1


def main(argv):
    out = argv[1] if len(argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)), "sample.dxf")
    doc = ezdxf.new("R2018", setup=["linetypes", "styles"])
    for name, color in (("Outline", 7), ("Center", 1), ("Dimensions", 5), ("Notes", 3)):
        doc.layers.add(name, color=color)
    make_styles(doc)
    msp = doc.modelspace()
    make_plate(msp)
    make_dimensions(msp)
    make_leader(doc, msp)
    auditor = doc.audit()
    if auditor.has_errors:
        print("\n".join(str(e.message) for e in auditor.errors), file=sys.stderr)
        return 1
    doc.saveas(out)
    # ezdxf completes a style's values as it writes it: the current values
    # are taken from the style as written.
    doc = ezdxf.readfile(out)
    use_values_of(doc, doc.dimstyles.get("Plate-ISO"))
    # Styles store no jog angle: theirs is the usual 45 degrees, which the
    # header spells with a few digits less unless told.
    doc.header["$DIMJOGANG"] = math.pi / 4
    doc.saveas(out)
    print(out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
