#!/usr/bin/python3
"""Times loading and saving a DXF drawing with ezdxf and with our database.

Each measurement is a whole process, started fresh (interpreter or program
start-up included, as a user would wait for it), run several times; the
median counts. Peak memory is the process's maximum resident set size.

    ezdxf load:       python3 -c "ezdxf.readfile(IN)"
    ezdxf load+save:  python3 -c "ezdxf.readfile(IN).saveas(OUT)"
    ours load:        dxf_roundtrip IN
    ours load+save:   dxf_roundtrip IN OUT

Save time is what each program reports for its save alone (ezdxf's
saveas(), our writeDxfDrawing with its atomic save), median of the
load+save runs: the difference of two whole-process medians is too noisy on
a shared machine. Prints the times, the ratios (targets: load at least 50x,
save at least 30x faster than ezdxf) and our peak memory against the file
size (target: at most 3x).

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
    """Wall time, peak resident memory (bytes) and output of one process."""
    with tempfile.TemporaryFile() as output, tempfile.TemporaryFile() as errors:
        start = time.perf_counter()
        process = subprocess.Popen(command, stdout=output, stderr=errors)
        _, status, usage = os.wait4(process.pid, 0)
        elapsed = time.perf_counter() - start
        output.seek(0)
        errors.seek(0)
        text, error_text = output.read().decode(errors="replace"), errors.read().decode(errors="replace")
    if status != 0:
        sys.exit(f"{' '.join(command)} failed: {error_text.strip()}")
    return elapsed, usage.ru_maxrss * 1024, text, usage.ru_utime + usage.ru_stime


def save_seconds(text):
    """The save time a run reports: "wrote OUT: 0.123 s" or "save 0.123"."""
    for line in text.splitlines():
        words = line.split()
        if line.startswith("wrote ") and len(words) >= 2:
            return float(words[-2])
        if line.startswith("save ") and len(words) == 2:
            return float(words[1])
    return None


def median_of(command, runs, check_output=None):
    times, peaks, saves, cpus = [], [], [], []
    for _ in range(runs):
        if check_output and os.path.exists(check_output):
            os.remove(check_output)
        elapsed, peak, text, cpu = run(command)
        cpus.append(cpu)
        if check_output and not os.path.exists(check_output):
            sys.exit(f"{' '.join(command)} wrote nothing")
        times.append(elapsed)
        peaks.append(peak)
        if (seconds := save_seconds(text)) is not None:
            saves.append(seconds)
    median_of.cpu = statistics.median(cpus)
    return statistics.median(times), max(peaks), (statistics.median(saves) if saves else None)


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
        save = ("import ezdxf, sys, time; d = ezdxf.readfile(sys.argv[1]); t = time.perf_counter(); "
                "d.saveas(sys.argv[2]); print('save', time.perf_counter() - t)")
        ours_load, ours_load_peak, _ = median_of([args.tool, args.drawing], args.runs)
        ours_load_cpu = median_of.cpu
        ours_both, ours_peak, ours_save = median_of([args.tool, args.drawing, ours_out], args.runs, ours_out)
        peer_load, _, _ = median_of([EZDXF_PYTHON, "-c", load, args.drawing], args.ezdxf_runs)
        peer_load_cpu = median_of.cpu
        peer_both, peer_peak, peer_save = median_of([EZDXF_PYTHON, "-c", save, args.drawing, peer_out],
                                                    args.ezdxf_runs, peer_out)
        same = open(ours_out, "rb").read() == open(args.drawing, "rb").read()
    ours_save = max(ours_save, 1e-3)
    mb = 1024 * 1024
    print(f"drawing: {args.drawing}, {size / mb:.1f} MB")
    print(f"medians of {args.runs} runs (ours) and {args.ezdxf_runs} runs (ezdxf), whole processes")
    print(f"  load       ezdxf {peer_load:8.3f} s   ours {ours_load:7.3f} s   ratio {peer_load / ours_load:6.1f}x"
          "  (target >= 50x)")
    print(f"  save       ezdxf {peer_save:8.3f} s   ours {ours_save:7.3f} s   ratio {peer_save / ours_save:6.1f}x"
          "  (target >= 30x)")
    print(f"  load+save  ezdxf {peer_both:8.3f} s   ours {ours_both:7.3f} s")
    # On a shared machine wall times depend on who else runs; processor
    # time (user + system) does much less.
    print(f"  load, processor time: ezdxf {peer_load_cpu:.3f} s, ours {ours_load_cpu:.3f} s,"
          f" ratio {peer_load_cpu / max(ours_load_cpu, 1e-3):.1f}x")
    print(f"  peak memory: ours {ours_peak / mb:.0f} MB = {ours_peak / size:.2f}x the file (target <= 3x);"
          f" load only {ours_load_peak / mb:.0f} MB; ezdxf {peer_peak / mb:.0f} MB")
    print(f"  our unchanged save is the same file: {'yes' if same else 'NO'}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
