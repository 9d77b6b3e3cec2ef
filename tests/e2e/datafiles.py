"""Small data files, good and bad, assembled with the library's `dat` tool.

The objects are tiny files made here (an 8 x 8 picture, a short tone, a
one-note song); what matters to the game is how many there are and which
type stands at which index.
"""
import os
import struct
import subprocess
import wave

from PIL import Image

SAMPLE_INDICES = {2, 4, 16, 26, 27, 28}
SONG_INDICES = set(range(19, 25))
CATALOGUE_SIZE = 29
DAT_TYPE = {"bitmap": "BMP", "sample": "SAMP", "MIDI": "MIDI"}
EXTENSION = {"bitmap": "bmp", "sample": "wav", "MIDI": "mid"}


def catalogue_type(index):
    if index in SAMPLE_INDICES:
        return "sample"
    if index in SONG_INDICES:
        return "MIDI"
    return "bitmap"


def write_picture(path):
    Image.new("RGB", (8, 8), (200, 40, 40)).save(path, "BMP")


def write_tone(path):
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(11025)
        w.writeframes(bytes(128 + (40 if (i // 10) % 2 else -40) for i in range(200)))


def write_song(path):
    events = bytes([0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00])
    with open(path, "wb") as f:
        f.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, 96))
        f.write(b"MTrk" + struct.pack(">I", len(events)) + events)


WRITERS = {"bitmap": write_picture, "sample": write_tone, "MIDI": write_song}


def build(path, types):
    """A data file whose object i is of types[i] ("bitmap", "sample", "MIDI")."""
    folder = os.path.dirname(path)
    if os.path.exists(path):
        os.remove(path)
    for index, kind in enumerate(types):
        # One object per call, each from a file of its own name, keeps the
        # file's order equal to the list's.
        item = os.path.join(folder, "object%02d.%s" % (index, EXTENSION[kind]))
        WRITERS[kind](item)
        subprocess.run(["dat", "-n0", "-a", "-t", DAT_TYPE[kind], path, item],
                       check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.remove(item)
    return path


def catalogue_types(count=CATALOGUE_SIZE, wrong_at=None):
    """The game's catalogue, cut to `count` objects, with one index given a
    type it must not have."""
    types = [catalogue_type(i) for i in range(count)]
    if wrong_at is not None:
        types[wrong_at] = "sample" if types[wrong_at] != "sample" else "bitmap"
    return types


def listing(path):
    return subprocess.run(["dat", "-l", path], check=True, capture_output=True, text=True).stdout


def truncated_copy(source, path, keep_fraction=0.5):
    with open(source, "rb") as f:
        data = f.read()
    with open(path, "wb") as f:
        f.write(data[:max(16, int(len(data) * keep_fraction))])
    return path
