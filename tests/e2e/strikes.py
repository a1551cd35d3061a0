#!/usr/bin/env python3
"""Reads what a repeater struck from the sound capture and checks it:
   strikes.py CAPTURE RATE HOURS HOUR_HZ QUARTER_HZ
The capture (16-bit mono samples at RATE) must hold HOURS short tones of HOUR_HZ one second
apart and then, when QUARTER_HZ is not 0, one tone of QUARTER_HZ a beat and a second after the
last strike. Prints what it heard; exits 1 when that is not it."""
import struct
import sys

capture, rate, hours = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
hour_hz, quarter_hz = float(sys.argv[4]), float(sys.argv[5])
data = open(capture, "rb").read()
samples = struct.unpack("<%dh" % (len(data) // 2), data[:len(data) // 2 * 2])

# Sounding stretches: 10 ms windows louder than -30 dB full scale, joined across short gaps.
window = rate // 100
loud = [max(abs(s) for s in samples[i:i + window]) > 1000
        for i in range(0, len(samples) - window + 1, window)]
tones, start = [], None
for i, on in enumerate(loud + [False]):
    if on and start is None:
        start = i
    elif not on and start is not None:
        part = samples[start * window:i * window]
        crossings = sum(1 for a, b in zip(part, part[1:]) if (a < 0) != (b < 0))
        tones.append((start * window / rate, crossings / 2 / (len(part) / rate)))
        start = None
print("heard:", ", ".join("%.2f s %.0f Hz" % t for t in tones))

expected = [(i * 1.0, hour_hz) for i in range(hours)]
if quarter_hz:
    expected.append((hours + 1.0, quarter_hz))
first = tones[0][0] if tones else 0
ok = len(tones) == len(expected) and all(
    abs((t - first) - at) < 0.05 and abs(hz - want) < want * 0.1
    for (t, hz), (at, want) in zip(tones, expected))
if not ok:
    print("FAIL: expected", ", ".join("%.2f s %.0f Hz" % e for e in expected))
sys.exit(0 if ok else 1)
