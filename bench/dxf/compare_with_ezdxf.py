#!/usr/bin/python3
"""Times loading and saving a DXF drawing with ezdxf and with our database.

Each measurement is a whole process, started fresh (interpreter or program
start-up included, as a user would wait for it), run several times; the
median counts. Peak memory is the process's maximum resident set size.

    ezdxf load:       python3 -c "ezdxf.readfile(IN)"
    ezdxf load+save:  python3 -c "ezdxf.readfile(IN).saveas(OUT)"
    ours load:        dxf_roundtrip IN
    ours load+save:   dxf_roundtrip IN OUT

Save time is (load+save) - load for each side. Prints the times, the
ratios (targets: load at least 50x, save at least 30x faster than ezdxf)
and our peak memory against the file size (target: at most 3x).

Usage: compare_with_ezdxf.py DRAWING.dxf [--tool build/bin/dxf_roundtrip]
                             [--runs 5] [--ezdxf-runs 3]
Make the drawing with make_big_drawing.py. Needs ezdxf for /usr/bin/python3
(Debian: python3-ezdxf).
"""
import argparse
import os
import statistics
import subprocess
import sys
import tempfile
import time

EZDXF_PYTHON = "/usr/bin/python3"


def run(command):
    """Wall time, peak resident memory (bytes) and error output of one process."""
    with tempfile.TemporaryFile() as errors:
        start = time.perf_counter()
        process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=errors)
        _, status, usage = os.wait4(process.pid, 0)
        elapsed = time.perf_counter() - start
        errors.seek(0)
        text = errors.read().decode(errors="replace")
    if status != 0:
        sys.exit(f"{' '.join(command)} failed: {text.strip()}")
    return elapsed, usage.ru_maxrss * 1024, text


def median_of(command, runs, check_output=None):
    times, peaks = [], []
    for _ in range(runs):
        if check_output and os.path.exists(check_output):
            os.remove(check_output)
        elapsed, peak, stderr = run(command)
        if check_output and not os.path.exists(check_output):
            sys.exit(f"{' '.join(command)} wrote nothing: {stderr.strip()}")
        times.append(elapsed)
        peaks.append(peak)
    return statistics.median(times), max(peaks)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("drawing")
    here = os.path.dirname(os.path.abspath(__file__))
    default_tool = os.path.join(here, "..", "..", "build", "bin", "dxf_roundtrip")
    parser.add_argument("--tool", default=default_tool)
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--ezdxf-runs", type=int, default=3)
    args = parser.parse_args(argv[1:])
    if not os.access(args.tool, os.X_OK):
        sys.exit(f"{args.tool} is no program: build the dxf_roundtrip example (or pass --tool)")
    size = os.path.getsize(args.drawing)
    with tempfile.TemporaryDirectory() as folder:
        ours_out = os.path.join(folder, "ours.dxf")
        peer_out = os.path.join(folder, "ezdxf.dxf")
        load = "import ezdxf, sys; ezdxf.readfile(sys.argv[1])"
        save = "import ezdxf, sys; ezdxf.readfile(sys.argv[1]).saveas(sys.argv[2])"
        ours_load, ours_load_peak = median_of([args.tool, args.drawing], args.runs)
        ours_both, ours_peak = median_of([args.tool, args.drawing, ours_out], args.runs, ours_out)
        peer_load, _ = median_of([EZDXF_PYTHON, "-c", load, args.drawing], args.ezdxf_runs)
        peer_both, peer_peak = median_of([EZDXF_PYTHON, "-c", save, args.drawing, peer_out],
                                         args.ezdxf_runs, peer_out)
        same = open(ours_out, "rb").read() == open(args.drawing, "rb").read()
    ours_save = max(ours_both - ours_load, 1e-3)
    peer_save = max(peer_both - peer_load, 1e-3)
    mb = 1024 * 1024
    print(f"drawing: {args.drawing}, {size / mb:.1f} MB")
    print(f"medians of {args.runs} runs (ours) and {args.ezdxf_runs} runs (ezdxf), whole processes")
    print(f"  load       ezdxf {peer_load:8.3f} s   ours {ours_load:7.3f} s   ratio {peer_load / ours_load:6.1f}x"
          "  (target >= 50x)")
    print(f"  save       ezdxf {peer_save:8.3f} s   ours {ours_save:7.3f} s   ratio {peer_save / ours_save:6.1f}x"
          "  (target >= 30x)")
    print(f"  load+save  ezdxf {peer_both:8.3f} s   ours {ours_both:7.3f} s")
    print(f"  peak memory: ours {ours_peak / mb:.0f} MB = {ours_peak / size:.2f}x the file (target <= 3x);"
          f" load only {ours_load_peak / mb:.0f} MB; ezdxf {peer_peak / mb:.0f} MB")
    print(f"  our unchanged save is the same file: {'yes' if same else 'NO'}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
