"""The battle: HUDs, ships, stars, the zooming view, the arena border, a
fight to a death and respawn, power-ups and the triple shot."""
import os
import time

import flow
import screen
from harness import ScenarioFailed, check
from screen import near

HUD_STRIP = 24
VIEW = (0, HUD_STRIP, 640, 480)
# At the battle's start the ships stand at (-100, -100) and (100, 100); the
# view centres on them with their distance spanning 480 pixels.
SHIP_1_START = (150, 70)
SHIP_2_START = (490, 410)


def around(point, half=40):
    return (point[0] - half, point[1] - half, point[0] + half, point[1] + half)


def ring_pixels(image, box=VIEW):
    return screen.count(image, box, near(flow.RING_COLOUR, 6))


def border_run(image):
    return screen.longest_run(image, VIEW, near(flow.BORDER_COLOUR, 6))


def fly_apart(game, seconds):
    # Ship 1 turns to face up and flies up, ship 2 turns to face down and
    # flies down: the view has to zoom out to keep both in sight.
    game.keydown("Left", "g")
    time.sleep(1.07)
    game.keyup("Left", "g")
    game.keydown("Up", "r")
    time.sleep(seconds)
    game.keyup("Up", "r")


def battle_view(paths, font):
    game = flow.start_to_battle(paths, "battle-view", font)
    try:
        start = game.shot("start")
        for ship, point in (("ship 1", SHIP_1_START), ("ship 2", SHIP_2_START)):
            check(ring_pixels(start, around(point)) > 60, "%s's ring is not around %s" % (ship, point))
        stars_at_start = screen.count(start, VIEW, screen.is_grey_star)
        check(stars_at_start > 10, "only %d star pixels at the battle's start" % stars_at_start)
        check(border_run(start) < 40, "the arena border shows with the ships close together")
        rings_at_start = ring_pixels(start)

        fly_apart(game, 4.0)
        game.keydown("Up", "r")
        try:
            apart = game.wait_for("border", lambda im: border_run(im) >= 100, timeout=8)
        finally:
            game.keyup("Up", "r")
        # The border may now run through the HUD's top row: read the health.
        check(flow.hud_health_reads(apart, font, 0, 100) and flow.hud_health_reads(apart, font, 1, 100),
              "the health changed while the ships only flew")
        check(ring_pixels(apart) < rings_at_start * 0.6,
              "the rings did not shrink as the ships separated (%d -> %d pixels)"
              % (rings_at_start, ring_pixels(apart)))
        check(screen.count(apart, VIEW, screen.is_grey_star) > stars_at_start,
              "zooming out did not bring more stars into view")
        game.press("Escape")
        flow.expect_exit(game, 0, what="after Esc in the battle")
    finally:
        game.stop()


def keep_for_readme(paths, image):
    """The README's picture of a battle (docs/screenshots/battle.png is a
    copy of one of these, taken by hand)."""
    image.save(os.path.join(paths.out_dir, "..", "battle.png"), optimize=True)


def p2_health(image, font):
    x = flow.P2_HUD_X + 128
    colour = near(flow.P2_COLOUR)
    for health in range(-20, 101):
        if screen.reads(image, font, "%3d" % health, x, 11, colour):
            return health
    return None


def explosion_pixel(p):
    # Explosion rings: red fading to dark, or dark red turning teal; the two
    # lesser channels stay equal. Stars are grey, the rings yellow.
    return abs(p[1] - p[2]) <= 8 and p[0] >= p[1] + 40


def respawn_shown(font):
    return lambda im: (flow.hud_deaths_reads(im, font, 1, 1)
                       and flow.hud_health_reads(im, font, 1, 100))


def await_respawn(game, font):
    """Ship 2 comes back at a random place near the centre. Only the HUD's
    numbers are read, since a ship may cover its labels; when the new place
    puts ship 2 over its own numbers as well, player 2 thrusts it clear."""
    try:
        return game.wait_for("respawned", respawn_shown(font), timeout=3)
    except ScenarioFailed:
        game.keydown("r")
        try:
            return game.wait_for("respawned-moved", respawn_shown(font), timeout=5)
        finally:
            game.keyup("r")


def fight(paths, font, name="fight", game_options=None):
    game = flow.start_to_battle(paths, name, font, **(game_options or {}))
    try:
        before = p2_health(game.shot("before-fight"), font) or 100
        # A second with no shot fired: the sound check listens for the music.
        time.sleep(1.0)
        # Heading 64 faces +x; 32 units clockwise faces ship 2.
        flow.hold(game, ["Right"], 0.53)
        # Homing shots find ship 2 even when a busy machine stretched the turn.
        game.press("Tab", "h", hold=0.1)
        game.marks["fire"] = time.time() - game.launched
        game.keydown("37")  # left Ctrl, by keycode: the keysym presses both
        try:
            hit = game.wait_for("hit", lambda im: (p2_health(im, font) or 100) < before, timeout=6)
            check(flow.hud_health_reads(hit, font, 0, 100), "player 1 lost health firing at a passive ship")
            keep_for_readme(paths, hit)
            # Ship 2 never moved: it dies where the battle put it, and its
            # explosion fades within a second, so frames are taken until one
            # shows the rings.
            def exploding(im):
                return ((p2_health(im, font) or 1) <= 0
                        and screen.count(im, around(SHIP_2_START, 45), explosion_pixel) > 8)
            dead = game.wait_for("dead", exploding, timeout=12, pause=0.02)
            game.marks["dead"] = time.time() - game.launched
        finally:
            game.keyup("37")
        check(ring_pixels(dead, around(SHIP_2_START, 45)) == 0, "dead ship 2 still has its ring")
        respawned = await_respawn(game, font)
        check(flow.hud_health_reads(respawned, font, 0, 100), "player 1's health changed: it was never hit")
        game.press("Escape")
        flow.expect_exit(game, 0, what="after Esc in the battle")
    finally:
        game.stop()
    return game


def bullet_pixel(p):
    return p != (0, 0, 0) and not screen.is_grey_star(p) and not near(flow.RING_COLOUR, 6)(p)


def most_shots_seen(game, label, tries=12):
    """The most separate bullets seen in flight in a row of frames."""
    best = 0
    for _ in range(tries):
        image = game.shot(label)
        ships = [around(SHIP_1_START, 36), around(SHIP_2_START, 36)]
        best = max(best, len([n for n in screen.blobs(image, VIEW, bullet_pixel, ships) if n >= 4]))
    return best


def triple_shot(paths, font):
    game = flow.start_to_battle(paths, "triple-shot", font)
    try:
        time.sleep(0.8)  # the preview shots fly out of view
        game.keydown("37")
        try:
            single = most_shots_seen(game, "single")
            game.press("Tab", "p", hold=0.1)
            triple = most_shots_seen(game, "triple")
        finally:
            game.keyup("37")
        check(single <= 2, "%d shots in flight before the triple shot" % single)
        check(triple >= 3, "only %d shots in flight with the triple shot" % triple)
    finally:
        game.stop()


def powerups(paths, font):
    game = flow.start_to_battle(paths, "powerups", font)
    try:
        fly_apart(game, 3.0)  # a wider view shows more of the arena
        time.sleep(0.5)
        before = game.shot("before")
        ships = [around(SHIP_1_START, 40), around(SHIP_2_START, 40)]
        lit_before = screen.count(before, VIEW, bullet_pixel)
        game.press("Tab", "a", hold=1.0)
        time.sleep(0.2)
        after = game.shot("after")
        lit_after = screen.count(after, VIEW, bullet_pixel)
        items = [n for n in screen.blobs(after, VIEW, bullet_pixel, ships) if n >= 4]
        check(lit_after > lit_before + 20 and len(items) >= 2,
              "Tab+A: no power-ups appeared (%d -> %d lit pixels, %d items)"
              % (lit_before, lit_after, len(items)))
    finally:
        game.stop()


def full_run(paths, font):
    game = flow.start_to_battle(paths, "full-run", font)
    try:
        game.press("Escape")
        flow.expect_exit(game, 0, what="after start, Enter, Enter, Space, Esc")
    finally:
        game.stop()
