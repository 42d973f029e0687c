#!/usr/bin/python3
"""A drawing of one entity of each common kind per cell, written and drawn by
ezdxf (its drawing add-on, matplotlib backend): the independent picture the
renderer's own is compared with, cell by cell (kind_pictures_test.cpp).

    ezdxf_kinds.py DRAWING.dxf PICTURE.png PIXELS_PER_UNIT

Prints the frame's box ("frame x0 y0 x1 y1"), then one line per cell
("cell x y name": the cell's upper left corner) and the cell size.
"""
import math
import sys

import ezdxf
import matplotlib
from ezdxf.math import Vec2

matplotlib.use('Agg')
import matplotlib.pyplot as plt  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.config import Configuration  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402
from ezdxf.addons.drawing.properties import LayoutProperties  # noqa: E402

doc = ezdxf.new('R2018', setup=True)
msp = doc.modelspace()
doc.header['$PDMODE'] = 3
doc.header['$PDSIZE'] = 3
C = 10.0  # cell size
cells = []
def cell(name):
    i = len(cells)
    x, y = (i % 6) * C, -(i // 6) * C  # the upper left corner
    cells.append((x, y, name))
    return x, y
def box(x, y, a=2, b=8):
    return [(x + a, y - b), (x + b, y - b), (x + b, y - a), (x + a, y - a)]
x, y = cell('solid hatch'); h = msp.add_hatch(color=1); h.paths.add_polyline_path(box(x, y), is_closed=True)
x, y = cell('pattern hatch'); h = msp.add_hatch(color=5); h.set_pattern_fill('ANSI31', scale=0.3); h.paths.add_polyline_path(box(x, y), is_closed=True)
x, y = cell('gradient hatch'); h = msp.add_hatch(); h.set_gradient((200, 0, 0), (0, 0, 200)); h.paths.add_polyline_path(box(x, y), is_closed=True)
x, y = cell('hatch with island'); h = msp.add_hatch(color=3); h.paths.add_polyline_path(box(x, y, 1, 9), is_closed=True, flags=1); h.paths.add_polyline_path(box(x, y, 3.5, 6.5), is_closed=True, flags=16)
x, y = cell('spline'); msp.add_open_spline([(x + 1, y - 9), (x + 3, y - 1), (x + 7, y - 9), (x + 9, y - 1)])
x, y = cell('fit spline'); msp.add_spline([(x + 1, y - 5), (x + 4, y - 2), (x + 6, y - 8), (x + 9, y - 5)])
x, y = cell('ellipse'); msp.add_ellipse((x + 5, y - 5), (4, 0), 0.5)
x, y = cell('elliptic arc'); msp.add_ellipse((x + 5, y - 5), (0, 4), 0.5, 0, math.pi)
x, y = cell('2d polyline'); p = msp.add_polyline2d([(x + 1, y - 8), (x + 5, y - 8), (x + 9, y - 2)]); p.vertices[0].dxf.bulge = 0.5; p.vertices[0].dxf.start_width = p.vertices[0].dxf.end_width = 0.3; p.vertices[1].dxf.start_width = 0.2; p.vertices[1].dxf.end_width = 1.5
x, y = cell('3d polyline'); msp.add_polyline3d([(x + 1, y - 1, 0), (x + 9, y - 9, 3), (x + 1, y - 9, 1), (x + 9, y - 1, 0)])
x, y = cell('polyface'); pf = msp.add_polyface(); pf.append_face([(x + 1, y - 9), (x + 9, y - 9), (x + 5, y - 1)]); pf.append_face([(x + 1, y - 9), (x + 5, y - 1), (x + 1, y - 5)])
x, y = cell('polygon mesh'); m = msp.add_polymesh((3, 3))
for i in range(3):
    for j in range(3): m.set_mesh_vertex((i, j), (x + 1 + 4 * i, y - 9 + 4 * j + 0.5 * i, 0))
x, y = cell('wide lwpolyline'); msp.add_lwpolyline([(x + 1, y - 8, 0.2, 1.2, 0), (x + 5, y - 2, 1, 1, 0), (x + 9, y - 8, 0, 0, 0)], format='xyseb', dxfattribs={'const_width': 0})
blk = doc.blocks.new('TAGGED'); blk.add_circle((0, 0), 1.5); blk.add_attdef('TAG', (-1, -3.5), dxfattribs={'height': 1.5})
x, y = cell('insert with attribute'); r = msp.add_blockref('TAGGED', (x + 5, y - 4)); r.add_auto_attribs({'TAG': 'AB'})
small = doc.blocks.new('DOT'); small.add_solid([(0, 0), (1, 0), (0, 1), (1, 1)])
x, y = cell('minsert'); r = msp.add_blockref('DOT', (x + 1, y - 9)); r.grid(size=(3, 3), spacing=(3, 3))
x, y = cell('3dface'); msp.add_3dface([(x + 1, y - 9), (x + 9, y - 9), (x + 9, y - 1), (x + 1, y - 1)])
x, y = cell('trace'); msp.add_trace([(x + 1, y - 6), (x + 1, y - 4), (x + 9, y - 6), (x + 9, y - 4)])
x, y = cell('solid'); msp.add_solid([(x + 2, y - 8), (x + 8, y - 8), (x + 5, y - 2)])
x, y = cell('wipeout'); h = msp.add_hatch(color=1); h.paths.add_polyline_path(box(x, y, 1, 9), is_closed=True); msp.add_wipeout([(x + 3, y - 7), (x + 7, y - 3)])
x, y = cell('multileader')
try:
    from ezdxf.render import mleader
    ml = msp.add_multileader_mtext('Standard'); ml.set_content('ML', char_height=1.5)
    ml.add_leader_line(mleader.ConnectionSide.left, [Vec2(x + 1, y - 9)])
    ml.build(insert=Vec2(x + 4, y - 3))
except Exception as e:
    print('no multileader:', e, file=sys.stderr)
x, y = cell('point'); msp.add_point((x + 5, y - 5))
x, y = cell('aligned text'); t = msp.add_text('Al', dxfattribs={'height': 2}); t.set_placement((x + 1, y - 6), (x + 9, y - 4), align=ezdxf.enums.TextEntityAlignment.ALIGNED)
x, y = cell('fit text'); t = msp.add_text('Fit', dxfattribs={'height': 2}); t.set_placement((x + 1, y - 6), (x + 9, y - 6), align=ezdxf.enums.TextEntityAlignment.FIT)
x, y = cell('mtext'); msp.add_mtext('One\\PTwo', dxfattribs={'char_height': 1.8, 'insert': (x + 1, y - 2), 'width': 8})
word = doc.blocks.new('WORD'); word.add_text('Ab', dxfattribs={'height': 2})
x, y = cell('text in a stretched block'); msp.add_blockref('WORD', (x + 1, y - 6), dxfattribs={'xscale': 2.5, 'yscale': 1.2})
# Entities given in a plane seen from below (extrusion 0,0,-1): their x
# runs the other way, so the cell at x holds what the file places at -x.
DOWN = {'extrusion': (0, 0, -1)}
x, y = cell('circle and arc from below'); msp.add_circle((-x - 3, y - 3), 2, dxfattribs=DOWN)
msp.add_arc((-x - 6, y - 7), 2.5, 0, 90, dxfattribs=DOWN)
x, y = cell('polyline from below'); msp.add_lwpolyline([(-x - 1, y - 1), (-x - 9, y - 5), (-x - 1, y - 9)], dxfattribs=DOWN)
x, y = cell('solid from below'); msp.add_solid([(-x - 1, y - 9), (-x - 4, y - 9), (-x - 1, y - 3)], dxfattribs=DOWN)
x, y = cell('text from below'); msp.add_text('Ocs', dxfattribs=dict(DOWN, insert=(-x - 8, y - 6), height=2.5))
x, y = cell('insert from below'); msp.add_blockref('TAGGED', (-x - 3, y - 3), dxfattribs=DOWN)
x, y = cell('ray'); msp.add_ray((x + 5, y - 3), (1, 0))
# The construction line runs along a row of its own.
rows = (len(cells) + 5) // 6
xl_y = -rows * C - C / 2
msp.add_xline((0, xl_y), (1, 0))
frame_top, frame_bottom = 0.0, -(rows + 1) * C
msp.add_lwpolyline([(0, frame_bottom), (6 * C, frame_bottom), (6 * C, frame_top), (0, frame_top)], close=True)
doc.saveas(sys.argv[1])
# Drawn from the file, as the renderer draws it.
doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()

pixels = float(sys.argv[3])
width_px, height_px = round(6 * C * pixels), round((frame_top - frame_bottom) * pixels)
dpi = 100
fig = plt.figure(figsize=(width_px / dpi, height_px / dpi), dpi=dpi)
ax = fig.add_axes([0, 0, 1, 1])
ctx = RenderContext(doc)
ctx.set_current_layout(msp)
props = LayoutProperties.from_layout(msp)
props.set_colors('#ffffff')
Frontend(ctx, MatplotlibBackend(ax), config=Configuration.defaults().with_changes(pdsize=3, pdmode=3)).draw_layout(msp, finalize=True, layout_properties=props)
# The frame fills the picture exactly, as in the renderer's picture.
ax.set_xlim(0, 6 * C)
ax.set_ylim(frame_bottom, frame_top)
ax.set_aspect('auto')
ax.set_axis_off()
fig.set_size_inches(width_px / dpi, height_px / dpi)
ax.set_position([0, 0, 1, 1])
fig.savefig(sys.argv[2], dpi=dpi, facecolor='#ffffff')

print('frame', 0, frame_bottom, 6 * C, frame_top)
print('size', C)
for x, y, name in cells:
    print('cell', x, y, name)
