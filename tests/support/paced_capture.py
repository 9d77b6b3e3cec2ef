#!/usr/bin/python3
"""Takes the WAV stream of the capture device on its standard input, no
faster than it would play, and keeps it in the file named on its command
line, with the WAV sizes set once the stream ends.

The capture device has no sound card behind it, so nothing else holds the
player back: a game writing into it would run its sound ahead of the clock.
Reading at the stream's own byte rate makes its writes wait, as a sound
card's would. Tests start it through the device's file name:
    VEXO_CAPTURE_WAV="|/path/to/paced_capture.py /path/to/capture.wav"
"""
import fcntl
import os
import struct
import sys
import time

F_SETPIPE_SZ = 1031
LEAD_SECONDS = 0.02  # how far the stream may run ahead of the clock


def read_exactly(stream, count):
    data = b""
    while len(data) < count:
        chunk = stream.read(count - len(data))
        if not chunk:
            break
        data += chunk
    return data


def read_header(stream):
    """The RIFF header up to the data chunk's size field, and the byte rate."""
    header = read_exactly(stream, 12)
    byte_rate = None
    while len(header) >= 12:
        chunk = read_exactly(stream, 8)
        if len(chunk) < 8:
            break
        header += chunk
        name, size = chunk[:4], struct.unpack("<I", chunk[4:])[0]
        if name == b"data":
            return header, byte_rate
        body = read_exactly(stream, size)
        header += body
        if name == b"fmt " and len(body) >= 12:
            byte_rate = struct.unpack("<I", body[8:12])[0]
    return header, None


def main():
    output_path = sys.argv[1]
    stdin = sys.stdin.buffer
    try:
        # A small pipe keeps the stream close to the clock.
        fcntl.fcntl(stdin.fileno(), F_SETPIPE_SZ, 4096)
    except OSError:
        pass
    header, byte_rate = read_header(stdin)
    with open(output_path, "wb") as out:
        out.write(header)
        if byte_rate:
            copy_paced(stdin, out, byte_rate)
        finish_sizes(out, len(header))


def copy_paced(stdin, out, byte_rate):
    chunk_bytes = max(4, byte_rate // 100)
    start = time.monotonic()
    taken = 0
    while True:
        allowed = byte_rate * (time.monotonic() - start + LEAD_SECONDS)
        if taken >= allowed:
            time.sleep((taken - allowed) / byte_rate + 0.001)
            continue
        data = os.read(stdin.fileno(), chunk_bytes)
        if not data:
            return
        out.write(data)
        out.flush()
        taken += len(data)


def finish_sizes(out, header_length):
    total = out.seek(0, os.SEEK_END)
    out.seek(4)
    out.write(struct.pack("<I", total - 8))
    out.seek(header_length - 4)
    out.write(struct.pack("<I", total - header_length))


if __name__ == "__main__":
    main()
