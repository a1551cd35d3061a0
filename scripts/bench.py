"""The measurements of scripts/bench, run inside the Wine session it sets up."""
import os
import platform
import statistics
import subprocess
import sys
import time
import wave

ROOT, WORK = sys.argv[1], sys.argv[2]
RUNS = int(os.environ.get("BENCH_RUNS", "3"))
BOUNDARIES = int(os.environ.get("BENCH_BOUNDARIES", "10"))
IDLE_SECONDS = int(os.environ.get("BENCH_IDLE_SECONDS", "60"))
CAPTURE = os.environ["CHIMO_CAPTURE"]
# The release settings (size-optimised, static run-time) for the programs measured; the test
# build for the remote control.
BUILD = os.path.join(ROOT, "build", "win64-release")
CHIMO = os.path.join(BUILD, "CHIMO.EXE")
BASELINE = os.path.join(BUILD, "bench", "baseline.exe")
PROBE = os.path.join(BUILD, "bench", "startprobe.exe")
REMOTE = os.path.join(ROOT, "build", "win64", "tests", "chimo_remote.exe")
# The in-process run of many quarters (the test build: the platform's clock and devices faked).
APP_TESTS = os.path.join(ROOT, "build", "win64", "tests", "app_tests.exe")
MONTH_QUARTERS = int(os.environ.get("BENCH_MONTH_QUARTERS", "2880"))
SLOTS = ("(XX:00) Hourly", "(XX:15) Quarter After", "(XX:30) Half Past", "(XX:45) Quarter Til")
RELEASE = os.path.join(ROOT, "build", "win32", "CHIMO.EXE")
FAKETIME = "/usr/lib/x86_64-linux-gnu/faketime/libfaketime.so.1"
CLOCK_FILE = os.path.join(WORK, "clock")
TONE = os.path.join(WORK, "tone.wav")
HZ = os.sysconf("SC_CLK_TCK")


def winpath(path):
    return "Z:" + path.replace("/", "\\")


def wine(*args, env=None, wait=True):
    run = subprocess.run if wait else subprocess.Popen
    kwargs = dict(env=env, stdout=subprocess.PIPE if wait else subprocess.DEVNULL,
                  stderr=subprocess.DEVNULL)
    if wait:
        kwargs["text"] = True
    return run(["wine", *args], **kwargs)


def make_tone():
    with wave.open(TONE, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(22050)
        w.writeframes(b"\x00\x10\x00\xf0" * 4410)  # 0.4 s of a loud square wave


def set_offset(seconds):
    with open(CLOCK_FILE, "w") as f:
        f.write(("+%ds" if seconds >= 0 else "%ds") % seconds)


def fake_env():
    env = dict(os.environ)
    # The wall clock alone: a faked monotonic clock would reach the program but not the Wine
    # server, which then times every wait with a timeout that much later (a sound's start
    # delayed by the offset, a program that never answers).
    env.update(FAKETIME_TIMESTAMP_FILE=CLOCK_FILE, FAKETIME_NO_CACHE="1",
               FAKETIME_DONT_FAKE_MONOTONIC="1", LD_PRELOAD=FAKETIME)
    return env


def today_at(hh, mm, ss):
    t = time.localtime()
    return int(time.mktime((t.tm_year, t.tm_mon, t.tm_mday, hh, mm, ss, 0, 0, -1)))


def stop_all():
    # Both leave as the user would have them, their tray icons with them: a program killed
    # leaves its icon, and the next start then waits (some 1.4 s) on Wine's taskbar.
    wine(REMOTE, "quit")
    while pid_of("baseline.exe") and wine(PROBE, "--close", "Baseline").returncode == 0:
        pass
    subprocess.run(["pkill", "-f", "baseline.exe"], stderr=subprocess.DEVNULL)
    time.sleep(0.5)


def pid_of(name):
    out = subprocess.run(["pgrep", "-f", name], stdout=subprocess.PIPE, text=True).stdout.split()
    pids = [int(p) for p in out if int(p) != os.getpid()]
    return pids[-1] if pids else None


PROGRAMS = ("chimo", "chimo+lead-in", "baseline")
# The first sample louder than -40 dBFS is the first one heard.
AUDIBLE = int(32768 * 10 ** (-40 / 20))


def use_lead_in(on, more=""):
    """The profile with the lead-in on or off (the slots' sounds are in the registry), and the
    entries `more` of its [Options]."""
    ini = os.path.join(os.environ["WINEPREFIX"], "drive_c", "windows", "CHIMO.INI")
    with open(ini, "w", newline="\r\n") as f:
        f.write("[Options]\nVolume=100\nWake_Speakers=%d\n%s" % (1 if on else 0, more))


def env_for(program, env=None):
    """The environment to start `program` in: "baseline+window" is the baseline told to build
    CHIMO!'s settings window too."""
    env = dict(env or os.environ)
    if program == "baseline+window":
        env["BASELINE_WINDOW_FROM"] = winpath(CHIMO)
    return env


def start(program, env=None, more=""):
    """Starts CHIMO.EXE (with the lead-in or without) or the baseline (with CHIMO!'s settings
    window or without); waits for its window."""
    if program.startswith("chimo"):
        use_lead_in(program == "chimo+lead-in", more)
        wine(CHIMO, env=env, wait=False)
        wine(REMOTE, "wait")
        return pid_of("CHIMO.EXE")
    wine(BASELINE, winpath(TONE), env=env_for(program, env), wait=False)
    for _ in range(200):
        pid = pid_of("baseline.exe")
        if pid:
            return pid
        time.sleep(0.05)
    return None


def onset(program, boundary_index):
    """Seconds from a quarter-hour boundary of the fake clock to the first audible sample (a
    lead-in's silence is not heard), and the program's memory (resident, private) in KB 2 s
    after the chime."""
    stop_all()
    if os.path.exists(CAPTURE):
        os.remove(CAPTURE)
    quarter = [(10, 15), (10, 30), (10, 45), (11, 0)][boundary_index % 4]
    boundary = today_at(quarter[0], quarter[1], 0)
    lead = 6.0  # seconds before the boundary at launch: enough to start
    offset = int(round(boundary - lead - time.time()))
    set_offset(offset)
    real_boundary = boundary - offset
    pid = start(program, fake_env())
    growth, last = [], -1
    while time.time() < real_boundary + 2.5:
        size = os.path.getsize(CAPTURE) if os.path.exists(CAPTURE) else -1
        if size != last:
            growth.append((time.time(), size))
            last = size
        time.sleep(0.001)
    memory = rss_kb(pid) if pid else (None, None)
    if not os.path.exists(CAPTURE):
        return None, memory
    with open(CAPTURE, "rb") as f:
        data = f.read()
    samples = [int.from_bytes(data[i:i + 2], "little", signed=True)
               for i in range(0, len(data) - 1, 2)]
    audible = next((i for i, v in enumerate(samples) if abs(v) >= AUDIBLE), None)
    started = next((t for t, size in growth if size > 0), None)
    if audible is None or started is None:
        return None, memory
    # The sink takes samples faster than they play: a sample sounds when the first one was
    # written plus its place in the stream (the tone is 22 050 Hz mono).
    return started + audible / 22050.0 - real_boundary, memory


def four_chimes(program):
    """The program's memory (resident, private) in KB 2 s after its fourth chime, and how many
    of the four were heard (the capture was written): started 6 s before 10:15 of the fake clock, which
    then jumps to 3 s before each next quarter, the programs told as Windows tells them when the
    clock is set. An hour of uptime."""
    stop_all()
    if os.path.exists(CAPTURE):
        os.remove(CAPTURE)
    # The sink writes each sound's samples over the last one's: a chime is heard when the
    # capture was written again, whatever its size.
    written = lambda: os.stat(CAPTURE).st_mtime_ns if os.path.exists(CAPTURE) else 0
    quarters = [today_at(h, m, 0) for h, m in ((10, 15), (10, 30), (10, 45), (11, 0))]
    set_offset(int(round(quarters[0] - 6 - time.time())))
    pid = start(program, fake_env())
    time.sleep(6 + 2.5)
    heard, last = 0, 0
    for boundary in quarters[1:] + [None]:
        heard, last = heard + (written() != last), written()
        if boundary is None:
            break
        set_offset(int(round(boundary - 3 - time.time())))
        wine(REMOTE, "timechange")
        time.sleep(3 + 2.5)
    time.sleep(2)
    memory = rss_kb(pid) if pid else (None, None)
    stop_all()
    return memory + (heard,)


def month():
    """The figures of the in-process run of MONTH_QUARTERS quarters: quarters, rung, kept
    quiet, then kernel handles, GDI objects, USER objects and private KB after the first day
    and at the end, and whether every check of the run held."""
    env = dict(os.environ, CHIMO_QUARTERS=str(MONTH_QUARTERS),
               GTEST_FILTER="*LeaveNothingBehind*")
    run = subprocess.run(["wine", APP_TESTS], env=env, stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL, text=True)
    line = next((l for l in run.stdout.splitlines() if l.startswith("quarters ")), "")
    # "quarters N rung N quiet N", then "name first last" of each count kept
    words = line.split()
    quarters = [int(words[i]) for i in (1, 3, 5)] if len(words) >= 6 else []
    numbers = {words[i]: [int(words[i + 1]), int(words[i + 2])]
               for i in range(6, len(words) - 2, 3)}
    return quarters, numbers, run.returncode == 0


def use_slots(path):
    for key in SLOTS:
        wine("reg", "add", "HKCU\\AppEvents\\Schemes\\Apps\\CHIMO!\\%s\\.current" % key, "/ve",
             "/d", winpath(path), "/f")


def private_with(files):
    """CHIMO.EXE's private memory in KB 2 s after start, the next chime prepared, with each
    slot file of `files` in every slot in turn."""
    found = []
    for path in files:
        use_slots(path)
        stop_all()
        set_offset(int(today_at(10, 2, 0) - time.time()))
        pid = start("chimo", fake_env())
        time.sleep(2)
        found.append((path, rss_kb(pid)[1] if pid else None))
    stop_all()
    use_slots(TONE)
    return found


def big_wave(path, size):
    """A WAV file of `size` bytes: 22 050 Hz, 16-bit mono samples of a quiet tone."""
    frames = (size - 44) // 2
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(22050)
        w.writeframes(b"\x00\x01\x00\xff" * (frames // 2))


def prepare_times():
    """Microseconds to read and scale each bundled chime (a native build of the same code)."""
    exe = os.path.join(ROOT, "build", "prepare_time")
    subprocess.run(["g++", "-O2", "-std=c++17", "-I", ROOT, "-o", exe,
                    os.path.join(ROOT, "bench", "PrepareTime.cpp"),
                    os.path.join(ROOT, "core", "Wave.cpp")], check=True)
    chimes = os.path.join(ROOT, "res", "chimes")
    out = subprocess.run([exe] + [os.path.join(chimes, n) for n in sorted(os.listdir(chimes))],
                         stdout=subprocess.PIPE, text=True, check=True).stdout
    return [line.split("\t") for line in out.splitlines()]


def cpu_and_wakeups(pid):
    with open("/proc/%d/stat" % pid) as f:
        fields = f.read().rsplit(")", 1)[1].split()
    cpu = (int(fields[11]) + int(fields[12])) / HZ
    switches = 0
    for task in os.listdir("/proc/%d/task" % pid):
        with open("/proc/%d/task/%s/status" % (pid, task)) as f:
            for line in f:
                if line.startswith(("voluntary_ctxt_switches", "nonvoluntary_ctxt_switches")):
                    switches += int(line.split()[1])
    return cpu, switches


def rss_kb(pid):
    """Resident memory in KB: all of it, and the private part (without mapped files)."""
    values = {}
    with open("/proc/%d/status" % pid) as f:
        for line in f:
            key, _, rest = line.partition(":")
            if key in ("VmRSS", "RssAnon"):
                values[key] = int(rest.split()[0])
    return values.get("VmRSS"), values.get("RssAnon")


def idle():
    """CPU seconds and wake-ups of both programs over IDLE_SECONDS with no boundary due: for
    CHIMO!, between two tells of the time every 5 minutes (10:00 and 10:05)."""
    stop_all()
    set_offset(int(today_at(10, 2, 0) - time.time()))  # 3 minutes from the next tell
    pids = {p: start(p, fake_env(), "Tell_Every=5\n") for p in ("chimo", "baseline")}
    time.sleep(3)
    before = {p: cpu_and_wakeups(pid) for p, pid in pids.items()}
    time.sleep(IDLE_SECONDS)
    after = {p: cpu_and_wakeups(pid) for p, pid in pids.items()}
    stop_all()
    return {p: (after[p][0] - before[p][0], after[p][1] - before[p][1]) for p in pids}


def startup(program):
    """Seconds to the hidden window, then resident and private KB 2 s after start; for
    "baseline+window", the baseline that also builds CHIMO!'s settings window hidden."""
    stop_all()
    env = env_for(program)
    if program == "chimo":
        line, title = winpath(CHIMO), "CHIMO!"
    else:
        line, title = '"%s" %s' % (winpath(BASELINE), winpath(TONE)), "Baseline"
    # The probe's output goes to a file: the program it starts inherits the probe's handles,
    # so a pipe would stay open while the program runs.
    out_file = os.path.join(WORK, "probe.out")
    with open(out_file, "w") as out:
        subprocess.run(["wine", PROBE, line, title], stdout=out, stderr=subprocess.DEVNULL,
                       env=env)
    with open(out_file) as f:
        out = f.read().strip()
    time.sleep(2)
    pid = pid_of("CHIMO.EXE" if program == "chimo" else "baseline.exe")
    return (float(out) if out else None,) + (rss_kb(pid) if pid else (None, None))


def figure(values, fmt):
    values = [v for v in values if v is not None]
    if not values:
        return "n/a"
    return (fmt + " / " + fmt) % (statistics.median(values), max(values))


def main():
    make_tone()
    wine("reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f")
    use_slots(TONE)
    rows = []
    print("== Chime onset over %d boundaries each" % BOUNDARIES, flush=True)
    measured = {p: [onset(p, i) for i in range(BOUNDARIES)] for p in PROGRAMS}
    onsets = {p: [m[0] for m in measured[p]] for p in PROGRAMS}
    chimed = {p: [m[1] for m in measured[p]] for p in PROGRAMS}
    for p in onsets:
        print("   %s:" % p, " ".join("-" if v is None else "%.3f" % v for v in onsets[p]), flush=True)
    print("== Idle cost: %d runs of %d s" % (RUNS, IDLE_SECONDS), flush=True)
    idles = []
    for _ in range(RUNS):
        idles.append(idle())
        print("   ", idles[-1], flush=True)
    # A start takes some 0.1 s, of which the programs differ by milliseconds: three times the
    # runs, the programs in turn, so that what the machine does meanwhile falls on all alike.
    print("== Start-up: %d runs" % (3 * RUNS), flush=True)
    starts = {p: [] for p in ("chimo", "baseline", "baseline+window")}
    for _ in range(3 * RUNS):
        for p in starts:
            starts[p].append(startup(p))
    print("   ", {p: [s[0] for s in starts[p]] for p in starts}, flush=True)
    stop_all()
    print("== Memory after four chimes: %d runs" % RUNS, flush=True)
    fours = {p: [four_chimes(p) for _ in range(RUNS)]
             for p in ("chimo", "baseline", "baseline+window")}
    print("   ", fours, flush=True)
    print("== A month: %d quarters in-process" % MONTH_QUARTERS, flush=True)
    counted, held, passed = month()
    print("   ", counted, held, passed, flush=True)
    print("== Private memory with the bundled chimes and a 16 MB slot file", flush=True)
    chimes = os.path.join(ROOT, "res", "chimes")
    sixteen = os.path.join(WORK, "sixteen.wav")
    big_wave(sixteen, 16 << 20)
    with_files = private_with([os.path.join(chimes, n) for n in sorted(os.listdir(chimes))] +
                              [sixteen])
    prepared = prepare_times()

    missed = {p: sum(1 for v in onsets[p] if v is None) for p in onsets}
    worst_baseline = max([v for v in onsets["baseline"] if v is not None], default=0)
    for p, label in (("chimo", "chime onset, first audible sample, s (median / worst)"),
                     ("chimo+lead-in", "  the same with the lead-in on")):
        rows.append((label, figure(onsets[p], "%.3f"), figure(onsets["baseline"], "%.3f"),
                     "worst <= baseline's + 0.020 (%.3f)" % (worst_baseline + 0.020)))
        rows.append(("  boundaries rung / measured",
                     "%d / %d" % (BOUNDARIES - missed[p], BOUNDARIES),
                     "%d / %d" % (BOUNDARIES - missed["baseline"], BOUNDARIES), "all"))
    rows.append(("idle CPU over %d s, s" % IDLE_SECONDS, figure([i["chimo"][0] for i in idles], "%.2f"),
                 figure([i["baseline"][0] for i in idles], "%.2f"), "<= 1.1 x baseline"))
    rows.append(("idle wake-ups over %d s" % IDLE_SECONDS, figure([i["chimo"][1] for i in idles], "%d"),
                 figure([i["baseline"][1] for i in idles], "%d"), "no polling"))
    rows.append(("start-up to hidden window, s", figure([s[0] for s in starts["chimo"]], "%.3f"),
                 figure([s[0] for s in starts["baseline"]], "%.3f"), "<= 1.1 x baseline"))
    rows.append(("resident memory after start, KB", figure([s[1] for s in starts["chimo"]], "%d"),
                 figure([s[1] for s in starts["baseline"]], "%d"), "<= 1.1 x baseline"))
    rows.append(("  of it private (not mapped files), KB", figure([s[2] for s in starts["chimo"]], "%d"),
                 figure([s[2] for s in starts["baseline"]], "%d"), ""))
    rows.append(("  the baseline with CHIMO!'s settings window built hidden, KB (private)", "",
                 "%s (%s)" % (figure([s[1] for s in starts["baseline+window"]], "%d"),
                              figure([s[2] for s in starts["baseline+window"]], "%d")),
                 "what the window costs"))
    rows.append(("resident memory 2 s after the first chime, KB",
                 figure([m[0] for m in chimed["chimo"]], "%d"),
                 figure([m[0] for m in chimed["baseline"]], "%d"), "<= 1.1 x baseline"))
    rows.append(("  of it private, KB", figure([m[1] for m in chimed["chimo"]], "%d"),
                 figure([m[1] for m in chimed["baseline"]], "%d"), ""))
    rows.append(("resident memory after four chimes, KB", figure([m[0] for m in fours["chimo"]], "%d"),
                 figure([m[0] for m in fours["baseline"]], "%d"), "<= 1.1 x baseline"))
    rows.append(("  of it private, KB", figure([m[1] for m in fours["chimo"]], "%d"),
                 figure([m[1] for m in fours["baseline"]], "%d"), ""))
    rows.append(("  the baseline with CHIMO!'s settings window built hidden, KB (private)", "",
                 "%s (%s)" % (figure([m[0] for m in fours["baseline+window"]], "%d"),
                              figure([m[1] for m in fours["baseline+window"]], "%d")),
                 "what the window costs"))
    rows.append(("  chimes heard / rung for", "%d / %d" % (sum(m[2] for m in fours["chimo"]), 4 * RUNS),
                 "%d / %d" % (sum(m[2] for m in fours["baseline"]), 4 * RUNS), "all"))
    if len(counted) == 3:
        rows.append(("a month of quarters in-process: rung / kept quiet, of %d" % counted[0],
                     "%d / %d" % (counted[1], counted[2]), "",
                     "each once or quiet for its reason (%s)" % ("held" if passed else "FAILED")))
    for key, label, goal in (("handles", "kernel handles", "within 1 %"),
                             ("gdi", "GDI objects", "within 1 %"),
                             ("user", "USER objects (windows, under Wine)", "within 1 %"),
                             ("private_kb", "private memory, KB", "within 256 KB")):
        pair = held.get(key, [])
        if len(pair) == 2:
            rows.append(("  %s after the first day -> after the month (drift)" % label,
                         "%d -> %d (%+d)" % (pair[0], pair[1], pair[1] - pair[0]), "", goal))
    for path, private in with_files:
        rows.append(("private memory after start, %s in every slot (%d bytes), KB" % (
            os.path.basename(path), os.path.getsize(path)), "%s" % private, "", ""))
    for name, size, took in prepared:
        rows.append(("preparing %s (%s, 50 %%, 3 s lead-in room)" % (os.path.basename(name), size),
                     took, "", "unnoticeable"))
    size = os.path.getsize(RELEASE)
    rows.append(("release CHIMO.EXE (i686, static), bytes", "%d" % size, "", "< 448 KB (458752)"))

    print()
    print("CHIMO! benchmark, %s, %s (%s, %d CPUs), %s" % (
        time.strftime("%Y-%m-%d %H:%M"), platform.node(), platform.machine(), os.cpu_count(),
        subprocess.run(["wine", "--version"], stdout=subprocess.PIPE, text=True).stdout.strip()))
    print("Median / worst of the runs; the measured build is x86_64 with the release's settings "
          "(libfaketime moves the clock of 64-bit Wine programs only); the size is the i686 "
          "release's. The baseline owns a tray icon too.")
    print()
    print("| measure | CHIMO.EXE | baseline | goal |")
    print("|---|---|---|---|")
    for r in rows:
        print("| %s | %s | %s | %s |" % r)
    print()
    for p in PROGRAMS:
        print("onsets of %s, s:" % p, " ".join("-" if v is None else "%.3f" % v for v in onsets[p]))


main()
