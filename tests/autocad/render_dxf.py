#!/usr/bin/python3
"""Renders a DXF drawing to a PNG picture for people to look at.

Usage: render_dxf.py DRAWING.dxf PICTURE.png
"""
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402

import ezdxf  # noqa: E402
from ezdxf.addons.drawing import Frontend, RenderContext  # noqa: E402
from ezdxf.addons.drawing.matplotlib import MatplotlibBackend  # noqa: E402
from ezdxf.addons.drawing.properties import LayoutProperties  # noqa: E402

doc = ezdxf.readfile(sys.argv[1])
msp = doc.modelspace()
fig = plt.figure(figsize=(8.27, 11.69))
ax = fig.add_axes([0, 0, 1, 1])
ctx = RenderContext(doc)
props = LayoutProperties.from_layout(msp)
props.set_colors("#ffffff")
Frontend(ctx, MatplotlibBackend(ax)).draw_layout(msp, finalize=True, layout_properties=props)
fig.savefig(sys.argv[2], dpi=150, facecolor="white")
