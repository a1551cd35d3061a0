#!/usr/bin/env python3
"""Watches the sound capture as a chime rings at a boundary, and checks what was heard:
   chime_heard.py CAPTURE BOUNDARY WAV VOLUME LEAD_IN_MS
The capture must become a lead-in of silence (about LEAD_IN_MS long; none for 0) and then the
16-bit samples of WAV scaled to VOLUME percent (each within one step); nothing may be written
before the lead-in, and the first note must sound at the BOUNDARY (UTC seconds), give or take
a quarter of a second (a lead-in that did not start early puts it 0.7 s late). The sink writes ahead of the sound (a null device takes samples faster than it plays
them), so a sample sounds when the first one was written plus its place in the stream. Prints
what it measured; exits 1 when a check fails."""
import os
import struct
import sys
import time
import wave

capture, boundary, path = sys.argv[1], float(sys.argv[2]), sys.argv[3]
volume, lead_in_ms = int(sys.argv[4]), int(sys.argv[5])
with wave.open(path) as w:
    assert w.getsampwidth() == 2 and w.getnchannels() == 1
    rate = w.getframerate()
    samples = struct.unpack("<%dh" % w.getnframes(), w.readframes(w.getnframes()))
expected = [int(s * volume / 100) for s in samples]

# The capture's size as it grows, with the time of each change, until it holds at least the
# whole chime and has stopped growing for a second.
growth, last, still_since = [], -1, None
deadline = boundary + 30
while time.time() < deadline:
    size = os.path.getsize(capture) if os.path.exists(capture) else -1
    now = time.time()
    if size != last:
        growth.append((now, size))
        last, still_since = size, now
    elif size >= 2 * len(expected) and now - still_since > 1.0:
        break
    time.sleep(0.002)

failures = []
data = open(capture, "rb").read() if os.path.exists(capture) else b""
lead = len(data) - 2 * len(expected)  # bytes of lead-in
heard = struct.unpack("<%dh" % (max(lead, 0) // 2), data[:max(lead, 0) // 2 * 2])
tail = struct.unpack("<%dh" % (len(data[lead:]) // 2), data[lead:]) if lead >= 0 else ()
if lead < 0 or lead % 2 or any(heard) or len(tail) != len(expected):
    failures.append("the capture is not silence and then the whole chime (%d bytes)" % len(data))
elif any(abs(a - b) > 1 for a, b in zip(tail, expected)):
    failures.append("the chime is not the file's samples at %d %%" % volume)
lead_ms = 1000.0 * max(lead, 0) / 2 / rate
if lead_in_ms and not lead_in_ms - 200 <= lead_ms <= lead_in_ms:
    failures.append("a lead-in of %.0f ms, not about %d" % (lead_ms, lead_in_ms))
if not lead_in_ms and lead:
    failures.append("a lead-in of %.0f ms where none was asked for" % lead_ms)
first = next((t for t, size in growth if size > 0), None)
if first is None:
    failures.append("nothing was heard")
else:
    note = first + lead_ms / 1000.0
    print("the first sample was written %+.3f s from the boundary; the first note sounds %+.3f s "
          "from it, after a lead-in of %.0f ms" % (first - boundary, note - boundary, lead_ms))
    if first < boundary - (lead_in_ms + 300) / 1000.0:
        failures.append("a sound before its time")
    if abs(note - boundary) > 0.25:
        failures.append("the first note is %+.3f s from the boundary" % (note - boundary))
for failure in failures:
    print("FAIL:", failure)
sys.exit(1 if failures else 0)
