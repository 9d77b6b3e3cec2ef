#!/usr/bin/python3
"""Runs one end-to-end scenario against the built game: run_scenario.py NAME."""
import argparse
import os
import shutil
import sys
import traceback

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness import ScenarioFailed, ScenarioSkipped  # noqa: E402
from screen import Font  # noqa: E402
import scenarios  # noqa: E402


SKIPPED = 77  # CTest's SKIP_RETURN_CODE for these tests


class Paths:
    def __init__(self, args):
        self.game_dir = args.game_dir
        self.out_dir = os.path.join(args.out_dir, args.scenario)
        self.font_dump = args.font_dump
        self.write_sample = args.write_sample
        self.alsa_conf = args.alsa_conf
        self.source_dir = args.source_dir
        self.installed = args.installed
        self.windows_dir = args.windows_dir
        self.wine_prefix = args.wine_prefix
        # Each run starts clean, so every screenshot there is from this run.
        shutil.rmtree(self.out_dir, ignore_errors=True)
        os.makedirs(self.out_dir, exist_ok=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("scenario", choices=sorted(scenarios.ALL))
    parser.add_argument("--game-dir", required=True)
    parser.add_argument("--out-dir", required=True)
    parser.add_argument("--font-dump", required=True)
    parser.add_argument("--write-sample", required=True)
    parser.add_argument("--alsa-conf", required=True)
    parser.add_argument("--source-dir", required=True)
    parser.add_argument("--installed", help="an installed game's launcher, for the installed scenario")
    parser.add_argument("--windows-dir", help="the Windows build (build-windows)")
    parser.add_argument("--wine-prefix", help="the Wine prefix the Windows scenarios run in")
    args = parser.parse_args()
    paths = Paths(args)
    for needed in ("vexo", "vexo.dat"):
        if not os.path.exists(os.path.join(paths.game_dir, needed)):
            print("missing %s in %s: build the vexo and vexo_data targets first"
                  % (needed, paths.game_dir))
            return 1
    try:
        scenarios.ALL[args.scenario](paths, Font(paths.font_dump))
    except ScenarioFailed as failure:
        print("FAIL %s: %s" % (args.scenario, failure))
        return 1
    except ScenarioSkipped as reason:
        print("SKIP %s: %s" % (args.scenario, reason))
        return SKIPPED
    except Exception:
        traceback.print_exc()
        return 1
    print("PASS %s (screenshots in %s)" % (args.scenario, paths.out_dir))
    return 0


if __name__ == "__main__":
    sys.exit(main())
