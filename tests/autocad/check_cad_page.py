#!/usr/bin/python3
"""Reads an exported log page the way users' tools do and checks it.

Usage: check_cad_page.py PAGE.dxf [TEXT...]
Each TEXT must stand as a whole text of the page. Prints one line per failed
check and exits 1 when any failed.
"""
import sys

import ezdxf

import cad_checks

doc = ezdxf.readfile(sys.argv[1])
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


check(doc.dxfversion == "AC1015", f"version {doc.dxfversion}")
cad_checks.audit(doc, check)
cad_checks.extents(doc, check)
msp = doc.modelspace()
check(len(msp) > 100, f"only {len(msp)} entities")
for e in msp:
    check(e.dxf.layer == "BILD11", f"{e.dxftype()} on {e.dxf.layer}")
    if e.dxftype() == "LINE":
        check(e.dxf.start.y <= 1e-9 and e.dxf.end.y <= 1e-9, f"line above the page {e.dxf.start} {e.dxf.end}")
    elif e.dxftype() == "MTEXT":
        check(e.dxf.insert.y <= 1e-9, f"text above the page {e.dxf.insert}")
    elif e.dxftype() in ("CIRCLE", "ARC"):
        check(e.dxf.center.y <= 1e-9, f"{e.dxftype()} above the page {e.dxf.center}")
    elif e.dxftype() == "HATCH":
        for path in e.paths:
            for v in getattr(path, "vertices", []):
                check(v[1] <= 1e-9, f"hatch above the page {v}")
    if e.dxftype() != "HATCH":
        check(abs(e.dxf.get("ltscale", 1.0) - 0.35) < 1e-9, f"{e.dxftype()} with line-type scale {e.dxf.get('ltscale', 1.0)}")
texts, accurate = cad_checks.texts(doc)
for wanted in sys.argv[2:]:
    check(wanted in texts, f"text {wanted!r} missing")
    check(wanted in accurate, f"text {wanted!r} missing in the accurate reading")
for f in failures[:20]:
    print(f)
sys.exit(1 if failures else 0)
