"""Unusable data files: the error lines on screen, a wait for a key, status 1."""
import os
import subprocess
import time

import flow
import screen
from harness import Game, check

LOAD_ERROR = "Error loading datafile! Perhaps it cannot be found?"
PRESS_TO_QUIT = "Press a key to quit."
ROWS = range(0, 480, 8)


def error_lines_shown(font, detail):
    def shown(image):
        y = screen.find_row(image, font, LOAD_ERROR, rows=ROWS)
        if y is None:
            return False
        if detail is not None:
            if not screen.reads(image, font, detail, 0, y + 8):
                return False
            y += 8
        return screen.reads(image, font, PRESS_TO_QUIT, 0, y + 8)
    return shown


def refused(paths, font, name, data_file, detail):
    """Runs the game on `data_file` (None: no vexo.dat at all) up to the error."""
    game = Game(paths, name, with_data=data_file is not None, data_file=data_file)
    try:
        flow.await_startup_log(game, font)
        flow.open_dialog(game, font)
        flow.accept_dialog(game)
        image = game.wait_for("error-lines", error_lines_shown(font, detail))
        y = screen.find_row(image, font, LOAD_ERROR, rows=ROWS)
        check(screen.reads(image, font, "Loading datafile...", 0, y - 8),
              "%s: 'Loading datafile...' is not the line above the error" % name)
        check(not screen.reads(image, font, flow.PROMPTS[0], 0, 0),
              "%s: phase 1 started on a bad data file" % name)
        time.sleep(0.5)
        check(game.running(), "%s: ended (status %s) before a key was pressed"
              % (name, game.proc.returncode))
        game.press("space")
        flow.expect_exit(game, 1, what="after the data file error")
    finally:
        game.stop()


def scratch(paths, name):
    folder = os.path.join(paths.out_dir, "files")
    os.makedirs(folder, exist_ok=True)
    return os.path.join(folder, name)


def sample_file(paths, name, *layout):
    """A small data file from the damaged-file run's writer: the catalogue's
    first `objects`, with one index of a type the game refuses."""
    path = scratch(paths, name)
    subprocess.run([paths.write_sample, path] + [str(n) for n in layout], check=True)
    return path


def missing(paths, font):
    refused(paths, font, "missing", None, None)


def truncated(paths, font):
    with open(os.path.join(paths.game_dir, "vexo.dat"), "rb") as f:
        data = f.read()
    cut = scratch(paths, "truncated.dat")
    with open(cut, "wb") as f:
        f.write(data[:len(data) // 2])
    refused(paths, font, "truncated", cut, None)


def too_few_objects(paths, font):
    refused(paths, font, "too-few-objects", sample_file(paths, "short.dat", 28), "Object 28 should be a sample.")


def wrong_type(paths, font):
    refused(paths, font, "wrong-type", sample_file(paths, "wrong.dat", 29, 17), "Object 17 should be a bitmap.")
