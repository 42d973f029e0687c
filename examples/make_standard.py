#!/usr/bin/python3
"""Writes examples/standard.dxf, a company's standard drawing: the dimension
styles an office brings into every drawing it works on (see the README's
batch example and examples/standard.scr).

"Company" (metric, 2.5 mm text in its own text style, a user arrowhead, a
centre linetype on the first extension line) with two child styles:
"Company$0" for linear dimensions and "Company$7" for leaders (dot arrow).
"Company-Arch" draws architectural ticks. The user arrowhead "Company-Tick"
is a block of a solid and a line on the layer "Company-Arrows". A line
dimensioned in each top-level style shows them.

Usage: make_standard.py [OUTPUT.dxf]   (default: standard.dxf next to this file)
Needs ezdxf (Debian: python3-ezdxf).
"""
import os
import sys

import ezdxf


def make_records(doc):
    doc.styles.new("Company-Text", dxfattribs={"font": "isocpeur.ttf", "width": 0.9})
    doc.linetypes.new("Company-Center", dxfattribs={"description": "Center ____ _ ____ _",
                                                     "pattern": [10.0, 6.0, -1.5, 1.0, -1.5]})
    doc.layers.new("Company-Arrows", dxfattribs={"color": 1})
    tick = doc.blocks.new("Company-Tick")
    tick.add_solid([(0, 0), (-1, -0.2), (-1, 0.2)], dxfattribs={"layer": "Company-Arrows"})
    tick.add_line((-1.5, 0), (0, 0), dxfattribs={"layer": "Company-Arrows"})


def set_values(style, values):
    for name, value in values.items():
        style.dxf.set(name, value)


def make_styles(doc):
    common = {"dimtxt": 2.5, "dimasz": 2.5, "dimexo": 0.625, "dimexe": 1.25, "dimgap": 0.625,
              "dimdli": 3.75, "dimdec": 2, "dimdsep": ord(","), "dimtad": 1, "dimtih": 0, "dimtoh": 0,
              "dimzin": 8, "dimclrd": 5, "dimclre": 5, "dimclrt": 7, "dimlunit": 2}
    company = doc.dimstyles.new("Company")
    set_values(company, common)
    company.dxf.dimtxsty = "Company-Text"
    company.set_arrows(blk="Company-Tick")
    company.set_linetypes(ext1="Company-Center")
    linear = doc.dimstyles.new("Company$0")
    set_values(linear, dict(common, dimasz=3.0, dimexe=2.0))
    linear.dxf.dimtxsty = "Company-Text"
    linear.set_arrows(blk="Company-Tick")
    leader = doc.dimstyles.new("Company$7")
    set_values(leader, dict(common, dimclrd=1))
    leader.dxf.dimtxsty = "Company-Text"
    leader.set_arrows(ldrblk=ezdxf.ARROWS.dot)
    arch = doc.dimstyles.new("Company-Arch")
    set_values(arch, dict(common, dimasz=0.0, dimtsz=1.5, dimdec=0))
    doc.header["$MEASUREMENT"] = 1
    doc.header["$INSUNITS"] = 4  # millimetres


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(os.path.abspath(__file__)),
                                                             "standard.dxf")
    doc = ezdxf.new("R2018")
    make_records(doc)
    make_styles(doc)
    msp = doc.modelspace()
    msp.add_text("Company dimension styles", dxfattribs={"height": 5, "style": "Company-Text"})
    # One dimension in each top-level style, to see them by.
    msp.add_line((0, -20), (60, -20))
    msp.add_linear_dim(base=(30, -10), p1=(0, -20), p2=(60, -20), dimstyle="Company").render()
    msp.add_linear_dim(base=(30, -35), p1=(0, -20), p2=(60, -20), dimstyle="Company-Arch").render()
    doc.saveas(out)


if __name__ == "__main__":
    main()
