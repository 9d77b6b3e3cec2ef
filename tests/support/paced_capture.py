#!/usr/bin/python3
# Copies the capture device's WAV stream from its standard input into the
# file named on its command line no faster than it would play, so that the
# game's writes wait as they would for a sound card. The WAV sizes are left
# as ALSA wrote them; readers take the samples after the 44-byte header.
import contextlib, fcntl, sys, time

source = sys.stdin.buffer
# F_SETPIPE_SZ: a small pipe keeps the stream near the clock (EBUSY: the stream already holds more than that).
with contextlib.suppress(OSError):
    fcntl.fcntl(source.fileno(), 1031, 4096)
header = source.read(44)
byte_rate = int.from_bytes(header[28:32], "little") or 1
with open(sys.argv[1], "wb") as out:
    out.write(header)
    start, taken = time.monotonic(), 0
    while data := source.read1(byte_rate // 100):
        out.write(data)
        out.flush()
        taken += len(data)
        # Up to 20 ms ahead of the clock, as a sound card's buffer would be.
        time.sleep(max(0, taken / byte_rate - (time.monotonic() - start) - 0.02))
