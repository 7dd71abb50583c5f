"""Prints the benchmark figures as one table: each operation at each size
(the median of its repetitions), the growth from 10 000 to 100 000 spaces,
ezdxf's load and save of the same files beside ours, and the peak memory of
the host holding each drawing."""
import json
import os
import subprocess
import sys
import time

import ezdxf

SIZES = (1000, 10000, 100000)
folder, host, peak = sys.argv[1], sys.argv[2], sys.argv[3]


def runs_by_name(path):
    """The median run of each operation and size."""
    with open(path) as report:
        runs = json.load(report)["benchmarks"]
    chosen = {}
    for run in runs:
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
            continue
        if run.get("run_type") != "aggregate" and run.get("repetitions", 1) > 1:
            continue
        name, size = run["run_name"].split("/")[:2]
        chosen[(name, int(size))] = run
    return chosen


def seconds_by_name(path):
    # Reported in milliseconds.
    return {key: run["real_time"] / 1000.0 for key, run in runs_by_name(path).items()}


def ezdxf_times(path):
    start = time.perf_counter()
    doc = ezdxf.readfile(path)
    loaded = time.perf_counter()
    # Where the benchmarks save: in memory when there is some.
    saved = os.path.join("/dev/shm" if os.path.isdir("/dev/shm") else folder, "ezdxf-saved.dxf")
    doc.saveas(saved)
    written = time.perf_counter()
    os.remove(saved)
    return loaded - start, written - loaded


def peak_memory(path=None):
    """The host's peak opening the drawing (else a new one) and ending at once."""
    command = [peak, host, "-s", os.devnull, "--appdata", os.path.join(folder, "appdata")] + ([path] if path else [])
    return int(subprocess.run(command, check=True, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                              input=b"").stdout.split()[-1])


ours = seconds_by_name(os.path.join(folder, "campus.json"))
rows = []
for name in ("Load", "Save", "CollectSpaces", "UpdateSpaces", "UndoUpdateSpaces", "ExportCsv", "ExportIfc", "ApplyReport"):
    rows.append([name] + [ours[(name, size)] for size in SIZES])
paths = {size: os.path.join(folder, "campus-%d.dxf" % size) for size in SIZES}
host_alone = peak_memory()
memory = {size: (peak_memory(paths[size]), os.path.getsize(paths[size])) for size in SIZES}
reference = {size: ezdxf_times(paths[size]) for size in SIZES}
rows.append(["ezdxf load"] + [reference[size][0] for size in SIZES])
rows.append(["ezdxf save"] + [reference[size][1] for size in SIZES])

print("%-16s %12s %12s %12s %10s" % ("seconds", "1 000", "10 000", "100 000", "100k/10k"))
for row in rows:
    print("%-16s %12.3f %12.3f %12.3f %10.1f" % (row[0], row[1], row[2], row[3], row[3] / row[2]))
render = seconds_by_name(os.path.join(folder, "render.json"))
print("%-16s %12.3f %12.3f %12s %10s" % ("render (10k/1k)", render[("RenderSpaces", 1000)],
                                          render[("RenderSpaces", 10000)], "-",
                                          "%.1f" % (render[("RenderSpaces", 10000)] / render[("RenderSpaces", 1000)])))
print()
print("%-16s %12s %12s %12s" % ("", "1 000", "10 000", "100 000"))
print("%-16s" % "file MB" + "".join("%13.1f" % (memory[size][1] / 1e6) for size in SIZES))
print("%-16s" % "load MB/s" + "".join("%13.1f" % (memory[size][1] / 1e6 / ours[("Load", size)]) for size in SIZES))
print("%-16s" % "ezdxf/ours load" + "".join("%13.1f" % (reference[size][0] / ours[("Load", size)]) for size in SIZES))
print("%-16s" % "ezdxf/ours save" + "".join("%13.1f" % (reference[size][1] / ours[("Save", size)]) for size in SIZES))
print("%-16s" % "peak memory MB" + "".join("%13.1f" % (memory[size][0] / 1e6) for size in SIZES))
print("%-16s" % "memory/file" + "".join("%13.2f" % (memory[size][0] / memory[size][1]) for size in SIZES))
# The drawing's own share: the peak less that of the host with a new drawing.
print("%-16s" % "drawing/file" +
      "".join("%13.2f" % ((memory[size][0] - host_alone) / memory[size][1]) for size in SIZES))
print("%-16s %12.1f" % ("host alone MB", host_alone / 1e6))
undo = runs_by_name(os.path.join(folder, "campus.json"))
print("%-16s" % "undo record B/sp" +
      "".join("%13.0f" % undo[("UndoUpdateSpaces", size)]["record bytes/space"] for size in SIZES))
