#!/usr/bin/env python3
"""The window program on a screen of its own (Xvfb): a plan is opened through
the menu's shortcut and the program is left with Ctrl+E. It must end with
status 0 and, built with the sanitizers, without a leak report.
Usage: afslutning.py PROGRAM"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

SPRING_OVER = 77


def ledig_skaerm():
    for nr in range(150, 400):
        if not os.path.exists(f"/tmp/.X11-unix/X{nr}") and not os.path.exists(f"/tmp/.X{nr}-lock"):
            return nr
    return None


def vent(betingelse, sekunder):
    slut = time.monotonic() + sekunder
    while time.monotonic() < slut:
        svar = betingelse()
        if svar:
            return svar
        time.sleep(0.2)
    return None


def xdotool(miljoe, *argumenter):
    return subprocess.run(["xdotool", *argumenter], env=miljoe, capture_output=True, text=True).stdout.strip()


def main():
    program = os.path.abspath(sys.argv[1])
    if not shutil.which("Xvfb") or not shutil.which("xdotool"):
        print("Xvfb eller xdotool mangler")
        return SPRING_OVER
    nr = ledig_skaerm()
    if nr is None:
        print("ingen ledig skærm")
        return SPRING_OVER
    with tempfile.TemporaryDirectory() as hjem:
        skaerm = subprocess.Popen(["Xvfb", f":{nr}", "-screen", "0", "1280x900x24", "-nolisten", "tcp"],
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        vindue = None
        try:
            if not vent(lambda: os.path.exists(f"/tmp/.X11-unix/X{nr}"), 30):
                print("Xvfb startede ikke")
                return SPRING_OVER
            miljoe = dict(os.environ, DISPLAY=f":{nr}", HOME=hjem, XDG_CONFIG_HOME=f"{hjem}/.config",
                          XDG_DATA_HOME=f"{hjem}/.local/share", QT_QPA_PLATFORM="xcb",
                          ASAN_OPTIONS="detect_leaks=1")
            vindue = subprocess.Popen([program], env=miljoe, cwd=hjem, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.PIPE, text=True)
            hoved = vent(lambda: xdotool(miljoe, "search", "--name", "Brikken\\+\\+ v1.0").split("\n")[0], 120)
            if not hoved:
                print("hovedvinduet kom ikke frem")
                return 1
            # The first start shows the plans by itself; Return opens the first one.
            liste = vent(lambda: xdotool(miljoe, "search", "--name", "^Indlæsning$").split("\n")[0], 60)
            if not liste:
                print("planlisten kom ikke frem")
                return 1
            xdotool(miljoe, "windowfocus", "--sync", liste, "key", "Return")
            if not vent(lambda: "Plan2026" in xdotool(miljoe, "getwindowname", hoved), 120):
                print("planen blev ikke åbnet: " + xdotool(miljoe, "getwindowname", hoved))
                return 1
            xdotool(miljoe, "windowfocus", "--sync", hoved, "key", "ctrl+e")
            try:
                _, fejl = vindue.communicate(timeout=120)
            except subprocess.TimeoutExpired:
                print("programmet sluttede ikke efter Ctrl+E")
                return 1
            if vindue.returncode != 0 or "LeakSanitizer" in fejl or "AddressSanitizer" in fejl:
                print(f"status {vindue.returncode}\n{fejl[-6000:]}")
                return 1
            return 0
        finally:
            if vindue and vindue.poll() is None:
                vindue.kill()
                vindue.wait()
            skaerm.terminate()
            skaerm.wait()


if __name__ == "__main__":
    sys.exit(main())
