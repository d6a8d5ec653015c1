#!/usr/bin/env python3
"""Writes installation/qn/300-scanitem.sql: the answer-sheet layout (138 locations) of the demo installation.

Positions are read-box corners in pixels at 100 dpi on a legal page (850 x 1400), first given on the page and
then stored relative to the anchor box in polar form, as the reader wants them. Run it again after changing the
layout below and commit both files.
"""
import math
import sys

ANCHOR = (25, 50)  # top-left pixel of the 12 x 12 anchor box; the reference box sits at (811, 50)

rows = []  # (name, page_x, page_y, dimx, dx, dimy, dy)


def row(name, x, y, dimx, dx=24):
    rows.append((name, x, y, dimx, dx, 1, 0))


def column(name, x, y, dimy, dy=22):
    rows.append((name, x, y, 1, 0, dimy, dy))


# Demographics: one row each, bubbles 24 px apart.
row("Gender", 200, 150, 2)
row("Ethnicity", 200, 190, 6)
row("Education", 200, 230, 8)
row("Marital Status", 200, 270, 5)

# Court history: bubbles 0 to 9.
for i, name in enumerate(["Drug Arrests", "Alcohol Arrests", "Assault Arrests", "Domestic Violence Arrests",
                          "Anger Management Programs"]):
    row(name, 250, 340 + 26 * i, 10)

# Items 1-86 (true/false): six columns of fifteen, numbered down each column.
for n in range(1, 87):
    c, k = divmod(n - 1, 15)
    row("Item %d" % n, 100 + 125 * c, 625 + 26 * k, 2)
# Items 87-110 (how often): four columns of six.
for n in range(87, 111):
    c, k = divmod(n - 87, 6)
    row("Item %d" % n, 100 + 190 * c, 1045 + 26 * k, 4)
# Items 111-123 (multiple choice): four columns of four.
for n in range(111, 124):
    c, k = divmod(n - 111, 4)
    row("Item %d" % n, 100 + 190 * c, 1230 + 26 * k, 4)

# Date of birth: month, day and two-digit year, one digit column each, digits 0 at the top.
column("Birth Month Tens", 590, 370, 2)
column("Birth Month Units", 614, 370, 10)
column("Birth Day Tens", 660, 370, 4)
column("Birth Day Units", 684, 370, 10)
column("Birth Year Tens", 730, 370, 10)
column("Birth Year Units", 754, 370, 10)

assert len(rows) == 138, len(rows)

out = []
out.append("-- The answer-sheet layout: one row per location, read in ID order. Written by tools/scanitem_layout.py;")
out.append("-- change the layout there. r and theta place the first bubble's 15 x 15 read box relative to the anchor box")
out.append("-- (pixels at 100 dpi, degrees); x and y start as that position and are rewritten by every scan.")
out.append("CREATE TABLE ScanItem (ID INTEGER PRIMARY KEY, LocationName TEXT NOT NULL, r REAL NOT NULL,")
out.append("  theta REAL NOT NULL, dimx INTEGER NOT NULL, dx INTEGER NOT NULL, DimY INTEGER NOT NULL,")
out.append("  dy INTEGER NOT NULL, x INTEGER, y INTEGER);")
out.append("")
for i, (name, px, py, dimx, dx, dimy, dy) in enumerate(rows, start=1):
    x, y = px - ANCHOR[0], py - ANCHOR[1]
    r = math.hypot(x, y)
    theta = math.degrees(math.atan2(y, x))
    out.append("INSERT INTO ScanItem VALUES (%d, '%s', %.6f, %.8f, %d, %d, %d, %d, %d, %d);"
               % (i, name, r, theta, dimx, dx, dimy, dy, x, y))
sys.stdout.write("\n".join(out) + "\n")
