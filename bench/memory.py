#!/usr/bin/env python3
"""Peak resident memory of planaq-cli runs, for the capacities of PLANAQ.txt.

usage: bench/memory.py build/tools/planaq-cli

Each run is made in a fresh folder with its own PLANAQ.txt; the peak resident set of the child
comes from wait4. The large problem is nine Split 4 of the initial problem (131,841 nodes,
262,144 elements, six layers); its own tables are counted from the element sizes of the model.
"""
import os
import subprocess
import sys
import tempfile

NODE_BYTES = 24 + 5 * 6 * 8  # Node and NodeLayers
ELEMENT_BYTES = 16


def peak_mb(cli, folder, *args):
    proc = subprocess.Popen([cli, *args], cwd=folder, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE)
    _, status, usage = os.wait4(proc.pid, 0)
    err = proc.stderr.read().decode(errors="replace")
    if status != 0:
        sys.exit(f"{' '.join(args)} failed ({status}): {err}")
    return usage.ru_maxrss / 1024.0


def run(cli, nmax, mmax, split4=0):
    with tempfile.TemporaryDirectory() as folder:
        with open(os.path.join(folder, "PLANAQ.txt"), "w") as f:
            f.write(f"Bench,\n48, {nmax}, {mmax}, 100,\n")
        figures = [("new", peak_mb(cli, folder, "new", "a.aqd"))]
        solved = "a.aqd"
        if split4:
            figures.append(("refine", peak_mb(cli, folder, "refine", "a.aqd", "b.aqd",
                                              "--split4", str(split4))))
            solved = "b.aqd"
        figures.append(("solve", peak_mb(cli, folder, "solve", solved, "c.aqd")))
        return figures


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    cli = os.path.abspath(sys.argv[1])
    for nmax, mmax in ((12000, 20000), (2000000, 4200000)):
        figures = run(cli, nmax, mmax)
        print(f"NMAX {nmax:>9}, MMAX {mmax:>9}: " +
              ", ".join(f"{name} {mb:.1f} MB" for name, mb in figures))
    nodes, elements = 131841, 262144
    figures = run(cli, 140000, 270000, split4=9)
    tables = (nodes * NODE_BYTES + elements * ELEMENT_BYTES) / 1024 / 1024
    print(f"nine Split 4 ({nodes} nodes, {elements} elements, 6 layers): " +
          ", ".join(f"{name} {mb:.1f} MB" for name, mb in figures) +
          f"; its node and element tables {tables:.1f} MB")


if __name__ == "__main__":
    main()
