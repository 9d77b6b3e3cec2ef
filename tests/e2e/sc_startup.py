"""Start-up: the log in the small window, the mode dialog and its preset;
a failing timer and stop signals."""
import resource
import signal
import time

import flow
import screen
from flow import find_text, is_black
from harness import Game, check


def not_black(p):
    return not is_black(p)


def selected_entry(image, font, above, text, box):
    """Whether the list entry right below the one reading `above` is the
    selected one reading `text`: selected entries are drawn light on dark.
    Entries are 10 rows apart: the game pads the dialog's font so that the
    library's dotted mark around the current entry misses the letters."""
    found = find_text(image, font, above, box)
    check(found is not None, "mode dialog: no entry %r" % above)
    x, y = found
    return any(screen.reads(image, font, text, x + dx, y + 10, not_black)
               for dx in range(-16, 17))


DIALOG_TEXT = (0, 0, 0)
DIALOG_GROUND = (255, 255, 255)


def solid_entry(image, font, text, box, ink, ground):
    """Whether `text` is in the box in exactly one colour on exactly one
    other, in all eight of its glyph rows."""
    x0, y0, x1, y1 = box
    pixels = image.load()
    for y in range(y0, y1 - 8):
        for x in range(x0, x1 - 8 * len(text)):
            if all(pixels[x + dx, y + dy] == (ink if font.ink(text, dx, dy) else ground)
                   for dy in range(8) for dx in range(8 * len(text))):
                return True
    return False


def check_dialog_colours(image, font):
    # The preset entries are selected: light text on a dark bar; the others
    # dark on light. Every pixel of their letters is one of the two colours.
    for text, box in (("Autodetect", (0, 30, 200, 80)), ("640x480", (160, 30, 320, 110)),
                      ("15 bpp (32K", (0, 100, 200, 170))):
        check(solid_entry(image, font, text, box, DIALOG_GROUND, DIALOG_TEXT),
              "mode dialog: the selected entry %r is not solid light text on a dark bar" % text)
    for text, box in (("Auto windowed", (0, 30, 200, 110)), ("640x400", (160, 30, 320, 110)),
                      ("16 bpp (64K", (0, 100, 200, 170))):
        check(solid_entry(image, font, text, box, DIALOG_TEXT, DIALOG_GROUND),
              "mode dialog: the entry %r is not solid dark text on a light ground" % text)


def check_dialog_preset(image, font):
    check_dialog_colours(image, font)
    check(selected_entry(image, font, "640x400", "640x480", (160, 0, 320, 200)),
          "mode dialog: 640x480 is not the selected resolution")
    check(selected_entry(image, font, "8 bpp (256", "15 bpp (32K", (0, 100, 200, 200)),
          "mode dialog: 15 bpp is not the selected colour depth")
    check(any(screen.reads(image, font, "Autodetect", x, y, not_black)
              for y in range(30, 80) for x in range(0, 120)),
          "mode dialog: Autodetect is not the selected driver")


def startup(paths, font):
    game = Game(paths, "startup")
    try:
        log = flow.await_startup_log(game, font)
        rows, sound_error = flow.startup_log_rows(log, font)
        # No sound card here: the error line is one more row before the prompt.
        check(sound_error, "start-up log: no 'Error loading sound' line without a sound card")
        check(rows == 10, "start-up log: %d rows, wanted 10" % rows)
        check(not screen.row_has(log, 80, screen.is_white, height=120, x1=320),
              "start-up log: white pixels below the last line")
        check(not screen.row_has(log, 0, lambda p: p != (0, 0, 0), x0=320, height=200),
              "start-up: something drawn right of the 320 x 200 window")

        dialog = flow.open_dialog(game, font)
        check(screen.changed_pixels(log, dialog, flow.DIALOG_BOX) > 5000,
              "the key did not change the start-up window")
        check_dialog_preset(dialog, font)

        flow.accept_dialog(game)
        # The match begins with player 1's choice: the Enter that closed the
        # dialog must not also end phase 1.
        phase1 = game.wait_for("match-begun", lambda im: screen.reads(im, font, flow.PROMPTS[0], 0, 0)
                               or screen.reads(im, font, flow.PROMPTS[1], 0, 0))
        time.sleep(0.3)
        check(screen.reads(game.shot("phase-1-held"), font, flow.PROMPTS[0], 0, 0),
              "the Enter that accepted the mode dialog also ended player 1's choice")
        # A 568-pixel prompt on row 0 needs the 640 x 480 mode.
        check(screen.count(phase1, (320, 0, 640, 8), screen.is_white) > 100,
              "the prompt does not reach past x 320")
        hud_strip = phase1.crop((0, 9, 510, 20))
        hud = [p for p in hud_strip.getdata() if screen.near(flow.P1_COLOUR)(p) or screen.near(flow.P2_COLOUR)(p)]
        check(hud, "no HUD pixels in a player's colour")
        # 15 bits keep five bits of every channel: green and blue of the HUD
        # colour come out equal (16 bits give green a sixth bit). The HUD's
        # own colour is the commonest; a preview ship flying under the strip
        # adds a few shaded pixels of its own.
        colour = max(set(hud), key=hud.count)
        check(colour[1] == colour[2] or colour[0] == colour[1],
              "HUD colour %s is not a 15-bit colour" % (colour,))
        time.sleep(0.3)
        check(game.running(), "the game ended in its first phase")
    finally:
        game.stop()


def dialog_cancel(paths, font):
    # No vexo.dat in the working folder: the exit must come before any load.
    game = Game(paths, "dialog-cancel", with_data=False)
    try:
        flow.await_startup_log(game, font)
        flow.open_dialog(game, font)
        game.press("Escape")
        flow.expect_exit(game, 0, what="after Esc in the mode dialog")
    finally:
        game.stop()


def no_display(paths, font):
    game = Game(paths, "no-display", display=False)
    try:
        flow.expect_exit(game, 1, timeout=10, what="without a display")
        own_lines = [line for line in game.stderr().splitlines()
                     if line.strip() and not line.startswith("ALSA lib")]
        check(own_lines, "no message on stderr without a display")
    finally:
        game.stop()


def timer_fails(paths, font):
    """Room in memory for one thread's stack but not two: the library's
    background thread starts, its timer thread cannot. The game says so and
    ends, rather than drawing phase 1 for ever with no tick to run it."""
    stack = 16 << 30

    def no_room_for_the_timer():
        resource.setrlimit(resource.RLIMIT_STACK, (stack, stack))
        resource.setrlimit(resource.RLIMIT_AS, (stack * 3 // 2, stack * 3 // 2))

    game = Game(paths, "timer-fails", preexec=no_room_for_the_timer)
    try:
        flow.expect_exit(game, 1, timeout=10, what="without a timer")
        check("Error installing the timer: " in game.stderr(),
              "no timer error on stderr: %s" % game.stderr()[-400:])
    finally:
        game.stop()


def no_core_file():
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))


def ignoring(number):
    def preexec():
        no_core_file()
        signal.signal(number, signal.SIG_IGN)
    return preexec


def stopped_by(game, number, where):
    sent = time.time()
    game.proc.send_signal(number)
    code = game.wait_exit(3.0)
    check(code == -number, "%s: signal %d %s gave status %s, wanted death by the signal; stderr: %s"
          % (game.name, number, where, code, game.stderr()[-400:]))
    check(time.time() - sent < 2.0, "%s: took %.1f s to end" % (game.name, time.time() - sent))


def stop_signals(paths, font):
    """SIGTERM, SIGINT and SIGQUIT end the game at once and by the signal, in
    the start-up's key wait, the mode dialog and the phases; one ignored at
    launch stays ignored."""
    game = Game(paths, "term-in-startup", preexec=no_core_file)
    try:
        flow.await_startup_log(game, font)
        stopped_by(game, signal.SIGTERM, "in the start-up's key wait")
    finally:
        game.stop()

    game = Game(paths, "int-in-dialog", preexec=no_core_file)
    try:
        flow.await_startup_log(game, font)
        flow.open_dialog(game, font)
        stopped_by(game, signal.SIGINT, "in the mode dialog")
    finally:
        game.stop()

    game = flow.start_to_phase1(paths, "quit-in-phase-1", font, preexec=no_core_file)
    try:
        stopped_by(game, signal.SIGQUIT, "in player 1's choice")
    finally:
        game.stop()

    game = flow.start_to_battle(paths, "term-in-battle", font, preexec=no_core_file)
    try:
        stopped_by(game, signal.SIGTERM, "in the battle")
    finally:
        game.stop()

    game = Game(paths, "int-ignored", preexec=ignoring(signal.SIGINT))
    try:
        flow.await_startup_log(game, font)
        game.proc.send_signal(signal.SIGINT)
        time.sleep(1.0)
        check(game.running(), "SIGINT ignored at launch ended the game (status %s)" % game.proc.returncode)
        flow.open_dialog(game, font)
        game.press("Escape")
        flow.expect_exit(game, 0, what="after Esc in the mode dialog, SIGINT ignored")
    finally:
        game.stop()
