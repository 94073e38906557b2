#!/usr/bin/env python3
"""The default solve and the algebraic multigrid one side by side, on the initial problem
refined by Split 4.

usage: bench/multigrid_table.py build/tools/planaq-cli [SPLITS ...]   (default: 9)

For every number of Split 4 (9: 131,841 nodes, 10: 525,825 nodes, six layers) the problem is
made in a fresh folder with the capacities it needs, then solved once with `solve` and once
with `solve --amg`, both with `--phases`. The table gives, for each choice, the wall-clock
seconds of every phase (read, pattern, assembly of the six cycles, multigrid set-up, cycles'
iterations, supplies and flow field, write), the whole command's seconds and peak resident
memory, the iterations of the six cycles, and the largest difference of the heads of the two
solved files.
"""
import os
import subprocess
import sys
import tempfile
import time


def run(cli, folder, *args):
    start = time.monotonic()
    proc = subprocess.Popen([cli, *args], cwd=folder, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE)
    out = proc.stdout.read().decode(errors="replace")
    err = proc.stderr.read().decode(errors="replace")
    _, status, usage = os.wait4(proc.pid, 0)
    seconds = time.monotonic() - start
    if status != 0:
        sys.exit(f"{' '.join(args)} failed ({status}): {err}")
    return out, err, seconds, usage.ru_maxrss / 1024.0


PHASES = ["read", "pattern", "assembly", "set-up", "cycles", "supplies", "write"]


def phases(err):
    """The seconds of the lines 'phase NAME SECONDS s PEAK MB' that planaq-cli --phases prints;
    the other lines of standard error are given back."""
    seconds, rest = {}, []
    for line in err.splitlines():
        fields = line.split()
        if len(fields) == 6 and fields[0] == "phase":
            seconds[fields[1]] = float(fields[2])
        else:
            rest.append(line)
    return seconds, "\n".join(rest)


def iterations(out):
    """The iteration counts of the lines 'Cycle n  Iteration i  Log(error) e'."""
    return [int(line.split()[3]) for line in out.splitlines() if line.startswith("Cycle")]


def heads(path):
    """The heads F of every node and layer, in file order: the layer lines of the node data
    are the ones whose first value is a number with a decimal point."""
    values, in_nodes = [], False
    with open(path, encoding="latin-1") as f:
        for line in f:
            if line.startswith("#  Data of Nodes"):
                in_nodes = True
            elif line.startswith("#  Data of") and in_nodes:
                break
            elif in_nodes and not line.startswith("#"):
                fields = [v.strip() for v in line.split(",") if v.strip()]
                if len(fields) == 4 and "." in fields[0]:
                    values.append(float(fields[2]))
    return values


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    cli = os.path.abspath(sys.argv[1])
    splits = [int(s) for s in sys.argv[2:]] or [9]
    print("| nodes | layers | choice | " + " | ".join(f"{p} s" for p in PHASES) +
          " | total s | peak MB | iterations per cycle | largest head difference (m) |")
    print("|---:|---:|---|" + "---:|" * len(PHASES) + "---:|---:|---|---:|")
    for split in splits:
        nodes = (2 ** split + 1) * (2 ** (split - 1) + 1)  # and 4 ** split elements
        with tempfile.TemporaryDirectory() as folder:
            # Split 4 asks for room for four times the nodes it starts from
            before = (2 ** (split - 1) + 1) * (2 ** (split - 2) + 1)
            with open(os.path.join(folder, "PLANAQ.txt"), "w") as f:
                f.write(f"Bench,\n48, {4 * before + 1000}, {4 ** split + 1000}, 100,\n")
            run(cli, folder, "new", "a.aqd")
            run(cli, folder, "refine", "a.aqd", "b.aqd", "--split4", str(split))
            solved = {}
            for choice, extra in (("default", []), ("multigrid", ["--amg"])):
                out, err, sec, mb = run(cli, folder, "solve", "--phases", *extra, "b.aqd",
                                        f"{choice}.aqd")
                seconds, rest = phases(err)
                if rest:
                    print(f"{choice} wrote on standard error: {rest!r}", file=sys.stderr)
                solved[choice] = (out, seconds, sec, mb)
            hd = heads(os.path.join(folder, "default.aqd"))
            hm = heads(os.path.join(folder, "multigrid.aqd"))
            if len(hd) != len(hm) or not hd:
                sys.exit("the solved files differ in their nodes")
            layers = len(hd) // nodes
            largest = max(abs(a - b) for a, b in zip(hd, hm))
            for choice, (out, seconds, sec, mb) in solved.items():
                times = " | ".join(f"{seconds.get(p, 0.0):.2f}" for p in PHASES)
                print(f"| {nodes:,} | {layers} | {choice} | {times} | {sec:.1f} | {mb:.0f} | "
                      f"{' '.join(map(str, iterations(out)))} | {largest:.2e} |", flush=True)


if __name__ == "__main__":
    main()
