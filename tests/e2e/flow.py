"""The steps every scenario walks through: start-up log, mode dialog,
the two weapon-selection phases and the battle, each waited for on screen."""
import time

from harness import Game, check
from screen import near, reads

STARTUP_LINES = [
    "Installing keyboard...",
    "Installing timers...",
    "Installing mouse...",
    "-> %d buttons.",
    "Installing joystick...",
    "-> %d joysticks detected.",
    "-> %d buttons on joystick 0.",
    "Loading Sound drivers...",
]
SOUND_ERROR_PREFIX = "Error loading sound: "
PRESS_A_KEY = "Press a key to continue..."
PROMPTS = [
    "Player 1, select your weapon: Press 1, 2, or 3. Press Enter when ready",
    "Player 2, select your weapon: Press 1, 2, or 3. Press Spacebar when ready",
]
P1_COLOUR = (255, 128, 128)
P2_COLOUR = (128, 128, 255)
RING_COLOUR = (255, 255, 128)
BORDER_COLOUR = (255, 128, 128)
P2_HUD_X = 350
DIALOG_BOX = (0, 0, 320, 200)


def is_black(p):
    return p[0] < 60 and p[1] < 60 and p[2] < 60


def reads_numbered(image, font, pattern, y, values=range(-1, 10)):
    return any(reads(image, font, pattern % v, 0, y) for v in values)


def startup_log_rows(image, font):
    """The log rows 0, 8, 16, ... that read as the start-up lines in order;
    returns (rows read, whether the sound error line was among them)."""
    y = 0
    for line in STARTUP_LINES:
        ok = reads_numbered(image, font, line, y) if "%d" in line else reads(image, font, line, 0, y)
        if not ok:
            return y // 8, False
        y += 8
    sound_error = reads(image, font, SOUND_ERROR_PREFIX, 0, y)
    if sound_error:
        y += 8
    if not reads(image, font, PRESS_A_KEY, 0, y):
        return y // 8, sound_error
    return y // 8 + 1, sound_error


def await_startup_log(game, font):
    def complete(image):
        rows, sound_error = startup_log_rows(image, font)
        return rows == len(STARTUP_LINES) + 1 + (1 if sound_error else 0)
    image = game.wait_for("startup-log", complete, timeout=10)
    game.sound_error = startup_log_rows(image, font)[1]
    game.point_into_window()
    return image


def find_text(image, font, text, box, ink=is_black):
    x0, y0, x1, y1 = box
    for y in range(y0, y1 - 8):
        for x in range(x0, x1 - 8 * len(text)):
            if reads(image, font, text, x, y, ink):
                return x, y
    return None


def open_dialog(game, font):
    game.press("space")
    return game.wait_for("mode-dialog",
                         lambda im: find_text(im, font, "Graphics Mode", DIALOG_BOX) is not None)


def accept_dialog(game):
    game.xdotool("keydown", "Return", "keyup", "Return")


def click_ok(game, dialog, font):
    """Accepts the dialog with the mouse, as a player may: the OK button works
    as well as Enter (the start-up scenario accepts with Enter)."""
    found = find_text(dialog, font, "OK", DIALOG_BOX)
    check(found is not None, "mode dialog: no OK button")
    game.xdotool("mousemove", found[0] + 8, found[1] + 4)
    time.sleep(0.1)
    # The library polls the buttons: a press must last a few of its reads.
    game.xdotool("mousedown", "1")
    time.sleep(0.15)
    game.xdotool("mouseup", "1")


def await_prompt(game, font, phase, label=None):
    prompt = PROMPTS[phase]
    return game.wait_for(label or "phase%d-prompt" % (phase + 1),
                         lambda im: reads(im, font, prompt, 0, 0))


def hud_reads(image, font, player, deaths, health):
    x = P2_HUD_X * player
    colour = near(P1_COLOUR if player == 0 else P2_COLOUR)
    return (reads(image, font, "P%d: Deaths: %3d" % (player + 1, deaths), x, 0, colour)
            and reads(image, font, "HP", x, 11, colour)
            and reads(image, font, "%3d" % health, x + 128, 11, colour))


def hud_health_reads(image, font, player, health):
    colour = near(P1_COLOUR if player == 0 else P2_COLOUR)
    return reads(image, font, "%3d" % health, P2_HUD_X * player + 128, 11, colour)


def hud_deaths_reads(image, font, player, deaths):
    colour = near(P1_COLOUR if player == 0 else P2_COLOUR)
    return reads(image, font, "%3d" % deaths, P2_HUD_X * player + 96, 0, colour)


def battle_begun(image, font):
    # Ship 1's preview shots fly on into the battle and may already have hit
    # ship 2: its health is not read here.
    return hud_reads(image, font, 0, 0, 100) and reads(image, font, "P2: Deaths:   0", P2_HUD_X, 0, near(P2_COLOUR))


def await_battle(game, font, label="battle"):
    return game.wait_for(label, lambda im: battle_begun(im, font))


def start_to_phase1(paths, name, font, by_mouse=True, **game_options):
    game = Game(paths, name, **game_options)
    await_startup_log(game, font)
    dialog = open_dialog(game, font)
    if by_mouse:
        click_ok(game, dialog, font)
    else:
        accept_dialog(game)
    await_prompt(game, font, 0)
    game.point_into_window()
    return game


def start_to_battle(paths, name, font, **game_options):
    """Each key is held until its phase has ended on screen: Enter does
    nothing in player 2's choice, nor Space in the battle."""
    game = start_to_phase1(paths, name, font, **game_options)
    game.hold_until(["Return"], lambda: await_prompt(game, font, 1))
    game.hold_until(["space"], lambda: await_battle(game, font))
    return game


def expect_exit(game, status, timeout=5.0, what=""):
    code = game.wait_exit(timeout)
    check(code == status, "%s: exit status %s, wanted %s%s; stderr: %s"
          % (game.name, code, status, (" " + what) if what else "", game.stderr()[-800:]))
