# Makes samples/walls.dxf with ezdxf: a floor drawn as an architect draws
# it, walls of two lines 200 mm apart with door openings between jambs,
# door swings on DOORS, a column and a bay window, and no room outlines.
# Run: /usr/bin/python3 samples/walls.py samples/walls.dxf
import sys
import ezdxf

doc = ezdxf.new("R2010", setup=True)
doc.header["$INSUNITS"] = 4
msp = doc.modelspace()
doc.layers.add("WALLS", color=7)
doc.layers.add("DOORS", color=3)
doc.layers.add("COLUMNS", color=1)
WALL, DOOR = {"layer": "WALLS"}, {"layer": "DOORS"}

def line(a, b):
    msp.add_line(a, b, dxfattribs=WALL)

def run_with_gaps(fixed, start, end, gaps, horizontal):
    """A wall face from start to end, broken by (from, to) openings."""
    at = start
    for a, b in sorted(gaps) + [(end, end)]:
        if a > at:
            line((at, fixed), (a, fixed)) if horizontal else line((fixed, at), (fixed, a))
        at = b

def door(x, y_room, y_corridor, swing_up):
    """A 900 mm opening between two horizontal faces, its jambs and swing."""
    line((x, y_corridor), (x, y_room))
    line((x + 900, y_corridor), (x + 900, y_room))
    hinge_y = y_room if swing_up else y_corridor
    if swing_up:
        msp.add_arc((x, hinge_y), 900, 0, 90, dxfattribs=DOOR)
        msp.add_line((x, hinge_y), (x, hinge_y + 900), dxfattribs=DOOR)
    else:
        msp.add_arc((x, hinge_y), 900, 270, 360, dxfattribs=DOOR)
        msp.add_line((x, hinge_y), (x, hinge_y - 900), dxfattribs=DOOR)

# Offices along the top, their doors onto the corridor.
offices = [(200, 6200), (6400, 12400), (12600, 18600)]
for left, right in offices:
    gap = (left + 1000, left + 1900)
    run_with_gaps(5600, left, right, [gap], True)
    line((left, 5600), (left, 10600))
    line((right, 5600), (right, 10600))
    door(gap[0], 5600, 5400, True)
# The middle office has a bay window: its top face bows out as an arc.
line((200, 10600), (6200, 10600))
line((6400, 10600), (8400, 10600))
msp.add_arc((9400, 10600), 1000, 0, 180, dxfattribs=WALL)
line((10400, 10600), (12400, 10600))
line((12600, 10600), (18600, 10600))

# The meeting room and the store below the corridor.
below = [(200, 9300, 2000), (9500, 18600, 11000)]
for left, right, opening in below:
    run_with_gaps(3200, left, right, [(opening, opening + 900)], True)
    line((left, 200), (right, 200))
    line((left, 200), (left, 3200))
    line((right, 200), (right, 3200))
    door(opening, 3200, 3400, False)
msp.add_circle((4750, 1700), 250, dxfattribs={"layer": "COLUMNS"})

# The corridor's faces, open where the doors are, and the entrance at its west end.
run_with_gaps(5400, 200, 18600, [(a + 1000, a + 1900) for a, _ in offices], True)
run_with_gaps(3400, 200, 18600, [(o, o + 900) for _, _, o in below], True)
run_with_gaps(200, 3400, 5400, [(3950, 4850)], False)
line((18600, 3400), (18600, 5400))

# The outer face of the shell, with the bay and the entrance.
run_with_gaps(0, 0, 18800, [], True)
line((18800, 0), (18800, 10800))
line((0, 10800), (8200, 10800))
msp.add_arc((9400, 10800), 1200, 0, 180, dxfattribs=WALL)
line((10600, 10800), (18800, 10800))
run_with_gaps(0, 0, 10800, [(3950, 4850)], False)
line((0, 3950), (200, 3950))
line((0, 4850), (200, 4850))
msp.add_arc((0, 3950), 900, 90, 180, dxfattribs=DOOR)

doc.saveas(sys.argv[1])
