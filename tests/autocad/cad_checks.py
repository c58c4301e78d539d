"""Checks shared by the drawing checkers: what users' tools read of a DXF."""
from ezdxf import bbox


def audit(doc, check):
    """The drawing passes ezdxf's audit without errors and without fixes."""
    auditor = doc.audit()
    check(len(auditor.errors) == 0, f"audit errors {[str(e.message) for e in auditor.errors]}")
    check(len(auditor.fixes) == 0, f"audit fixes {[str(e.message) for e in auditor.fixes]}")


def extents(doc, check):
    """$EXTMIN and $EXTMAX enclose the box of every entity as ezdxf measures
    it (texts with their lines, not only their insertion points)."""
    lo, hi = doc.header["$EXTMIN"], doc.header["$EXTMAX"]
    tol = 1e-6
    for e in doc.modelspace():
        b = bbox.extents([e])
        if not b.has_data:
            continue
        inside = (b.extmin.x >= lo[0] - tol and b.extmin.y >= lo[1] - tol
                  and b.extmax.x <= hi[0] + tol and b.extmax.y <= hi[1] + tol)
        check(inside, f"{e.dxftype()} box {tuple(b.extmin)}..{tuple(b.extmax)} beyond the extents {lo}..{hi}")


def texts(doc):
    """The plain texts of the multiline texts, in drawing order, as ezdxf's
    fast and accurate readings give them (the two must agree)."""
    fast = [m.plain_text() for m in doc.modelspace().query("MTEXT")]
    accurate = [m.plain_text(fast=False) for m in doc.modelspace().query("MTEXT")]
    return fast, accurate
