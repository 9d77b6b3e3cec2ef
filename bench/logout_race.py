#!/usr/bin/python3
# logout_race.py [RUNS] [GAME_DIR]: what a logout or shutdown does to a
# running game, again and again: SIGTERM, then the end of its X server 0 to
# 200 ms later, in the start-up log or in the battle. Prints how many runs
# ended by the signal within 3 s and the slowest; a run that hangs is killed
# and counted. Run from the project's root after a build:
#   python3 bench/logout_race.py 200 build/game
import os, random, signal, subprocess, sys, tempfile, time
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
from driver import Failed, Game, start_xvfb

runs, game_dir = int(sys.argv[1]) if len(sys.argv) > 1 else 200, os.path.abspath(sys.argv[2] if len(sys.argv) > 2 else "build/game")
rng, out = random.Random(), tempfile.mkdtemp(prefix="logout-race-")
print("runs and screenshots in", out)
ended, slowest, hung = 0, 0.0, []


def until(condition, seconds, every):
    end = time.time() + seconds
    while not condition() and time.time() < end:
        time.sleep(every)
    return condition()


for run in range(runs):
    in_battle, delay = run % 2 == 1, rng.uniform(0, 0.2)
    server, display = start_xvfb("640x480x24")
    folder = os.path.join(out, str(run))
    os.makedirs(folder)
    os.symlink(os.path.join(game_dir, "vexo.dat"), os.path.join(folder, "vexo.dat"))
    with Game(out, str(run), [os.path.join(game_dir, "vexo")], folder, display) as game:
        # Titled once the game watches for stop requests; then the start-up log waits for a key.
        until(lambda: game.xdotool("search", "--name", "^Vexo$"), 30, 0.1)
        time.sleep(0.5)
        game.focus()
        if in_battle:  # the preset mode, then Enter and Space past the two selections
            for key in ("space", "Return", "Return", "space"):
                game.press(key, hold=0.15)
                time.sleep(0.5)
            hud = game.shot("battle").mask(((255, 128, 128), 8))[:640 * 8]  # player 1's line, in red
            if 255 not in hud:
                print("run %d: not in the battle, see %s" % (run, os.path.join(out, "%d-battle.png" % run)))
        sent = time.time()
        game.proc.send_signal(signal.SIGTERM)
        time.sleep(delay)
        server.kill()
        if until(lambda: game.proc.poll() is not None, 3, 0.005) and game.proc.returncode == -signal.SIGTERM:
            ended += 1
            slowest = max(slowest, time.time() - sent)
        else:
            hung.append("%d (%s, %.0f ms, status %s)" % (run, "battle" if in_battle else "log", 1000 * delay,
                                                        game.proc.poll()))
    server.wait()
print("logout race: %d of %d runs ended by SIGTERM within 3 s; slowest %.2f s; others: %s"
      % (ended, runs, slowest, ", ".join(hung) or "none"))
sys.exit(0 if ended == runs else 1)
