"""The Windows game, as its release zip ships it, played under Wine.

The zip is unpacked into a scratch folder and vexo.exe started there with
Wine, in a Wine prefix made fresh for the test run; the same steps, screen
readings and sound checks as on Linux judge it."""
import os
import shutil
import subprocess
import time
import zipfile

import flow
import music_check
import sc_sound
import sc_startup
import screen
from harness import Game, ScenarioSkipped, check

WINDOW = "vexo"  # Allegro names the window after the executable
# Room for the 640 x 480 window with its frame: on a screen of the same size
# the windowed mode does not fit.
SCREEN = "800x600x24"
SLOWNESS = 4  # Wine's start and DirectDraw's mode list take seconds
QUIET = 2.0  # seconds of battle with no shot fired
FIRING = 3.5  # seconds of ship 1's fire
# Wine buffers the sound on its way to the capture device by a varying
# amount, so stretches timed by the wall clock land only roughly on the
# capture: the quiet stretch showed music in 56-100 % of its windows (a game
# without its patch set shows none). The shots' beat came out anywhere from
# 0.38 s to 0.58 s for 0.42 s, and the music alone is at times louder than
# the fire, so the effects are judged on Linux and by the unit tests; here
# the capture proves the sound path and the music.
WINE_MUSIC_SHARE = 0.3
# A Windows installation has these; anything else would have to ship.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comdlg32.dll", "ole32.dll", "ddraw.dll",
               "dsound.dll", "dinput.dll", "winmm.dll", "msvcrt.dll"}


def release_zip(paths):
    """The release zip; skips when the Windows toolchain or Wine could not be
    installed at all (the build leaves the reason in unavailable.txt)."""
    windows_dir = paths.windows_dir
    marker = os.path.join(windows_dir, "unavailable.txt")
    if os.path.exists(marker):
        with open(marker) as f:
            raise ScenarioSkipped(f.read().strip())
    check(shutil.which("wine"), "no wine: install scripts/packages-wine.txt (./test does)")
    zips = [n for n in os.listdir(windows_dir) if n.startswith("vexo-") and n.endswith("-windows-x86_64.zip")] \
        if os.path.isdir(windows_dir) else []
    check(len(zips) == 1, "no single release zip in %s: run scripts/build-windows" % windows_dir)
    return os.path.join(windows_dir, zips[0])


def wine_env(paths):
    return {"WINEPREFIX": paths.wine_prefix, "WINEDEBUG": "-all",
            # no prompts to install Wine's .NET and HTML engines
            "WINEDLLOVERRIDES": "mscoree,mshtml=",
            "ALSA_CONFIG_PATH": paths.alsa_conf}


def end_wine(paths):
    # The prefix's server and services outlive the game; they are ours.
    subprocess.run(["wineserver", "-k"], env=dict(os.environ, **wine_env(paths)),
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def start_from_zip(paths, name, capture=None):
    folder = os.path.join(paths.out_dir, "%s-unpacked" % name)
    shutil.rmtree(folder, ignore_errors=True)
    with zipfile.ZipFile(release_zip(paths)) as z:
        z.extractall(folder)
    env = wine_env(paths)
    if capture:
        env.update(sc_sound.capture_options(paths, capture, folder)["env"])
    return Game(paths, name, workdir=folder, executable=os.path.join(folder, "vexo.exe"),
                launcher=["wine"], window=WINDOW, screen_size=SCREEN, slowness=SLOWNESS, env=env)


def wine_prefix(paths, font):
    """Makes the fresh Wine prefix the other Windows scenarios run in."""
    release_zip(paths)
    shutil.rmtree(paths.wine_prefix, ignore_errors=True)
    env = dict(os.environ, **wine_env(paths))
    env.pop("DISPLAY", None)
    subprocess.run(["wineboot", "--init"], env=env, check=True,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    subprocess.run(["wineserver", "-w"], env=env, check=True)
    check(os.path.isdir(os.path.join(paths.wine_prefix, "drive_c", "windows")), "wineboot made no prefix")


def release_contents(paths, font):
    """The zip holds the game, the Linux build's data files untouched, the
    readme and the licence; the executable needs only Windows' own DLLs."""
    path = release_zip(paths)
    with zipfile.ZipFile(path) as z:
        names = set(z.namelist())
        linux_files = {n for n in os.listdir(paths.game_dir) if n != "vexo"}
        wanted = linux_files | {"vexo.exe", "README.txt", "LICENSE", "GPL-2.txt"}
        check(names == wanted, "zip holds %s, wanted %s" % (sorted(names), sorted(wanted)))
        for n in linux_files:
            with open(os.path.join(paths.game_dir, n), "rb") as f:
                check(z.read(n) == f.read(), "%s in the zip differs from the Linux build's" % n)
        readme = z.read("README.txt").decode()
        for needed in ("vexo.exe", "Auto windowed", "Esc", "Ctrl", "Shift"):
            check(needed in readme, "README.txt does not mention %s" % needed)
        exe = os.path.join(paths.out_dir, "vexo.exe")
        with open(exe, "wb") as f:
            f.write(z.read("vexo.exe"))
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", exe], capture_output=True, text=True, check=True)
    dlls = {line.split(":", 1)[1].strip().lower() for line in dump.stdout.splitlines() if "DLL Name:" in line}
    check(dlls and dlls <= SYSTEM_DLLS, "vexo.exe needs DLLs Windows does not have: %s" % sorted(dlls - SYSTEM_DLLS))
    check("(Windows GUI)" in dump.stdout, "vexo.exe is not a Windows GUI program")


def played(paths, font):
    """Start-up log, Return through the preset mode dialog, both players'
    prompts, the battle's HUD; a quiet stretch of battle with its music, then
    ship 1's fire, heard through the paced capture device; Esc.

    Keys that end a phase are held until the next screen shows: under Wine
    a short press can be missed, its release arriving with it. For the same
    reason there is no aimed fight here: the timed hold that turns ship 1
    toward ship 2 has turned it twice as far under Wine on a busy machine."""
    capture = os.path.join(paths.out_dir, "capture.wav")
    game = start_from_zip(paths, "played", capture)
    try:
        log = flow.await_startup_log(game, font)
        check(log.size == (320, 200), "the start-up window is %d x %d, not 320 x 200" % log.size)
        check(not game.sound_error, "the start-up log says 'Error loading sound' with the capture device")
        dialog = flow.open_dialog(game, font)
        sc_startup.check_dialog_preset(dialog, font)
        flow.accept_dialog(game)
        phase1 = flow.await_prompt(game, font, 0)
        check(phase1.size == (640, 480), "the game's window is %d x %d, not 640 x 480" % phase1.size)
        time.sleep(0.3)
        check(screen.reads(game.shot("phase-1-held"), font, flow.PROMPTS[0], 0, 0),
              "the Enter that accepted the mode dialog also ended player 1's choice")
        game.point_into_window()
        game.hold_until(["Return"], lambda: flow.await_prompt(game, font, 1))
        battle = game.hold_until(["space"], lambda: flow.await_battle(game, font))
        hud = [p for p in battle.crop((0, 0, 640, 20)).getdata()
               if screen.near(flow.P1_COLOUR)(p) or screen.near(flow.P2_COLOUR)(p)]
        # 15 bits per pixel, as on Linux: green and blue of the HUD colour
        # (the commonest of its shades there) agree.
        check(hud, "no HUD pixels in a player's colour")
        colour = max(set(hud), key=hud.count)
        check(colour[1] == colour[2] or colour[0] == colour[1],
              "HUD colour %s is not a 15-bit colour" % (colour,))
        # Player 1's preview shots have flown on into the battle; then no
        # shot is fired for a while, then ship 1 fires.
        time.sleep(1.0)
        game.marks["quiet"] = time.time() - game.launched
        time.sleep(QUIET)
        game.marks["fire"] = time.time() - game.launched
        game.press("37", hold=FIRING)  # left Ctrl, by keycode
        game.marks["ceasefire"] = time.time() - game.launched
        game.hold_until(["Escape"], lambda: flow.expect_exit(game, 0, what="after Esc in the battle"))
    finally:
        game.stop()
        end_wine(paths)
    check_heard(game, capture)


def check_heard(game, capture):
    """The capture of the battle: paced, and the music in the quiet stretch."""
    wall = time.time() - game.launched
    check(os.path.exists(capture) and os.path.getsize(capture) > 44, "nothing was captured")
    levels, seconds = sc_sound.loudness(capture, 0.1)
    check(0.6 * wall < seconds < 1.2 * wall,
          "the capture lasts %.1f s for a %.1f s run: playback is not paced" % (seconds, wall))
    lead = wall - seconds  # the capture starts when the sound device opens
    share, windows = music_check.sounding_share(capture, game.marks["quiet"] - lead + 0.2,
                                                game.marks["fire"] - lead - 0.1)
    check(windows >= 15, "only %d windows in the quiet stretch" % windows)
    check(share >= WINE_MUSIC_SHARE,
          "no music: only %.0f %% of %d windows of 50 ms of the quiet stretch hold sound"
          % (100 * share, windows))

    print("capture %.1f s of a %.1f s run; music in %.0f %% of the quiet windows"
          % (seconds, wall, 100 * share))


def dialog_cancel(paths, font):
    game = start_from_zip(paths, "dialog-cancel")
    try:
        flow.await_startup_log(game, font)
        flow.open_dialog(game, font)
        game.press("Escape")
        flow.expect_exit(game, 0, what="after Esc in the mode dialog")
    finally:
        game.stop()
        end_wine(paths)
