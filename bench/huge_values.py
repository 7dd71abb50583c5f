"""Peak memory of the host opening and saving drawings that hold one huge
value, and of `spatiary render` drawing them as PNG: a TEXT, an MTEXT, a tag
of an entity the platform does not model and a TEXT in a file of the code
page era (AC1015).  Prints the peak for each per byte of the file, beside
the host alone: what a long value costs should stay a small multiple of its
size.

huge_values.py FOLDER HOST PEAK_MEMORY [MEGABYTES]"""
import os
import subprocess
import sys

import ezdxf

folder, host, peak = sys.argv[1], sys.argv[2], sys.argv[3]
size = int(sys.argv[4]) * 1000000 if len(sys.argv) > 4 else 100000000
# Characters of one, two and three bytes, and carets and escapes to decode.
value = ("text ^ value \u00e9\u20ac " * (size // 20 + 1))[:size]


def made(kind):
    path = os.path.join(folder, "huge-%s.dxf" % kind)
    doc = ezdxf.new("R2000" if kind == "ansi" else "R2018")
    msp = doc.modelspace()
    if kind in ("text", "ansi"):
        msp.add_text(value[: size // 2] if kind == "ansi" else value)
    elif kind == "mtext":
        msp.add_mtext(value)
    else:
        msp.new_entity("WIPEOUT", {})
    doc.saveas(path)
    if kind == "tag":
        # A value no one models: in a carried entity, written straight.
        with open(path, "r", encoding="utf-8") as drawing:
            text = drawing.read()
        at = text.index("\nAcDbWipeout\n") + len("\nAcDbWipeout\n")
        with open(path, "w", encoding="utf-8") as drawing:
            drawing.write(text[:at] + "  1\n" + value + "\n" + text[at:])
    return path


def peak_of(path, script):
    appdata = os.path.join(folder, "appdata")
    prefs = os.path.join(appdata, "ZelphSystems", "Spatiary", "prefs")
    os.makedirs(prefs, exist_ok=True)
    with open(os.path.join(prefs, "prefs.cfg"), "w") as settings:
        settings.write("//\tprefs\nunits\n0\n")
    with open(os.path.join(folder, "script.scr"), "w") as lines:
        lines.write(script)
    return peak_of_command([host, "-s", os.path.join(folder, "script.scr"), "--appdata", appdata] + ([path] if path else []))


def peak_of_command(command):
    return int(subprocess.run([peak] + command, check=True, stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL).stdout.split()[-1])


alone = peak_of(None, "")
print("%-10s %10s %12s %12s %12s %12s" % ("value", "file MB", "peak MB", "memory/file", "drawing/file",
                                           "render/file"))
for kind in ("text", "mtext", "tag", "ansi"):
    path = made(kind)
    file_size = os.path.getsize(path)
    used = peak_of(path, "save\n")
    picture = os.path.join(folder, "huge.png")
    drawn = peak_of_command([host, "render", path, picture])
    print("%-10s %10.1f %12.1f %12.2f %12.2f %12.2f" % (kind, file_size / 1e6, used / 1e6, used / file_size,
                                                        (used - alone) / file_size, drawn / file_size))
    os.remove(path)
    os.remove(picture)
print("%-10s %10s %12.1f" % ("host alone", "-", alone / 1e6))
