#!/usr/bin/python3
# with_display.py COMMAND...: COMMAND with DISPLAY set to an X server of its own.
import os, subprocess, sys
from driver import start_xvfb

server, display = start_xvfb("640x480x24")
try:
    sys.exit(subprocess.run(sys.argv[1:], env=dict(os.environ, DISPLAY=display)).returncode)
finally:
    server.terminate()
