#!/usr/bin/env bash
# Measures the designer under Xvfb: from the program's start to the first fully drawn form, and
# from the press on Calculate to the closed files and to the result lines on screen, beside the
# whole run of zephyrion-cli for the same design as the baseline; then how often the idle window
# wakes and how much of a core it takes over 10 s without input. A watcher reads display pixels
# every millisecond on the monotonic clock. Not a test: it prints figures.
# Usage: designer_timing.sh DESIGNER CLI [RUNS]
source "$(dirname "$0")/lib.sh"
here=$(cd "$(dirname "$0")" && pwd)
# The programs are run from a folder of their own, so relative paths are taken from here.
designer=$(realpath "$1")
cli=$(realpath "$2")
runs=${3:-5}
gui_start_xvfb
cd "$GUI_TMP"

# The 800x600 window is centred on the 1024x768 display, so window (x, y) is display (x+112, y+84).
PYTHONPATH=$here python3 - "$designer" "$cli" "$runs" <<'PYTHON'
import os, subprocess, sys, time
import display_pixels
designer, cli, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])


def pixel(x, y):
    return display_pixels.pixel(x + 112, y + 84)

def wait_until(condition, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return time.monotonic()
        time.sleep(0.001)
    sys.exit("timed out")

def table_closed():
    try:
        with open("xx/Blade.xls", "rb") as table:
            return table.read().endswith(b"at  10.0m/s\r\n")
    except OSError:
        return False

def start_designer():
    program = subprocess.Popen([designer], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, env=dict(os.environ, SDL_AUDIODRIVER="dummy"))
    # The Exit button is drawn last: its outer ring's bottom right corner turns white.
    return program, wait_until(lambda: pixel(340, 580) == 0xFFFFFF)

def wake_ups(pid):
    """Voluntary context switches of all the process's threads: each is one sleep that ended."""
    total = 0
    for thread in os.listdir("/proc/%d/task" % pid):
        with open("/proc/%d/task/%s/status" % (pid, thread)) as status:
            for line in status:
                if line.startswith("voluntary_ctxt_switches:"):
                    total += int(line.split()[1])
    return total

def cpu_seconds(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")  # utime + stime

for run in range(1, runs + 1):
    for name in ("xx/Blade.stl", "xx/Blade.xls", "xx/Blade.txt"):
        if os.path.exists(name):
            os.remove(name)
    launched = time.monotonic()
    program, drawn = start_designer()
    window = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", "^zephyrion$"],
                            capture_output=True, text=True).stdout.split()[0]
    subprocess.run(["xdotool", "windowfocus", "--sync", window])
    subprocess.run(["xdotool", "mousemove", "--window", window, "175", "525"])
    time.sleep(0.2)
    pressed = time.monotonic()
    subprocess.run(["xdotool", "mousedown", "1"])
    closed = wait_until(table_closed)
    # The first result line's "R" ink (text at (22, 422)) appears once the run has returned.
    shown = wait_until(lambda: pixel(22, 426) == 0x000000)
    subprocess.run(["xdotool", "mouseup", "1"])
    subprocess.run(["xdotool", "key", "Escape"])
    program.wait(timeout=20)
    started = time.monotonic()
    subprocess.run([cli], stdout=subprocess.DEVNULL, check=True)
    baseline = time.monotonic() - started
    print("run %d: start to drawn form %.0f ms; Calculate to closed files %.0f ms, to result lines %.0f ms;"
          " zephyrion-cli %.0f ms (files %.2fx, lines %.2fx the baseline)"
          % (run, (drawn - launched) * 1000, (closed - pressed) * 1000, (shown - pressed) * 1000,
             baseline * 1000, (closed - pressed) / baseline, (shown - pressed) / baseline), flush=True)

program, _ = start_designer()
time.sleep(1)
quiet = 10
wakes, cpu, started = wake_ups(program.pid), cpu_seconds(program.pid), time.monotonic()
time.sleep(quiet)
elapsed = time.monotonic() - started
woke = wake_ups(program.pid) - wakes
print("idle %d s: %d wake-ups, %.1f a second (voluntary context switches, all threads), %.2f %% of a core"
      % (quiet, woke, woke / elapsed, (cpu_seconds(program.pid) - cpu) / elapsed * 100))
program.terminate()
program.wait(timeout=20)
PYTHON
