#!/usr/bin/python3
"""Reviews and statistics on the real program, its clock moved forward with
libfaketime.

On the 9th, a list of four words: two found at once, two left empty. On the
11th the launcher offers « Réviser » for the two missed, and only them; they
are answered right; « Statistiques » then shows the two series, and a
screenshot of each of its tabs is saved in SHOTS. On the 13th nothing is due.
Read through AT-SPI, played with the mouse and the keys.

    reviews.py BINARY [SHOTS]     (under a11y-session.sh)
"""

import os
import subprocess
import sys
import tempfile

import screenreader as sr

WORDS = {"ABERR": "ARBRE", "ABELT": "TABLE", "BCEIL": "CIBLE", "ADEIR": "RAIDE"}
MISSED = {"BCEIL", "ADEIR"}
TRAINING = "ENTRAINEMENT SCRABBLE - Lettres Chères"
SHOTS = sys.argv[2] if len(sys.argv) > 2 else os.environ.get("TIRAGES_E2E_SHOTS")


def start(binary, day):
    env = dict(os.environ, FAKETIME_DONT_FAKE_MONOTONIC="1")
    # Under AddressSanitizer, libfaketime is loaded before the sanitizer's runtime.
    if env.get("ASAN_OPTIONS"):
        env["ASAN_OPTIONS"] += ":verify_asan_link_order=0"
    program = subprocess.Popen(["faketime", "2026-12-%02d 10:00:00" % day, binary],
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    launcher = sr.until("the launcher on the %d" % day, lambda: sr.window("Bienvenue :o)"))
    sr.focus_window("^Bienvenue")
    return program, launcher


def reviews_line(launcher):
    line = sr.find(launcher, lambda a: a.getRoleName() == "label" and sr.showing(a)
                   and (a.name or "").startswith("Révisions"))
    button = sr.named(launcher, "Réviser", "push button")
    return (line.name if line else None), button is not None and sr.showing(button)


def answer(screen, right):
    """Answers every draw shown: right when `right` says so, else leaves it empty."""
    boxes = [sr.named(screen, "Réponse %d" % (i + 1), "text") for i in range(30)]
    shown = [(i, b.description.split(" : ")[1]) for i, b in enumerate(boxes)
             if b is not None and b.description.startswith("Tirage : ")]
    sr.until("the focus in the first answer box", lambda: sr.has_focus(boxes[0]))
    for i, draw in shown:
        sr.until("the focus in answer box %d" % (i + 1), lambda: sr.has_focus(boxes[i]))
        if right(draw):
            sr.typed(WORDS[draw].lower())
        sr.keys("Return")
    sr.keys("F12")
    sr.until("the results", lambda: all(boxes[i].description == "Juste" or
                                        boxes[i].description.startswith("Faux")
                                        for i, _ in shown))
    return sorted(draw for _, draw in shown)


def quit_program(program, launcher):
    sr.click(sr.named(launcher, "Quitter", "push button"))
    try:
        program.wait(timeout=30)
    except subprocess.TimeoutExpired:
        sr.fail("the program did not end after « Quitter »")


def back_to_launcher(screen):
    sr.click(sr.named(screen, "Sommaire", "push button"))
    return sr.until("the launcher again", lambda: sr.window("Bienvenue :o)"))


def statistics(launcher):
    """« Statistiques » after the two series: each tab shown, and saved as a picture."""
    sr.click(sr.named(launcher, "Statistiques", "push button"))
    window = sr.until("the statistics window", lambda: sr.window("Statistiques"))
    week = sr.until("this week's sentence", lambda: sr.named(
        window, r"Cette semaine : .* 6 réponses, 67\u00a0% justes\.", "label"))
    sr.ok("« Statistiques » reads « %s »" % week.name)
    wid = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Statistiques$"],
                         capture_output=True, text=True).stdout.split()[0]
    for number, tab in enumerate(["Jour par jour", "Listes", "Mémoire", "Mots difficiles"]):
        sr.click(sr.named(window, tab, "page tab"))
        sr.pump(0.8)
        if SHOTS:
            os.makedirs(SHOTS, exist_ok=True)
            subprocess.run(["/usr/bin/import", "-window", wid,
                            os.path.join(SHOTS, "statistiques-%d.png" % (number + 1))], check=True)
    hardest = sr.until("the hardest words", lambda: sr.find(
        window, lambda a: a.getRoleName() == "table cell" and a.name == "CIBLE"))
    sr.ok("the tabs are shown and saved; « Mots difficiles » lists %s" % hardest.name)
    sr.keys("Escape")
    sr.until("the statistics closed by Escape", lambda: sr.window("Statistiques") is None)


def main(binary):
    work = tempfile.mkdtemp()
    os.chdir(work)
    os.environ["XDG_DATA_HOME"] = os.path.join(work, "share")
    with open("quatre.txt", "w", encoding="utf-8") as out:
        out.write("".join("%s;%s\r\n" % pair for pair in WORDS.items()))

    # The 9th: a player with nothing kept sees no reviews.
    program, launcher = start(binary, 9)
    if reviews_line(launcher) != (None, False):
        sr.fail("reviews offered on a first run: %r" % (reviews_line(launcher),))
    sr.launch(launcher, os.path.join(work, "quatre.txt"))
    screen = sr.until("the training screen", lambda: sr.window(TRAINING))
    sr.focus_window("^ENTRAINEMENT")
    answer(screen, lambda draw: draw not in MISSED)
    launcher = back_to_launcher(screen)
    if reviews_line(launcher) != (None, False):
        sr.fail("reviews offered the same day: %r" % (reviews_line(launcher),))
    sr.ok("the 9th: two words found at once, two missed; nothing to review today")
    quit_program(program, launcher)

    # The 11th: the two missed words are due, and only they.
    program, launcher = start(binary, 11)
    line, button = sr.until("the reviews line", lambda: reviews_line(launcher)[1]
                            and reviews_line(launcher))
    if line != "Révisions : 2 mots à revoir aujourd'hui":
        sr.fail("the reviews line reads %r" % line)
    sr.ok("the 11th, the launcher reads « %s » beside « Réviser »" % line)
    if SHOTS:
        subprocess.run(["/usr/bin/import", "-window", "root",
                        os.path.join(SHOTS, "reviews-launcher.png")])
    sr.click(sr.named(launcher, "Réviser", "push button"))
    screen = sr.until("the review training", lambda: sr.window(TRAINING))
    sr.focus_window("^ENTRAINEMENT")
    reviewed = answer(screen, lambda draw: True)
    if set(reviewed) != MISSED:
        sr.fail("the review list holds %s" % reviewed)
    sr.ok("« Réviser » trains the missed words only: %s, answered right" % ", ".join(reviewed))
    launcher = back_to_launcher(screen)
    sr.until("no reviews left today", lambda: reviews_line(launcher) == (None, False))
    statistics(launcher)
    quit_program(program, launcher)

    # The 13th: answered right on the 11th, they are not due yet.
    program, launcher = start(binary, 13)
    # The line of the kept training shows once the memory can be read.
    sr.click(sr.find(launcher, lambda a: a.getRoleName() == "combo box"))
    sr.keys("ctrl+a")
    sr.typed(os.path.join(work, "quatre.txt"))
    sr.until("the kept training's line", lambda: sr.named(
        launcher, r"Entraînement gardé : En cours : 2 mots restants sur 4 .*", "label"))
    if reviews_line(launcher) != (None, False):
        sr.fail("reviews offered on the 13th: %r" % (reviews_line(launcher),))
    sr.ok("the 13th: nothing due")
    quit_program(program, launcher)


if __name__ == "__main__":
    main(os.path.realpath(sys.argv[1]))
