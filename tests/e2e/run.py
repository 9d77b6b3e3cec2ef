#!/usr/bin/python3
# run.py NAME: one end-to-end scenario against the built game, in an X
# server of its own; status 77 skips (the Windows build cannot be had here).
import argparse, functools, glob, math, os, pathlib, re, resource, shutil, signal, subprocess, sys, time, zipfile
from driver import BLACK, QUIET, Capture, Failed, Game, check, load_font, start_xvfb
from PIL import Image

LOG = ["Installing keyboard...", "Installing timers...", "Installing mouse...", "-> %d buttons.",
       "Installing joystick...", "-> %d joysticks detected.", "-> %d buttons on joystick 0.",
       "Loading Sound drivers..."]
PROMPTS = ["Player 1, select your weapon: Press 1, 2, or 3. Press Enter when ready",
           "Player 2, select your weapon: Press 1, 2, or 3. Press Spacebar when ready"]
P1, P2, SOLID_WHITE = ((255, 128, 128), 8), ((128, 128, 255), 8), ((255, 255, 255), 0)
# The mode dialog's presets are selected, so drawn light on dark; their neighbours dark on light.
PRESETS = [("Autodetect", True), ("640x480", True), ("15 bpp (32K", True),
           ("Auto windowed", False), ("640x400", False), ("16 bpp (64K", False)]
SHIP1, SHIP2 = (150, 70), (490, 410)  # their centres on screen as the battle begins


def startup_log(game):
    def complete(shot):
        if not all(any(shot.reads(line.replace("%d", str(n)), 0, 8 * y) for n in range(-1, 10))
                   for y, line in enumerate(LOG)):
            return False
        game.sound_error = shot.reads("Error loading sound: ", 0, 64)
        return shot.reads("Press a key to continue...", 0, 72 if game.sound_error else 64)
    box = game.wait_for("log", complete).image.getbbox()
    check(box[2] <= 320 and box[3] <= 200, "the start-up window is drawn beyond 320 x 200: %s" % (box,))
    window_identity(game)
    game.focus()


def window_identity(game):
    # What a desktop reads of the window: the title, on X11 the class its menu
    # entry names (Wine names it after the executable), and icons of the
    # game's own art rather than the library's.
    window = game.xdotool("search", "--onlyvisible", "--name", "^Vexo$").split()
    check(window, "no window titled Vexo")
    if not game.window:
        entry = pathlib.Path(a.source_dir, "packaging", "org.example.vexo.desktop").read_text()
        wm_class = re.search(r"^StartupWMClass=(.*)$", entry, re.M)[1]
        got = subprocess.run(["xprop", "-id", window[0], "WM_CLASS"], env=game.env, capture_output=True, text=True)
        check(got.stdout == 'WM_CLASS(STRING) = "%s", "%s"\n' % (wm_class, wm_class), "the class: %s" % got.stdout)
    icon = game.icon(window[0])
    check(icon and is_icon_art(icon), "the window's icon is not the game's: %s" % icon)


def is_icon_art(picture):
    # The generator's icon art of the picture's size, for the desktop or for
    # Windows, pixel for pixel where it is not clear.
    art, n = os.path.join(a.game_dir, "..", "art"), picture.width
    art = next(p for p in ["%s/icons/%dx%d/apps/vexo.png" % (art, n, n), "%s/windows/vexo-%d.png" % (art, n)]
               if os.path.exists(p))
    return [p if p[3] else 0 for p in picture.getdata()] == [p if p[3] else 0 for p in Image.open(art).getdata()]


def mode_dialog(game):
    # Waited for until drawn in full, so until each entry is solid in all its rows.
    def solid(shot):
        return all(shot.find(text, *((SOLID_WHITE, BLACK) if selected else (BLACK, SOLID_WHITE)))
                   for text, selected in PRESETS)
    game.press("space")
    game.wait_for("dialog-presets", solid)


def phase1(game):
    # Return held until the match shows: that press must not also end player 1's choice.
    shot = game.hold_until(["Return"], lambda: game.wait_for("phase1", lambda s: s.reads(PROMPTS[0], 0, 0)
                                                             or s.reads(PROMPTS[1], 0, 0)))
    check(shot.reads(PROMPTS[0], 0, 0) and game.shot("phase1-again").reads(PROMPTS[0], 0, 0),
          "the Enter that accepted the mode dialog also ended player 1's choice")
    game.focus()


def phase2(game):
    # Keys that end a phase are held until the next one shows.
    game.hold_until(["Return"], lambda: game.wait_for("phase2", lambda s: s.reads(PROMPTS[1], 0, 0)))


def battle(game):
    # Ship 1's preview shots may hit ship 2 as the battle begins: its health is not read.
    def begun(s):
        return (s.reads("P1: Deaths:   0", 0, 0, P1) and s.reads("HP", 0, 11, P1) and s.reads("100", 128, 11, P1)
                and s.reads("P2: Deaths:   0", 350, 0, P2))
    game.hold_until(["space"], lambda: game.wait_for("battle", begun))


def walk(game, upto="battle"):
    for step in (startup_log, mode_dialog, phase1, phase2, battle):
        step(game)
        if step.__name__ == upto:
            return


def linux(a, name, data="vexo.dat", exe=None, **options):
    folder = os.path.join(a.out_dir, name)
    os.makedirs(folder)
    if data:
        shutil.copyfile(os.path.join(a.game_dir, data), os.path.join(folder, "vexo.dat"))
    return Game(a.out_dir, name, [exe or os.path.join(a.game_dir, "vexo")], folder, a.display, **options)


def without_patches(a, name, **options):
    folder = os.path.join(a.out_dir, "game")
    shutil.copytree(a.game_dir, folder, ignore=shutil.ignore_patterns("patches.dat"))
    return linux(a, name, exe=os.path.join(folder, "vexo"), **options)


def p2_health(shot):
    return next((h for h in range(100, -21, -1) if shot.reads("%3d" % h, 478, 11, P2)), None)


def heading(shot):
    # Ship 1's heading in degrees, from where its light-blue cockpit sits off its centre.
    (cx, cy), pixels = SHIP1, shot.image.load()
    cockpit = [(x - cx, y - cy) for x in range(cx - 16, cx + 17) for y in range(cy - 16, cy + 17)
               if pixels[x, y][2] > 150 and pixels[x, y][2] > pixels[x, y][0] + 40]
    check(len(cockpit) > 3, "ship 1's cockpit is not in sight")
    return math.degrees(math.atan2(sum(p[1] for p in cockpit), sum(p[0] for p in cockpit)))


def aim(game):
    # Taps a turn key until the screen shows ship 1 facing ship 2.
    def facing(shot):
        off = (math.degrees(math.atan2(SHIP2[1] - SHIP1[1], SHIP2[0] - SHIP1[0])) - heading(shot) + 180) % 360 - 180
        if abs(off) > 8:
            game.press("Right" if off > 0 else "Left", hold=0.08 if abs(off) < 30 else 0.2)
        return abs(off) <= 8
    game.wait_for("aim", facing, 20)


def fight(game, capture):
    # Ship 1, aimed by the screen, fires homing shots (left Ctrl, by keycode)
    # at ship 2 down to 28 health; then with every ability and ship 2 firing
    # back, until ship 2 dies: the loudest a fight gets. Gives its sound from
    # two seconds before the first stage ends.
    aim(game)
    game.press("Tab", "h")
    game.hold_until(["37"], lambda: game.wait_for("hits", lambda s: p2_health(s) in range(-20, 29), 30))
    start = capture.seconds() - 2
    game.press("Tab", "p")
    game.hold_until(["37", "50"], lambda: game.wait_for("death", lambda s: s.reads("  1", 446, 0, P2), 30))
    return capture.windows(start, capture.seconds(), 0.05)


def centre_and_sides(window):
    # The energy of what both channels share (left + right) and of what sets them apart (left - right).
    pairs = [(window[i], window[i + 1]) for i in range(0, len(window), 2)]
    return sum((left + right) ** 2 for left, right in pairs), sum((left - right) ** 2 for left, right in pairs)


def centred_excess(windows, music):
    # The effects play in the centre, the music across both sides. From the
    # music alone comes how much centre goes with its sides; what a stretch
    # has in the centre beyond that, against the music, is how loud its
    # effects are: about 0.1 for music alone (its own ups and downs), about 1
    # for a fight.
    centre, sides = map(sum, zip(*map(centre_and_sides, music)))
    per_side = centre / sides
    energies = list(map(centre_and_sides, windows))
    return sum(max(0, c - s * per_side) for c, s in energies) / (sum(s for c, s in energies) * per_side)


def quiet_stretch(game, capture):
    # Two seconds of battle with no shot fired, less their edges.
    start = capture.seconds() + 0.2
    capture.wait(game, 2.0)
    return capture.windows(start, capture.seconds() - 0.1, 0.05)


def played(a, start, share=0.8, shots=False):
    # Start-up to battle, a quiet stretch of it and, if asked, the fight and
    # another quiet stretch; Esc ends it with status 0. With share None the
    # folder lacks patches.dat: the log must say so, and no music be heard.
    capture = Capture(os.path.join(a.out_dir, "capture.wav"), a.source_dir)
    with start(a, "played", env=capture.env) as game:
        walk(game)
        quiet = music = quiet_stretch(game, capture)
        if shots:
            hits = fight(game, capture)
            capture.wait(game, 1.0)  # the death's sounds end
            music = quiet + quiet_stretch(game, capture)
        game.hold_until(["Escape"], lambda: game.exit(0))
    heard = sum(map(any, quiet)) / len(quiet)  # with music nearly every 50 ms holds sound
    effects = shots and (centred_excess(hits, music), centred_excess(music, music))
    check(len(quiet) >= 15, "only %d windows of quiet battle" % len(quiet))
    check(game.sound_error == (share is None), "'Error loading sound' in the log: %s" % game.sound_error)
    check(heard < 0.8 if share is None else heard >= share, "music in %.0f %% of the quiet stretch" % (100 * heard))
    if shots:
        # 0.4: under half the least a loaded fight gave, four times the music's own.
        check(effects[0] >= 0.4, "no hits heard: the fight's effects are %.2f of the music, the music alone %.2f"
              % effects)
        values = capture.samples()[0]
        check(max(values) < 32767 and min(values) >= -32767, "the fight reaches full scale: %d" % max(map(abs, values)))


# How each bad data file is made, and the line the game shows under its error.
DATA_CASES = {"missing": (None, None), "short": ([28], "Object 28 should be a sample."),
              "wrong_type": ([29, 0], "Object 0 should be a bitmap.")}


def bad_data(a):
    for case, (made, detail) in DATA_CASES.items():
        path = os.path.join(a.out_dir, case + ".dat")
        if made:
            subprocess.run([a.write_sample, path, *map(str, made)], check=True)
        lines = [s for s in ("Loading datafile...", "Error loading datafile! Perhaps it cannot be found?", detail) if s]

        def shown(shot):
            y = shot.find(lines[0], box=(0, 0, 1, shot.height))
            return y and all(shot.reads(s, 0, y[1] + 8 * i) for i, s in enumerate(lines + ["Press a key to quit."]))
        with linux(a, case, data=made and path) as game:
            walk(game, "mode_dialog")
            game.xdotool("keydown", "Return", "keyup", "Return")
            game.wait_for("error", shown)
            check(game.proc.poll() is None, "the game ended before a key was pressed")
            # The close button ends the wait as a key does, with the error's status.
            close_window(game) if case == "missing" else game.press("space")
            game.exit(1)


def faults(a):
    # No DISPLAY, then one where no X server listens: the line says which.
    for display, why in [(None, "there is no display to open a window on (DISPLAY is not set)"),
                         (":4242", 'cannot open the display ":4242" that DISPLAY names')]:
        game = Game(a.out_dir, "no-display-%s" % bool(display), [os.path.join(a.game_dir, "vexo")], a.out_dir, display)
        game.exit(1)
        check("Cannot initialise Allegro: " + why in game.stderr(), "the line: %s" % game.stderr())
    # Room for one thread's stack but not two: the timer's thread cannot start.
    def no_timer():
        resource.setrlimit(resource.RLIMIT_STACK, (16 << 30, 16 << 30))
        resource.setrlimit(resource.RLIMIT_AS, (24 << 30, 24 << 30))
    game = linux(a, "timer", preexec=no_timer)
    game.exit(1)
    # The library gives no reason of its own here: the system's is shown.
    check(re.search(r"^Error installing the timer: (Cannot allocate memory|Resource temporarily unavailable)$",
                    game.stderr(), re.M), "no timer error with its reason: %s" % game.stderr()[-400:])
    # A stop signal ignored at launch stays ignored; Esc cancels the mode dialog, ending the game with status 0.
    def ignore_sigint():
        signal.signal(signal.SIGINT, signal.SIG_IGN)
    with linux(a, "ignored", preexec=ignore_sigint) as game:
        walk(game, "mode_dialog")
        game.proc.send_signal(signal.SIGINT)
        game.press("Escape")
        game.exit(0, timeout=5)


def close_window(game):
    # What a window manager sends for the close button: WM_PROTOCOLS carrying WM_DELETE_WINDOW.
    from Xlib import X, display, protocol
    server = display.Display(game.env["DISPLAY"])
    window = server.create_resource_object("window", int(game.xdotool("search", "--name", "^Vexo$").split()[0]))
    atom = server.intern_atom
    window.send_event(protocol.event.ClientMessage(window=window, client_type=atom("WM_PROTOCOLS"),
                                                   data=(32, [atom("WM_DELETE_WINDOW"), X.CurrentTime, 0, 0, 0])))
    server.sync()
    server.close()


def ended_within(game, status, seconds, since):
    game.exit(status, timeout=seconds + 5)
    took = time.time() - since
    print("%s: status %d after %.2f s" % (game.name, game.proc.returncode, took))
    check(took <= seconds * game.slowness, "%s: took %.2f s to end" % (game.name, took))
    left = [p for p in glob.glob("/proc/[0-9]*/cwd") if os.access(p, os.R_OK) and os.path.realpath(p) == game.folder]
    check(not left, "%s: processes left running in its folder: %s" % (game.name, left))


# How the desktop ends the game, wherever it waits: the close button (within
# a second, as Esc would), a stop signal (by that signal), a logout (SIGTERM,
# then the display's end so many ms later), the display's end alone.
STEPS, TERM = ("startup_log", "mode_dialog", "phase1", "battle"), signal.SIGTERM
ENDINGS = ([(step, "close", None, 0) for step in STEPS] + list(zip(STEPS, (TERM, signal.SIGINT, signal.SIGQUIT,
           signal.SIGHUP), [None] * 4, (-TERM, -signal.SIGINT, -signal.SIGQUIT, -signal.SIGHUP)))
           + [(step, TERM, delay, -TERM) for step in STEPS[::3] for delay in (0, 10, 30, 60, 120)]
           + [("battle", None, 0, 1)])


def endings(a, start, rows=ENDINGS):
    for step, sent, delay, status in rows:
        server, a.display = start_xvfb("800x600x24" if start == windows else "640x480x24")
        with start(a, "%s-%s-%s" % (step, sent, delay), preexec=no_core) as game:
            walk(game, step)
            since = time.time()
            close_window(game) if sent == "close" else sent and game.proc.send_signal(sent)
            if delay is not None:
                time.sleep(delay / 1000)
                server.kill()
            ended_within(game, status, 1 if sent == "close" else 3, since)
            check(sent or "X connection to %s broken" % a.display in game.stderr(), "stderr: %s" % game.stderr())
        server.kill()
        server.wait()


def no_core():
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))


def session_end(a):
    # Windows' logoff (WM_QUERYENDSESSION, WM_ENDSESSION): the game lets the
    # session end, and ends with it, by itself (the launcher would hide a
    # kill). Wine 8 lets it end itself; Wine 10 may kill it first. Without
    # Wine it skips, as the other Windows runs do.
    with windows(a, "session-end", high=False) as game:
        wine = int(re.search(r"wine-(\d+)", subprocess.check_output(["wine", "--version"], text=True))[1])
        walk(game)
        sent = time.time()
        subprocess.run(["wineboot", "--end-session"], env=game.env, stdout=QUIET, stderr=QUIET, timeout=30)
        ended_within(game, 0 if wine < 10 else (0, -signal.SIGKILL), 3, sent)


def release_zip(a):
    if os.path.exists(unavailable := os.path.join(a.windows_dir, "unavailable.txt")):
        print(open(unavailable).read())
        sys.exit(77)
    zips = glob.glob(os.path.join(a.windows_dir, "vexo-*-windows-x86_64.zip"))
    check(len(zips) == 1 and shutil.which("wine"), "no wine, or no single release zip: run ./test")
    return zips[0]


def windows(a, name, env=(), high=True, preexec=None):
    # The release zip unpacked and played with Wine, in a prefix made afresh
    # (no prompts to install Wine's .NET and HTML engines); with high, through
    # the launcher that takes its low 4 GB.
    folder = os.path.join(a.out_dir, name)
    zipfile.ZipFile(release_zip(a)).extractall(folder)
    wine = dict(os.environ, WINEPREFIX=a.wine_prefix, WINEDEBUG="-all", WINEDLLOVERRIDES="mscoree,mshtml=")
    shutil.rmtree(a.wine_prefix, ignore_errors=True)
    subprocess.run(["wineboot", "--init"], env=wine, check=True, stdout=QUIET, stderr=QUIET)
    subprocess.run(["wineserver", "-w"], env=wine, check=True)  # until the prefix is made, and its server gone
    # Started with its low 4 GB taken, so every address it gets has bits above 32.
    high_addresses = os.path.join(a.windows_dir, "tests", "high_addresses.exe")
    return Game(a.out_dir, name, ["wine", *[high_addresses][:high], "vexo.exe"], folder, a.display,
                dict(wine, **dict(env)), "Vexo", 4, preexec=preexec,
                on_stop=lambda: subprocess.run(["wineserver", "-k"], env=wine, stderr=QUIET))


SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comdlg32.dll", "ole32.dll", "ddraw.dll", "dsound.dll",
               "dinput.dll", "winmm.dll", "msvcrt.dll"}


def release_contents(a):
    # The Linux build's data files untouched beside the game, its readme and
    # licence; the game a GUI program needing only Windows' own DLLs.
    with zipfile.ZipFile(release_zip(a)) as z:
        data = set(os.listdir(a.game_dir)) - {"vexo"}
        check(set(z.namelist()) == data | {"vexo.exe", "README.txt", "LICENSE", "GPL-2.txt"}, "zip: %s" % z.namelist())
        for name in data:
            check(z.read(name) == open(os.path.join(a.game_dir, name), "rb").read(), "%s differs from Linux's" % name)
        exe = z.extract("vexo.exe", a.out_dir)
        copyright = re.search(r"^Copyright .*$", z.read("LICENSE").decode(), re.M)[0]
    dump = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", exe], capture_output=True, text=True, check=True).stdout
    dlls = {d.lower() for d in re.findall(r"DLL Name: (\S+)", dump)}
    check(dlls and dlls <= SYSTEM_DLLS and "(Windows GUI)" in dump, "vexo.exe is no GUI program, or needs %s" % dlls)
    # Its resources: the icon group the library gives its window, at the sizes
    # Explorer shows, of the desktop icon's art; and the version Explorer shows.
    run = functools.partial(subprocess.run, capture_output=True, check=True)
    group, icon = os.path.join(a.out_dir, "group.ico"), os.path.join(a.out_dir, "icon-48.png")
    run(["wrestool", "-x", "--type=group_icon", "--name=ALLEGRO_ICON", "-o", group, exe])
    sizes = re.findall(r"--width=(\d+) --height=\1 ", run(["icotool", "-l", group], text=True).stdout)
    check(sizes == ["16", "32", "48", "256"], "the icon group's sizes: %s" % sizes)
    run(["icotool", "-x", "--width=48", "-o", icon, group])
    check(is_icon_art(Image.open(icon).convert("RGBA")), "vexo.exe's icon is not the game's")
    version = re.search(r"^vexo-(.+)-windows", os.path.basename(release_zip(a)))[1]
    info = run(["wrestool", "-x", "--raw", "--type=version", exe]).stdout.decode("utf-16-le", "replace")
    for key, value in [("ProductName", "Vexo"), ("ProductVersion", version), ("FileVersion", version),
                       ("LegalCopyright", copyright), ("FileDescription", "Vexo, two-player space combat on one keyboard")]:
        check(re.search("%s\0+%s\0" % (key, re.escape(value)), info), "version resource lacks %s %s" % (key, value))


SCENARIOS = {
    "played": lambda a: played(a, linux, shots=True),
    "without_patches": lambda a: played(a, without_patches, share=None),
    "installed": lambda a: played(a, functools.partial(linux, data=None, exe=a.installed)),
    "faults": faults, "data": bad_data, "endings": lambda a: endings(a, linux),
    # Closed in the mode dialog, the game cancels it as Esc would.
    "wine_close": lambda a: endings(a, windows, [r for r in ENDINGS if r[1] == "close" and r[0] != "phase1"]),
    "wine_session_end": session_end,
    "wine_release_contents": release_contents,
    # Wine's varying buffering places the quiet stretch only roughly on the capture.
    "wine_played": lambda a: played(a, windows, share=0.3),
}


parser = argparse.ArgumentParser()
parser.add_argument("scenario", choices=SCENARIOS)
for option in ("game-dir", "out-dir", "font-dump", "write-sample", "source-dir", "installed", "windows-dir",
               "wine-prefix", "font"):
    parser.add_argument("--" + option)
a = parser.parse_args()
a.out_dir = os.path.join(a.out_dir, a.scenario)
shutil.rmtree(a.out_dir, ignore_errors=True)
os.makedirs(a.out_dir)
# --font: the library's font dumped elsewhere, where the machine has no Allegro to dump it.
load_font(None if a.font else a.font_dump, a.font or os.path.join(a.out_dir, "font.bmp"))
# Wine frames the 640 x 480 window: it needs a larger screen.
x, a.display = start_xvfb("800x600x24" if a.scenario.startswith("wine") else "640x480x24")
try:
    SCENARIOS[a.scenario](a)
except Failed as failure:
    sys.exit("FAIL %s: %s" % (a.scenario, failure))
finally:
    x.terminate()
