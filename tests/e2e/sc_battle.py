"""The battle: HUDs, ships, stars, the zooming view, the arena border, a
fight to a death and respawn, and random keys under memcheck."""
import math
import os
import random
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

        # Both ships face +x: ship 1 backs away to the left, ship 2 flies on
        # to the right, and the view has to zoom out until the border shows.
        game.keydown("Down", "r")
        try:
            apart = game.wait_for("border", lambda im: border_run(im) >= 100, timeout=20)
        finally:
            game.keyup("Down", "r")
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


def ship_1_heading(image):
    """Ship 1's heading in screen degrees (0 = +x, 90 = down), read from where
    its light-blue cockpit sits off the centre of its ring; None if unseen."""
    ring = screen.bounding_box(image, around(SHIP_1_START, 45), near(flow.RING_COLOUR, 6))
    if ring is None:
        return None
    cx, cy = (ring[0] + ring[2]) / 2, (ring[1] + ring[3]) / 2
    pixels = image.load()
    cockpit = [(x - cx, y - cy) for x in range(int(cx) - 16, int(cx) + 17) for y in range(int(cy) - 16, int(cy) + 17)
               if pixels[x, y][2] > 150 and pixels[x, y][2] > pixels[x, y][0] + 40]
    if len(cockpit) < 4:
        return None
    return math.degrees(math.atan2(sum(p[1] for p in cockpit), sum(p[0] for p in cockpit)))


def aim_at_ship_2(game):
    """Turns ship 1 a tap at a time until the screen shows it facing ship 2:
    aimed by what is seen, not by how long a key was held."""
    wanted = math.degrees(math.atan2(SHIP_2_START[1] - SHIP_1_START[1], SHIP_2_START[0] - SHIP_1_START[0]))
    for _ in range(40):
        heading = ship_1_heading(game.shot("aim"))
        check(heading is not None, "ship 1's cockpit is not in sight")
        off = (wanted - heading + 180) % 360 - 180
        if abs(off) <= 8:
            return
        game.press("Right" if off > 0 else "Left", hold=0.08 if abs(off) < 30 else 0.2)
        time.sleep(0.1)
    check(False, "ship 1 never came to face ship 2")


def keep_hitting(game, font, label, done, pause=0.05):
    """Waits for done(image) while ship 1 fires on. A busy machine slows the
    game, not the fight: this fails only once ship 2's health stops falling,
    and renews the homing shots, which last ten seconds of game time."""
    last = None
    while True:
        try:
            return game.wait_for(label, done, timeout=4, pause=pause)
        except ScenarioFailed:
            check(game.running(), "the game ended during the fight")
            health = p2_health(game.shot(label + "-progress"), font)
            check(health is not None and (last is None or health < last),
                  "ship 2's health stopped falling at %s" % health)
            last = health
            game.press("Tab", "h", hold=0.1)


def fight(paths, font, name="fight", game_options=None):
    game = flow.start_to_battle(paths, name, font, **(game_options or {}))
    try:
        before = p2_health(game.shot("before-fight"), font) or 100
        aim_at_ship_2(game)
        game.press("Tab", "h", hold=0.1)
        game.marks["fire"] = time.time() - game.launched
        game.keydown("37")  # left Ctrl, by keycode: the keysym presses both
        try:
            hit = keep_hitting(game, font, "hit", lambda im: (p2_health(im, font) or 100) < before)
            check(flow.hud_health_reads(hit, font, 0, 100), "player 1 lost health firing at a passive ship")
            keep_for_readme(paths, hit)
            # Ship 2 never moved: it dies where the battle put it, and its
            # explosion fades within a second, so frames are taken until one
            # shows the rings.
            def exploding(im):
                return ((p2_health(im, font) or 1) <= 0
                        and screen.count(im, around(SHIP_2_START, 45), explosion_pixel) > 8)
            dead = keep_hitting(game, font, "dead", exploding, pause=0.02)
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


def random_battle_keys(game, seconds, seed=4242):
    """Turns, thrust, both fire keys of each ship, weapons and the Tab
    combinations, pressed at random for `seconds`."""
    rng = random.Random(seed)
    fire = ["37", "105", "50", "62"]  # both Ctrls and Shifts, by keycode
    moves = ["Left", "Right", "Up", "Down", "d", "g", "r", "f", "1", "2", "3"]
    end = time.time() + seconds
    while time.time() < end:
        roll = rng.randrange(6)
        if roll == 0:
            keys = [rng.choice(fire), rng.choice(moves[:4])]
        elif roll < 3:
            keys = ["Tab", "a" if roll == 1 else "p"]
        else:
            keys = [rng.choice(moves)]
        game.press(*keys, hold=0.1 * rng.randint(1, 9))


def memcheck_battle(paths, font):
    """The game under valgrind's memcheck: start-up, dialog, both choices,
    two minutes of random battle keys, then Esc held until it has gone. Any
    memcheck error outside the library's own, named in allegro.supp, ends it
    with status 99."""
    supp = os.path.join(paths.source_dir, "tests", "soak", "allegro.supp")
    memcheck = ["valgrind", "--tool=memcheck", "--error-exitcode=99", "--leak-check=no",
                "--num-callers=30", "--suppressions=" + supp]
    game = flow.start_to_battle(paths, "memcheck", font, by_mouse=False, launcher=memcheck, slowness=30)
    try:
        random_battle_keys(game, 120)
        game.keydown("Escape")
        try:
            code = game.wait_exit(4)
        finally:
            game.keyup("Escape")
        check(code == 0, "status %s under memcheck:\n%s" % (code, game.stderr()[-6000:]))
    finally:
        game.stop()
