#!/usr/bin/python3
"""Whether a captured run of the game has its music.

Between effects, without music, the library's mixer writes exact zeros;
with a song playing, nearly every 50 ms window holds some sound. The check
listens to a stretch of the battle in which nobody fires (the effects are
as long as their weapon's cooldown, so while shots are fired they fill the
gaps themselves). Usable on its own, for a capture that ends with such a
stretch:
    music_check.py CAPTURE.wav   (status 0 when the music is there)
"""
import struct
import sys
import wave

WINDOW = 0.05  # seconds
MUSIC_SHARE = 0.8  # with music, at least this share of the windows sound
QUIET_END = 1.5  # seconds at the end of a capture given on the command line


def samples(path):
    """The capture's 16-bit samples, its channel count and its rate."""
    with wave.open(path, "rb") as w:
        if w.getsampwidth() != 2:
            raise ValueError("%s is not 16-bit" % path)
        rate, channels = w.getframerate(), w.getnchannels()
        frames = w.readframes(w.getnframes())
    return struct.unpack("<%dh" % (len(frames) // 2), frames), channels, rate


def sounding_share(path, start, end):
    """The share of the 50 ms windows between `start` and `end` seconds of
    the capture (negative: from its end) holding any sample that is not
    zero, and how many windows there were."""
    values, channels, rate = samples(path)
    seconds = len(values) / channels / rate
    start, end = (t + seconds if t < 0 else t for t in (start, end))
    step = int(rate * WINDOW) * channels
    first = max(0, int(start * rate) * channels)
    last = min(len(values), int(end * rate) * channels)
    windows = [any(values[i:i + step]) for i in range(first, last - step + 1, step)]
    return (sum(windows) / len(windows) if windows else 0.0), len(windows)


def main():
    share, count = sounding_share(sys.argv[1], -QUIET_END - 0.1, -0.1)
    heard = share >= MUSIC_SHARE and count >= QUIET_END / WINDOW - 1
    print("%s: %.0f %% of %d windows of 50 ms before the end hold sound: %s"
          % (sys.argv[1], 100 * share, count, "music" if heard else "no music"))
    return 0 if heard else 1


if __name__ == "__main__":
    sys.exit(main())
