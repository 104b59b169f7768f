#!/usr/bin/env python3
"""The MARINER67 driver as a Python session uses it, against the converter.

Each round runs, in turn, a fresh Python process that opens and reads picture
after picture (gdal.Open(f).GetRasterBand(1).ReadAsArray()), with other
allocations between the opens as a real script makes them, and
`orbalux-convert -j 1 --format bmp` over the same pictures. It prints the CPU
per picture of each (user and system, page faults included) for every round,
their medians and the ratio; for the driver also the median of single opens,
which leaves out the first opens' cost of a fresh process. A driver that takes fresh memory for every open
shows here what an in-process benchmark that reuses freed memory cannot.

  python3 bench/gdal_python.py [--build build] [--rounds 7] [--count 50]
      [--plugin-dir DIR ...] [--python PYTHON] [FOLDER]

FOLDER holds the pictures (default: the synthetic volume in BENCH_DIR or
/dev/shm/orbalux-bench/volume, made with the build's orbalux-make-volume when
missing). Every --plugin-dir is timed as a driver of its own (default: the
build's gdal folder), so that an older build's plugin can run in the same
rounds.
"""
import argparse
import os
import random
import resource
import statistics
import subprocess
import sys
import tempfile
import time


def driver_loop(files):
    """Runs in the child: prints the CPU seconds per picture of the opens and
    reads, over all of them and the median open."""
    import numpy as np
    from osgeo import gdal

    gdal.UseExceptions()
    rng = random.Random(7)
    kept = []
    cpu = []
    for path in files:
        start = time.process_time()
        # The dataset held while its band is read: GDAL 3.6's bindings let a
        # band outlive a dataset that nothing holds.
        dataset = gdal.Open(path)
        pixels = dataset.GetRasterBand(1).ReadAsArray()
        del dataset
        cpu.append(time.process_time() - start)
        # What a script does between opens, untimed: arrays and objects of
        # many sizes made, some kept a while, the rest freed.
        kept.append(pixels.astype(np.float32) * 0.5)
        kept.append(bytearray(rng.randrange(1 << 12, 1 << 21)))
        kept.append([str(i) for i in range(rng.randrange(1000, 20000))])
        if len(kept) > 12:
            del kept[: rng.randrange(3, 9)]
    print(sum(cpu) / len(files), statistics.median(cpu))


def child_cpu(command, env=None):
    """CPU seconds (user and system) of one child process run to its end."""
    process = subprocess.Popen(command, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    _, status, usage = os.wait4(process.pid, 0)
    out = process.stdout.read()
    err = process.stderr.read()
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit(f"{' '.join(command[:3])} ...: failed: {err.strip()}")
    return usage.ru_utime + usage.ru_stime, out


def main():
    if len(sys.argv) > 1 and sys.argv[1] == "--child":
        driver_loop(sys.argv[2:])
        return
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(root, "build"))
    parser.add_argument("--rounds", type=int, default=7)
    parser.add_argument("--count", type=int, default=50)
    parser.add_argument("--plugin-dir", action="append", dest="plugins")
    # The system's Python carries GDAL's bindings; another first on PATH may not.
    parser.add_argument("--python", default="/usr/bin/python3" if os.path.exists("/usr/bin/python3") else sys.executable)
    parser.add_argument("folder", nargs="?")
    args = parser.parse_args()
    plugins = args.plugins or [os.path.join(args.build, "gdal")]
    converter = os.path.join(args.build, "cli", "orbalux-convert")

    folder = args.folder
    if folder is None:
        base = os.environ.get("BENCH_DIR") or ("/dev/shm/orbalux-bench" if os.access("/dev/shm", os.W_OK) else
                                               os.path.join(tempfile.gettempdir(), "orbalux-bench"))
        folder = os.path.join(base, "volume")
        if not os.path.isdir(folder) or len(os.listdir(folder)) < 400:
            subprocess.run([os.path.join(args.build, "bench", "orbalux-make-volume"), folder], check=True,
                           stdout=subprocess.DEVNULL)
    # Pictures spread over the whole volume, so that every line format has its share.
    names = sorted(os.listdir(folder))
    files = [os.path.join(folder, n) for n in names[:: max(1, len(names) // args.count)]][: args.count]

    variants = [f"driver:{p}" for p in plugins] + ["convert"]
    times = {v: [] for v in variants}
    opens = {v: [] for v in variants}  # the median open of each driver round
    with tempfile.TemporaryDirectory() as out:
        print(f"{len(files)} pictures from {folder}; {args.rounds} rounds; {os.cpu_count()} cores")
        for round_number in range(1, args.rounds + 1):
            line = f"round {round_number}:"
            for v in variants:
                if v == "convert":
                    cpu, _ = child_cpu([converter, "-q", "-j", "1", "--format", "bmp", "-o", out] + files)
                    per = cpu / len(files)
                else:
                    env = dict(os.environ, GDAL_DRIVER_PATH=v.split(":", 1)[1])
                    _, printed = child_cpu([args.python, os.path.abspath(__file__), "--child"] + files, env)
                    per, median_open = (float(f) for f in printed.strip().splitlines()[-1].split())
                    opens[v].append(median_open)
                times[v].append(per)
                line += f" {v} {per * 1000:.2f} ms"
            print(line, flush=True)
    print()
    convert = statistics.median(times["convert"])
    print(f"{'variant':<40} {'CPU ms/picture':>14} {'over convert':>12} {'median open ms':>14}")
    for v in variants:
        m = statistics.median(times[v])
        o = f"{statistics.median(opens[v]) * 1000:14.2f}" if opens[v] else f"{'':>14}"
        print(f"{v:<40} {m * 1000:14.2f} {m / convert:12.2f} {o}")


if __name__ == "__main__":
    main()
