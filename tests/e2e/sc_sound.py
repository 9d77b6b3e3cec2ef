"""Sound: the game played into a WAV file through an ALSA capture device."""
import os
import shutil
import struct
import time
import wave

import flow
import sc_battle
from harness import check

WEAPON_0_COOLDOWN = 25 / 60.0  # seconds between ship 1's shots with weapon 0
SILENCE = 20  # RMS of a 16-bit signal below which nothing is playing


def scratch_game_dir(paths, folder_name="game", sound_settings=None):
    """A copy of the executable beside its own allegro.cfg: the library reads
    the configuration beside the executable first, and a paced capture needs
    small fragments (the null device behind the capture never blocks)."""
    folder = os.path.join(paths.out_dir, folder_name)
    os.makedirs(folder, exist_ok=True)
    shutil.copy2(os.path.join(paths.game_dir, "vexo"), os.path.join(folder, "vexo"))
    if sound_settings is None:
        sound_settings = "patches = %s\n" % os.path.join(paths.game_dir, "patches.dat")
    with open(os.path.join(folder, "allegro.cfg"), "w") as cfg:
        cfg.write("[sound]\n%salsa_fragsize = 441\n" % sound_settings)
    return folder


def capture_options(paths, capture, game_dir):
    if os.path.exists(capture):
        os.remove(capture)
    env = {"ALSA_CONFIG_PATH": paths.alsa_conf, "VEXO_CAPTURE_WAV": capture}
    return {"env": env, "executable": os.path.join(game_dir, "vexo")}


def loudness(path, window):
    """RMS of each `window` seconds of the capture, and its length in seconds."""
    with wave.open(path, "rb") as w:
        check(w.getsampwidth() == 2, "capture is not 16-bit")
        rate, channels = w.getframerate(), w.getnchannels()
        frames = w.readframes(w.getnframes())
    values = struct.unpack("<%dh" % (len(frames) // 2), frames)
    step = int(rate * window) * channels
    levels = []
    for start in range(0, len(values) - step + 1, step):
        chunk = values[start:start + step]
        levels.append((sum(v * v for v in chunk) / len(chunk)) ** 0.5)
    return levels, len(values) / channels / rate


def strongest_period(levels, window, shortest, longest):
    """The lag, in seconds, at which the loudness curve best repeats itself."""
    mean = sum(levels) / len(levels)
    centred = [v - mean for v in levels]
    best_lag, best_score = None, None
    for lag in range(int(shortest / window), int(longest / window) + 1):
        score = sum(a * b for a, b in zip(centred, centred[lag:])) / (len(centred) - lag)
        if best_score is None or score > best_score:
            best_lag, best_score = lag, score
    return best_lag * window


def fight_heard(paths, font):
    capture = os.path.join(paths.out_dir, "capture.wav")
    options = capture_options(paths, capture, scratch_game_dir(paths))
    game = sc_battle.fight(paths, font, "fight-heard", options)
    wall = time.time() - game.launched

    check(not game.sound_error, "the start-up log says 'Error loading sound' with the capture device")
    check(os.path.exists(capture) and os.path.getsize(capture) > 44, "nothing was captured")
    levels, seconds = loudness(capture, 0.1)
    check(0.6 * wall < seconds < 1.2 * wall,
          "the capture lasts %.1f s for a %.1f s run: playback is not paced" % (seconds, wall))

    # The music starts with the match and never stops; the effects alone
    # would leave silent gaps, as in the second before the first shot.
    first = next((i for i, v in enumerate(levels) if v > SILENCE), None)
    check(first is not None, "the capture is silent")
    gaps = [i * 0.1 for i, v in enumerate(levels[first:-3], first) if v <= SILENCE]
    check(not gaps, "silence at %s s once the music had started" % gaps[:5])

    # Holding Ctrl fires (and hits) once per weapon cooldown: the loudness
    # rises and falls at that beat between the first shot and the death.
    fine, _ = loudness(capture, 0.01)
    lead = wall - seconds  # the capture starts when the sound device opens
    start = int((game.marks["fire"] - lead + 0.5) / 0.01)
    end = int((game.marks["dead"] - lead - 0.1) / 0.01)
    check(end - start > 150, "too short a fight to hear its beat (%d windows)" % (end - start))
    beat = strongest_period(fine[start:end], 0.01, 0.25, 0.6)
    check(abs(beat - WEAPON_0_COOLDOWN) <= 0.03,
          "the shots' sound repeats every %.2f s, not every %.2f s" % (beat, WEAPON_0_COOLDOWN))
    print("capture %.1f s of a %.1f s run; shots every %.2f s" % (seconds, wall, beat))


def effects_without_music(paths, font):
    """The music driver cannot start (the software MIDI mixer is asked for,
    with no patch set): the start-up says so, tries again without music, and
    the preview shots of player 1's choice are still heard."""
    capture = os.path.join(paths.out_dir, "capture-no-music.wav")
    game_dir = scratch_game_dir(paths, "game-no-music",
                                "midi_card = DIGI\npatches = /nonexistent/patches.dat\n")
    game = flow.start_to_phase1(paths, "effects-without-music", font,
                                **capture_options(paths, capture, game_dir))
    try:
        check(game.sound_error, "no 'Error loading sound' line when the music driver fails")
        time.sleep(2.0)  # several preview shots, one every 25 ticks
        game.keydown("Escape")
        flow.expect_exit(game, 0, timeout=10, what="after Esc held from phase 1")
        game.keyup("Escape")
    finally:
        game.stop()
    levels, seconds = loudness(capture, 0.1)
    loud = [v for v in levels if v > SILENCE]
    check(seconds > 1.5, "only %.1f s captured" % seconds)
    check(len(loud) >= 3, "the preview shots were not heard without music")
    # No music: the shots stand out from silence between them.
    check(min(levels) <= SILENCE, "sound never falls silent, yet no music can play")
