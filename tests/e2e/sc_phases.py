"""The two weapon-selection phases: prompts, preview shots, the keys that end them."""
import time
from collections import Counter

import flow
import screen
from harness import check

PROMPT_ROWS = 8


def in_hud(x, y):
    return y < PROMPT_ROWS or (y < 20 and (x < 160 or flow.P2_HUD_X <= x < flow.P2_HUD_X + 160))


def ring_box(image, margin=6):
    box = screen.bounding_box(image, (0, PROMPT_ROWS, 640, 480), screen.near(flow.RING_COLOUR, 6))
    check(box is not None, "no ship ring on screen")
    return (box[0] - margin, box[1] - margin, box[2] + margin + 1, box[3] + margin + 1)


def lit_colours(image):
    """The colours of the preview bullets: everything lit outside the prompt
    and the HUD, away from the ship."""
    ship = ring_box(image)
    pixels = image.load()
    colours = Counter()
    for y in range(0, 480):
        for x in range(0, 640):
            p = pixels[x, y]
            if p != (0, 0, 0) and not in_hud(x, y) and not (ship[0] <= x < ship[2] and ship[1] <= y < ship[3]):
                colours[p] += 1
    return colours


def shot_colours(image):
    colours = lit_colours(image)
    check(colours, "no preview shots outside the ship")
    return colours


def preview_palette(game, label, previous=frozenset()):
    """The colours the weapon's shots are drawn in, over a few frames, once
    the screen shows none of the previous weapon's shots, at any pace."""
    def only_new_shots(image):
        colours = set(lit_colours(image))
        return colours and unlike(colours, previous)
    game.wait_for(label + "-old-shots-gone", only_new_shots)
    seen = Counter()
    for _ in range(3):
        seen.update(shot_colours(game.shot(label)))
    return {colour for colour, n in seen.items() if n >= 3}


def alike(a, b):
    return len(a & b) >= 0.5 * len(a | b)


def unlike(a, b):
    return len(a & b) <= 0.2 * len(a | b)


def start_with_shots_in_view(paths, font, tries=3):
    """Phase 1 with ship 1 low enough that its shots fly below the prompt.
    Its start is random (the seed is the time in seconds): a ship right at
    the top is left for a new run in a later second."""
    for attempt in range(tries):
        game = flow.start_to_phase1(paths, "selection", font)
        box = screen.bounding_box(game.shot("ship-1"), (0, PROMPT_ROWS, 640, 480),
                                  screen.near(flow.RING_COLOUR, 6))
        if box and (box[1] + box[3]) // 2 >= 24:
            return game
        game.stop()
        time.sleep(1.0)
    check(False, "ship 1 started under the prompt %d times" % tries)


def selection(paths, font):
    game = start_with_shots_in_view(paths, font)
    try:
        first = preview_palette(game, "weapon-default")
        game.press("2", hold=0.3)
        second = preview_palette(game, "weapon-2", first)
        game.press("3", hold=0.3)
        third = preview_palette(game, "weapon-3", second)
        game.press("1", hold=0.3)
        again = preview_palette(game, "weapon-1", third)
        check(unlike(first, second) and unlike(second, third) and unlike(first, third),
              "keys 2 and 3 did not change the preview shots' look: %s / %s / %s"
              % (sorted(first), sorted(second), sorted(third)))
        check(alike(again, first), "key 1 did not bring back the first weapon's shots: %s vs %s"
              % (sorted(again), sorted(first)))

        phase2 = game.hold_until(["Return"], lambda: flow.await_prompt(game, font, 1))
        check(screen.reads(phase2, font, "HP", flow.P2_HUD_X, 11, screen.near(flow.P2_COLOUR)),
              "phase 2: player 2's HUD is not at x 350")
        ship2 = ring_box(phase2)
        if (ship2[1] + ship2[3]) // 2 >= 24:  # its shots fly below the prompt
            game.wait_for("phase2-preview", lit_colours)  # ship 2 fires its preview too
        game.hold_until(["space"], lambda: flow.await_battle(game, font))
        game.press("Escape")
        flow.expect_exit(game, 0, what="after Esc in the battle")
    finally:
        game.stop()
