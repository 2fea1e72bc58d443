#!/usr/bin/python3
"""Plays the real program with the keyboard and a screen reader's view of it.

Everything is read through AT-SPI, as a screen reader reads it: the draw of
the focused answer box, the tiles' letters, each result after a correction,
the launcher's messages, " BRAVO! " at the end of the list; and the events a
screen reader announces are listened for. The list is a plain word list in
UTF-8, typed into the launcher as a path.

    screenreader.py BINARY     (under a11y-session.sh)
"""

import os
import re
import subprocess
import sys
import tempfile
import time

import pyatspi
from gi.repository import GLib

# The plain word list: accents, a ligature, a word of 8 letters, two words of
# the same letters (one question), and a line that is no word, left out. The
# lexicon shipped adds OUVREE, CHINE and BARRE, of the letters of its words.
WORDS = "zèbre\nœuvre\ndénommer\nchien\nniche\narbre\nl'eau\n"
DRAWS = {"BEERZ": "ZEBRE", "EEORUV": "OUVREE OEUVRE", "DEEMNOR+M": "DENOMMER",
         "CEHIN": "NICHE CHIOX", "ABERR": ""}
# Wrong in the first series: ARBRE and BARRE left empty; of CHIEN, CHINE and
# NICHE, two words missing and one too many.
RESULTS = {"ABERR": "Faux : 0 mot sur 2, manque : ARBRE, BARRE",
           "CEHIN": "Faux : 1 mot sur 3, manque : CHIEN, CHINE, en trop : CHIOX"}


def fail(message):
    subprocess.run(["/usr/bin/import", "-window", "root",
                    os.path.join(tempfile.gettempdir(), "tirages-e2e-failure.png")])
    print("FAIL: " + message)
    sys.exit(1)


def ok(message):
    print("ok: " + message)


# ------------------------------------------------------------ events

heard = []  # (event type, source name, source role)


def on_event(event):
    try:
        heard.append((event.type, event.source.name, event.source.getRoleName()))
    except Exception:  # the source may be gone already
        pass


def pump(seconds):
    """Lets the events of the next seconds arrive."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        while context.pending():
            context.iteration(False)
        time.sleep(0.02)


def until(what, test, seconds=10):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        pump(0.1)
        result = test()
        if result:
            return result
    fail(what)


def heard_since(mark, kind, name_pattern, role=None):
    return [h for h in heard[mark:]
            if h[0].startswith(kind) and re.search(name_pattern, h[1] or "")
            and (role is None or h[2] == role)]


# ------------------------------------------------------------ the tree

def application():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "tirages":
            return app
    return None


def window(title):
    app = application()
    if app is None:
        return None
    for frame in app:
        if frame is not None and frame.name == title and \
                frame.getState().contains(pyatspi.STATE_SHOWING):
            return frame
    return None


def find(root, test):
    return pyatspi.findDescendant(root, lambda a: a is not None and test(a))


def named(root, pattern, role=None):
    return find(root, lambda a: re.fullmatch(pattern, a.name or "", re.S)
                and (role is None or a.getRoleName() == role))


def showing(acc):
    return acc.getState().contains(pyatspi.STATE_SHOWING)


def focused(root):
    return find(root, lambda a: has_focus(a))


def has_focus(acc):
    return acc.getState().contains(pyatspi.STATE_FOCUSED)


def value_of(acc):
    text = acc.queryText()
    return text.getText(0, text.characterCount)


def tiles(screen):
    """The tiles as a reader reads them, by their names in place order."""
    found = pyatspi.findAllDescendants(
        screen, lambda a: a is not None and re.fullmatch(r"Lettre \d : .*", a.name or ""))
    return [t.name for t in sorted(found, key=lambda t: int(t.name.split()[1]))]


def rack(screen):
    return "".join(n.split(" : ")[1].replace("vide", " ") for n in tiles(screen)).rstrip()


# ------------------------------------------------------------ the player

def keys(*names):
    subprocess.run(["xdotool", "key", "--delay", "40", *names], check=True)


def typed(text):
    subprocess.run(["xdotool", "type", "--delay", "30", text], check=True)


def click(acc):
    x, y, w, h = acc.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    subprocess.run(["xdotool", "mousemove", str(x + w // 2), str(y + h // 2), "click", "1"],
                   check=True)


def focus_window(title):
    wid = subprocess.run(["xdotool", "search", "--sync", "--onlyvisible", "--name", title],
                         capture_output=True, text=True, timeout=20).stdout.split()[0]
    subprocess.run(["xdotool", "mousemove", "--window", wid, "20", "20"], check=True)
    subprocess.run(["xdotool", "windowfocus", "--sync", wid], check=True)


def launch(launcher, text):
    """Types a list into the launcher's box and presses « LANCER », by the keyboard."""
    box = find(launcher, lambda a: a.getRoleName() == "combo box")
    click(box)
    keys("ctrl+a")
    typed(text)
    keys("shift+Tab", "shift+Tab")  # Quitter, then LANCER
    until("the focus on LANCER", lambda: (focused(launcher) or launcher).name == "LANCER")
    keys("Return")


def main(binary):
    work = tempfile.mkdtemp()
    os.chdir(work)
    os.environ["XDG_DATA_HOME"] = os.path.join(work, "share")
    with open("mes mots.txt", "w", encoding="utf-8") as out:
        out.write(WORDS)
    listened = ["object:property-change:accessible-name",
                "object:property-change:accessible-description",
                "object:state-changed:showing", "object:text-changed", "focus:"]
    pyatspi.Registry.registerEventListener(on_event, *listened)
    program = subprocess.Popen([binary], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        play(work)
    finally:
        program.kill()


def play(work):
    launcher = until("the launcher in the tree", lambda: window("Bienvenue :o)"))
    focus_window("^Bienvenue")
    browse = named(launcher, "Parcourir…", "push button")
    if browse is None or browse.description != "Choisir un fichier de liste":
        fail("« Parcourir… » has no name or description")
    ok("the launcher is read: LANCER, Quitter, « Parcourir… »")

    # A list that cannot be read: its message is an alert, and it is told.
    mark = len(heard)
    launch(launcher, "absent.txt")
    said = "Impossible d'ouvrir la liste « absent.txt » : ce fichier n'existe pas."
    alert = until("the launcher's message", lambda: find(
        launcher, lambda a: a.getRoleName() == "alert" and showing(a) and a.name == said))
    until("the message told as it appears",
          lambda: heard_since(mark, "object:state-changed:showing", re.escape(said), "alert"))
    ok("the launcher's message is an alert, told as it appears: " + alert.name)

    # The plain word list: the word left out is told in an alert of its own.
    launch(launcher, os.path.join(work, "mes mots.txt"))
    box = until("the words left out", lambda: find(
        application(), lambda a: a.getRoleName() == "alert" and a.name == "Mots laissés de côté"))
    text = named(box, r"1 mot laissé de côté : .*", "label")
    if text is None or "ligne 7, « l'eau » n'est pas un mot" not in text.name:
        fail("the words left out are not told: %r" % (text and text.name))
    added = ("3 mots du lexique ont les lettres de vos mots ; ils sont demandés aussi : "
             "OUVREE, CHINE, BARRE.")
    if added not in text.name.splitlines():
        fail("the words the lexicon adds are not told: %r" % text.name)
    ok("the word left out and the words added are told: " + " / ".join(text.name.splitlines()))
    keys("Return")  # « Commencer »

    screen = until("the training screen", lambda: window(
        "ENTRAINEMENT SCRABBLE - Lettres Chères"))
    focus_window("^ENTRAINEMENT")
    first_series(screen)
    second_series(screen)


def answer_boxes(screen):
    return [named(screen, "Réponse %d" % (i + 1), "text") for i in range(5)]


def first_series(screen):
    boxes = answer_boxes(screen)
    shown = {}
    told = {}
    for i, box in enumerate(boxes):
        match = re.fullmatch(r"Tirage : ([^,]*)(, \d+ mots)?", box.description)
        if match:
            shown[i] = match.group(1)
            told[i] = box.description
    if sorted(shown.values()) != sorted(DRAWS):
        fail("the draws read are %s, not those of the words" % sorted(shown.values()))
    if "Tirage : CEHIN, 3 mots" not in told.values():
        fail("the draw of two words is not told with its count: %s" % sorted(told.values()))
    ok("each answer box tells its draw: " + ", ".join(told[i] for i in sorted(told)))
    until("the focus in the first answer box", lambda: has_focus(boxes[0]))
    draw = shown[0]
    if rack(screen) != draw.replace("+", ""):
        fail("the tiles read %r for the draw %s" % (tiles(screen), draw))
    ok("the tiles read " + ", ".join(tiles(screen)[:len(draw.replace("+", ""))]))

    # Two tiles exchanged with the mouse: the rack reads as it stands.
    by_place = sorted(pyatspi.findAllDescendants(
        screen, lambda a: a is not None and re.fullmatch(r"Lettre \d : .*", a.name or "")),
        key=lambda t: int(t.name.split()[1]))
    mark = len(heard)
    click(by_place[0])
    click(by_place[1])
    letters = draw.replace("+", "")
    exchanged = letters[1] + letters[0] + letters[2:]
    until("the tiles after an exchange", lambda: rack(screen) == exchanged)
    until("the exchange told",
          lambda: heard_since(mark, "object:property-change:accessible-name", r"Lettre [12] : "))
    ok("after an exchange the tiles read " + ", ".join(tiles(screen)[:2]))

    # The clocks are read, and their ticks are not told.
    clock = named(screen, r"Temps restant de la série : \d:\d\d", "label")
    total = named(screen, r"Temps total : \d:\d\d:\d\d", "label")
    if clock is None or total is None:
        fail("the clocks are not read with their time")
    mark = len(heard)
    pump(2.5)
    ticks = heard_since(mark, "object:", r"^Temps (restant|total)")
    if ticks:
        fail("the clocks are told each second: %s" % ticks[:3])
    ok("the clocks read « %s », « %s », and are not told each second" % (clock.name, total.name))

    # Every draw answered, with the keyboard; two of them wrong.
    click(boxes[0])
    for i in sorted(shown):
        until("the focus in answer box %d" % (i + 1), lambda: has_focus(boxes[i]))
        if DRAWS[shown[i]]:
            typed(DRAWS[shown[i]].lower())
        keys("Return")
    mark = len(heard)
    keys("F12")
    until("the results", lambda: all(b.description != told[i]
                                     for i, b in enumerate(boxes) if i in shown))
    for i in sorted(shown):
        expected = RESULTS.get(shown[i], "Juste")
        if boxes[i].description != expected:
            fail("answer box %d says %r" % (i + 1, boxes[i].description))
    ok("after F12: " + ", ".join(boxes[i].description for i in sorted(shown)))
    score = until("the score", lambda: named(screen, r"Score de la série : 3/5 · 5/9 mots",
                                             "label"))
    for said in (r"^Score de la série : 3/5 · 5/9 mots$", r"^Temps utilisé : \d:\d\d$"):
        until("%s told" % said,
              lambda: heard_since(mark, "object:property-change:accessible-name", said))
    until("the results told",
          lambda: len(heard_since(mark, "object:property-change:accessible-description",
                                  r"^Réponse \d$")) >= len(shown))
    ok("the score and the time used are told: " + score.name)

    # The word sheet of the box with the focus, read and told.
    cehin = next(boxes[i] for i in shown if shown[i] == "CEHIN")
    mark = len(heard)
    click(cehin)
    sheet = until("the word sheet of CEHIN", lambda: named(
        screen, r"Fiche des mots : CHIEN : rallonges devant : aucune ; derrière : S T\..*",
        "text"))
    for said in ("+ E : CHINEE, ECHINE, NICHEE", "CHIOX n'est pas dans le lexique"):
        if said not in sheet.name:
            fail("the word sheet lacks %r: %r" % (said, sheet.name))
    until("the word sheet told", lambda: heard_since(
        mark, "object:property-change:accessible-name", r"^Fiche des mots : CHIEN"))
    ok("the word sheet is read and told: " + sheet.name[:90] + "…")


def second_series(screen):
    keys("F8")
    boxes = answer_boxes(screen)
    draws = {"Tirage : ABERR, 2 mots", "Tirage : CEHIN, 3 mots"}
    until("the draws left", lambda: {boxes[0].description, boxes[1].description} == draws)
    arbre, chien = (boxes[:2] if boxes[0].description == "Tirage : ABERR, 2 mots"
                    else boxes[1::-1])
    ok("the next series tells its draws: %s, %s" % (boxes[0].description, boxes[1].description))

    # The pause is told, by its button's name.
    pause = named(screen, "Pause", "push button")
    if pause is None:
        fail("no « Pause » button read")
    mark = len(heard)
    click(pause)
    until("the pause told", lambda: heard_since(
        mark, "object:property-change:accessible-name", "^(?!Pause$).+", "push button"))
    resumed = heard_since(mark, "object:property-change:accessible-name", ".", "push button")
    ok("the pause is told: « %s »" % resumed[-1][1])
    click(pause)
    until("the pause ends", lambda: pause.name == "Pause")

    # Under the seconds criterion, leaving a box judges it: the light is told.
    click(named(screen, "Changer critère", "push button"))
    threshold = until("the seconds criterion",
                      lambda: named(screen, "Seuil d'élimination", "text"))
    click(threshold)
    keys("ctrl+a")
    typed("60")
    click(arbre)
    until("the focus in the box of ABERR", lambda: has_focus(arbre))
    typed("barre arbre")
    mark = len(heard)
    keys("Return")
    until("the judging light told", lambda: heard_since(
        mark, "object:property-change:accessible-name", r"^Jugement : OK$"))
    ok("leaving the box, the judging light is told: « Jugement : OK »")
    # The two words in another order than the file's.
    click(chien)
    until("the focus in the box of CEHIN", lambda: has_focus(chien))
    typed("niche chien chine")
    keys("Return")
    mark = len(heard)
    keys("F12")
    until("the results", lambda: arbre.description == "Juste" and chien.description == "Juste")
    bravo = [" ", "B", "R", "A", "V", "O", "!", " ", " "]
    until("BRAVO on the tiles", lambda: rack(screen) == "".join(bravo).rstrip())
    until("BRAVO told", lambda: heard_since(
        mark, "object:property-change:accessible-name", r"^Lettre 7 : !$"))
    left = named(screen, "Mots restants", "text")
    if left is None or value_of(left) != "0":
        fail("the words left do not read 0")
    ok("the end of the list is read and told: %s; « Mots restants » %s"
       % (", ".join(tiles(screen)[1:7]), value_of(left)))


if __name__ == "__main__":
    main(os.path.realpath(sys.argv[1]))
