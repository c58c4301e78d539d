#!/usr/bin/python3
"""Reads the CAD showcase drawing the way users' tools do and checks it.

Usage: check_cad_core.py DRAWING.dxf
Prints one line per failed check and exits 1 when any failed.
"""
import sys

import ezdxf

import cad_checks

path = sys.argv[1]
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


doc = ezdxf.readfile(path)
check(doc.dxfversion == "AC1015", f"version {doc.dxfversion}")
cad_checks.audit(doc, check)
cad_checks.extents(doc, check)
check(doc.header.get("$DWGCODEPAGE") == "ANSI_1252", "code page")
check(doc.header.get("$INSUNITS") == 4, "millimetre units")
check(doc.header.get("$LIMMAX")[:2] == (297, -297), f"limits {doc.header.get('$LIMMAX')}")

patterns = {
    "ACAD_ISO02W100": [12, -3],
    "ACAD_ISO07W100": [0, -3],
    "ACAD_ISO04W100": [24, -3, 0, -3],
    "ACAD_ISO12W100": [12, -3, 0, -3, 0, -3],
}
for name, pattern in patterns.items():
    check(name in doc.linetypes, f"line type {name}")
    if name in doc.linetypes:
        tags = doc.linetypes.get(name).pattern_tags.tags
        got = [t.value for t in tags if t.code == 49]
        check(got == pattern, f"pattern of {name}: {got}")
check("Continuous" in doc.linetypes, "Continuous")

styles = {s.dxf.name: s.dxf.font for s in doc.styles}
check(styles.get("ZarEvezo") == "txt", f"ZarEvezo font {styles.get('ZarEvezo')}")
check(styles.get("VavAvever") == "greekC", f"VavAvever font {styles.get('VavAvever')}")
check("TORVENA" in doc.ucs, "UCS TORVENA")
check(doc.header.get("$UCSNAME", "") != "TORVENA", "TORVENA left active")

msp = doc.modelspace()
entities = list(msp)
check(len(entities) > 0, "empty model space")
kinds = set()
for e in entities:
    kinds.add(e.dxftype())
    check(e.dxf.layer == "BILD11", f"{e.dxftype()} on layer {e.dxf.layer}")
    check(e.dxf.hasattr("color"), f"{e.dxftype()} without colour")
    check(abs(e.dxf.ltscale - 0.35) < 1e-9, f"{e.dxftype()} line-type scale {e.dxf.ltscale}")
    if e.dxftype() in ("LINE", "ARC"):
        check(e.dxf.hasattr("lineweight"), f"{e.dxftype()} without line weight")
        check(e.dxf.hasattr("linetype"), f"{e.dxftype()} without line type")
    points = []
    if e.dxftype() == "LINE":
        points = [e.dxf.start, e.dxf.end]
    elif e.dxftype() in ("CIRCLE", "ARC"):
        points = [(e.dxf.center.x, e.dxf.center.y + e.dxf.radius)]
    elif e.dxftype() == "MTEXT":
        points = [e.dxf.insert]
    elif e.dxftype() == "HATCH":
        for p in e.paths:
            points += [(v[0], v[1]) for v in p.vertices]
    for p in points:
        check(p[1] <= 1e-9, f"{e.dxftype()} above the page: {p}")

check({"LINE", "CIRCLE", "MTEXT", "HATCH"} <= kinds, f"entity kinds {kinds}")
weights = {e.dxf.lineweight for e in msp.query("LINE")}
colours = {e.dxf.color for e in msp.query("LINE")}
types = {e.dxf.linetype for e in msp.query("LINE")}
check(len(weights) >= 3, f"line weights {weights}")
check(len(colours) >= 3, f"colours {colours}")
check(set(patterns) | {"Continuous"} <= types, f"line types used {types}")

texts, accurate = cad_checks.texts(doc)
check(texts == accurate, f"fast and accurate readings differ: {texts} {accurate}")
for wanted in ["Geländehöhe über Adria = 312,450 m", "Maßstab 1: 100", "ID [1]", "Kies^Jfein 30%%d \\P a\\b 100%"]:
    check(wanted in texts, f"text {wanted!r} not in {texts}")
rotations = {round(m.dxf.text_direction.y, 6) for m in msp.query("MTEXT")}
check(1.0 in rotations, f"no text at 90 degrees: {rotations}")
attachments = {m.dxf.attachment_point for m in msp.query("MTEXT")}
check(8 in attachments, f"attachments {attachments}")

for f in failures:
    print(f)
sys.exit(1 if failures else 0)
