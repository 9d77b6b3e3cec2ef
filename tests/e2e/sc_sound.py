"""Sound: the game as built, played into a WAV file through an ALSA capture
device. The game's own allegro.cfg and patches.dat are used as they are;
what the capture needs comes from the environment."""
import hashlib
import math
import os
import shutil
import time

import flow
import music_check
import sc_battle
from harness import check

WEAPON_0_COOLDOWN = 25 / 60.0  # seconds between ship 1's shots with weapon 0
FULL_SCALE = 32767
SHIPPED_SOUND_FILES = ("allegro.cfg", "patches.dat")


def capture_options(paths, capture, game_dir):
    """Runs the executable in `game_dir` with the capture device as its
    sound card, paced to the clock as a sound card would pace it."""
    if os.path.exists(capture):
        os.remove(capture)
    pacer = os.path.join(paths.source_dir, "tests", "support", "paced_capture.py")
    env = {"ALSA_CONFIG_PATH": paths.alsa_conf, "VEXO_CAPTURE_WAV": "|%s %s" % (pacer, capture)}
    return {"env": env, "executable": os.path.join(game_dir, "vexo")}


def fingerprints(folder):
    def digest(name):
        with open(os.path.join(folder, name), "rb") as f:
            return hashlib.sha256(f.read()).hexdigest()
    return {name: digest(name) for name in SHIPPED_SOUND_FILES}


def captured_seconds(path):
    """Seconds of sound in a capture that is still being written."""
    try:
        return max(0, os.path.getsize(path) - 44) / (44100 * 4)
    except OSError:
        return 0.0


def await_capture(game, path, seconds, timeout=20.0):
    """Waits until `seconds` more of sound have reached the capture."""
    target = captured_seconds(path) + seconds
    deadline = time.time() + timeout
    while captured_seconds(path) < target:
        check(game.running(), "%s: the game ended while its sound was captured" % game.name)
        check(time.time() < deadline, "%s: only %.1f s of sound captured in %.0f s"
              % (game.name, captured_seconds(path), timeout))
        time.sleep(0.1)


def loudness(path, window):
    """RMS of each `window` seconds of the capture, and its length in seconds."""
    values, channels, rate = music_check.samples(path)
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


def play_fight(paths, font, options):
    """The battle's first second with no shot fired; then ship 1, with
    homing shots, fires at the passive ship 2 until five hits have landed;
    then ship 1 takes every ability (the triple shot among them) and both
    ships fire until ship 2 dies. Three hits landing in one tick, and a
    death among them, are the loudest moments a fight has."""
    game = flow.start_to_battle(paths, "fight-heard", font, **options)
    try:
        game.marks["quiet"] = time.time() - game.launched
        time.sleep(1.0)
        sc_battle.aim_at_ship_2(game)
        game.press("Tab", "h", hold=0.1)
        game.marks["fire"] = time.time() - game.launched
        game.keydown("37")  # left Ctrl, by keycode: the keysym presses both
        try:
            sc_battle.keep_hitting(game, font, "five-hits", lambda im: (sc_battle.p2_health(im, font) or 100) <= 40)
            game.marks["busy"] = time.time() - game.launched
            game.press("Tab", "p", hold=0.1)
            game.keydown("50")  # left Shift: ship 2 fires back
            try:
                sc_battle.keep_hitting(game, font, "dead", lambda im: flow.hud_deaths_reads(im, font, 1, 1))
            finally:
                game.keyup("50")
        finally:
            game.keyup("37")
        game.press("Escape")
        flow.expect_exit(game, 0, what="after Esc in the battle")
    finally:
        game.stop()
    return game


def fight_heard(paths, font):
    capture = os.path.join(paths.out_dir, "capture.wav")
    shipped = fingerprints(paths.game_dir)
    game = play_fight(paths, font, capture_options(paths, capture, paths.game_dir))
    wall = time.time() - game.launched
    check(fingerprints(paths.game_dir) == shipped, "playing changed allegro.cfg or patches.dat")

    check(not game.sound_error, "the start-up log says 'Error loading sound' with the capture device")
    check(os.path.exists(capture) and os.path.getsize(capture) > 44, "nothing was captured")
    levels, seconds = loudness(capture, 0.1)
    check(0.6 * wall < seconds < 1.2 * wall,
          "the capture lasts %.1f s for a %.1f s run: playback is not paced" % (seconds, wall))

    # The music plays through the battle's first second, before any shot.
    lead = wall - seconds  # the capture starts when the sound device opens
    share, windows = music_check.sounding_share(capture, game.marks["quiet"] - lead + 0.2,
                                                game.marks["fire"] - lead - 0.1)
    check(windows >= 15, "only %d windows before the first shot" % windows)
    check(share >= music_check.MUSIC_SHARE,
          "no music: only %.0f %% of %d windows of 50 ms before the first shot hold sound"
          % (100 * share, windows))

    # Holding Ctrl fires (and hits) once per weapon cooldown: the loudness
    # rises and falls at that beat while the single shots hit.
    fine, _ = loudness(capture, 0.01)
    start = int((game.marks["fire"] - lead + 0.5) / 0.01)
    end = int((game.marks["busy"] - lead) / 0.01)
    check(end - start > 150, "too short a fight to hear its beat (%d windows)" % (end - start))
    beat = strongest_period(fine[start:end], 0.01, 0.25, 0.6)
    check(abs(beat - WEAPON_0_COOLDOWN) <= 0.03,
          "the shots' sound repeats every %.2f s, not every %.2f s" % (beat, WEAPON_0_COOLDOWN))

    values, _, _ = music_check.samples(capture)
    peak = max(abs(v) for v in values)
    clipped = sum(1 for v in values if v >= FULL_SCALE or v < -FULL_SCALE)
    print("capture %.1f s of a %.1f s run; music in %.0f %% of the windows; shots every %.2f s; "
          "peak %d (%.2f dBFS), %d of %d samples at full scale"
          % (seconds, wall, 100 * share, beat, peak, 20 * math.log10(max(peak, 1) / 32768.0),
             clipped, len(values)))
    check(clipped == 0, "%d samples of the busy fight reach full scale (peak %d)" % (clipped, peak))


def quiet_battle(paths, font, name, game_dir, **game_options):
    """The battle reached with no shot fired, a little more than the music
    check's stretch captured, and Esc; the capture's path and the game."""
    capture = os.path.join(paths.out_dir, name + ".wav")
    options = capture_options(paths, capture, game_dir)
    options.update(game_options)
    game = flow.start_to_battle(paths, name, font, **options)
    try:
        await_capture(game, capture, music_check.QUIET_END + 0.5)
        game.press("Escape")
        flow.expect_exit(game, 0, timeout=10, what="after Esc in the battle")
    finally:
        game.stop()
    return capture, game


def quiet_share(capture):
    share, windows = music_check.sounding_share(capture, -music_check.QUIET_END - 0.1, -0.1)
    print("%.0f %% of %d windows of 50 ms of the quiet battle hold sound" % (100 * share, windows))
    return share


def effects_without_music(paths, font):
    """The game's folder as built, but without its patch set: the start-up
    says the music cannot start, the preview shots of player 1's choice are
    still heard, and the check that hears the music in a battle with no shot
    fired must not hear any."""
    folder = os.path.join(paths.out_dir, "game-without-patches")
    os.makedirs(folder, exist_ok=True)
    for name in os.listdir(paths.game_dir):
        if name != "patches.dat" and os.path.isfile(os.path.join(paths.game_dir, name)):
            shutil.copy2(os.path.join(paths.game_dir, name), folder)
    capture, game = quiet_battle(paths, font, "effects-without-music", folder)
    check(game.sound_error, "no 'Error loading sound' line without the patch set")
    levels, seconds = loudness(capture, 0.1)
    check(len([v for v in levels if v > 20]) >= 3, "the preview shots were not heard without music")
    check(quiet_share(capture) < music_check.MUSIC_SHARE, "music heard without its patch set")


def installed(paths, font):
    """An installed game started through its launcher, from a folder that
    holds no game files, plays through to the battle and its music there."""
    capture, game = quiet_battle(paths, font, "installed", paths.game_dir,
                                 executable=paths.installed, with_data=False)
    check(quiet_share(capture) >= music_check.MUSIC_SHARE, "no music in the installed game's battle")
