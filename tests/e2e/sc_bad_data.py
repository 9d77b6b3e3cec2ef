"""Unusable data files: the error lines on screen, a wait for a key, status 1."""
import os
import time

import datafiles
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


def missing(paths, font):
    refused(paths, font, "missing", None, None)


def truncated(paths, font):
    cut = datafiles.truncated_copy(os.path.join(paths.game_dir, "vexo.dat"),
                                   scratch(paths, "truncated.dat"))
    refused(paths, font, "truncated", cut, None)


def too_few_objects(paths, font):
    path = datafiles.build(scratch(paths, "short.dat"), datafiles.catalogue_types(count=28))
    check("OBJECT27_WAV" in datafiles.listing(path), "dat did not build the 28-object file")
    refused(paths, font, "too-few-objects", path, "Object 28 should be a sample.")


def wrong_type(index, wanted):
    def scenario(paths, font):
        path = datafiles.build(scratch(paths, "wrong%d.dat" % index),
                               datafiles.catalogue_types(wrong_at=index))
        refused(paths, font, "wrong-type-%d" % index, path,
                "Object %d should be a %s." % (index, wanted))
    return scenario


def good_small_file_plays(paths, font):
    """The same generator's file with every type right is accepted: the
    refusals above are about the flaw each file carries, nothing else."""
    path = datafiles.build(scratch(paths, "small.dat"), datafiles.catalogue_types())
    game = Game(paths, "small-good-file", data_file=path)
    try:
        flow.await_startup_log(game, font)
        dialog = flow.open_dialog(game, font)
        flow.click_ok(game, dialog, font)
        flow.await_prompt(game, font, 0)
    finally:
        game.stop()
