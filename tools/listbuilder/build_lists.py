#!/usr/bin/python3
"""Builds the 17 word lists of tirages.

From the Grammalecte French lexicon (Debian package python3-grammalecte), or
from a lexicon in TSV form (form, lemma, tags), it writes the list files the
trainer reads: one line a word, "draw;solution", in Windows-1252 with CR LF
line ends. Each draw is a set of letters, with a line for every playable form
the lexicon makes of exactly those letters. With --words, every list is
restricted to the words of a player's own word list. Beside the lists it
writes the lexicon itself (LEXICON_FILE), every playable form, for the trainer
to complete a player's word lists and to show a word's hooks.

The same inputs always give the same bytes.
"""

import argparse
import hashlib
import os
import re
import sys
import tempfile
import unicodedata
from collections import defaultdict

MAX_ENTRIES = 10000  # draws of a list
LEXICON_FILE = "lexique.lex"
LEXICON_HEADER = "tirages-lexique 1"
LONGEST_LEXICON_WORD = 32
RACK = 7  # letters of a rack; longer words get board letters after a "+"
EXPENSIVE = set("JKQWXYZ")

# (file name, name on the launcher), in the launcher's order.
LISTS = [
    ("2-4l_tir.txt", "2 à 4 lettres"),
    ("5l_tir.txt", "5 lettres"),
    ("6l_tir_a.txt", "6 lettres - Série A"),
    ("6l_tir_b.txt", "6 lettres - Série B"),
    ("6l_tir_c.txt", "6 lettres - Série C"),
    ("7l_tir_a.txt", "7 lettres - Série A"),
    ("7l_tir_b.txt", "7 lettres - Série B"),
    ("7l_tir_c.txt", "7 lettres - Série C"),
    ("8l_tir_a.txt", "8 lettres - Série A"),
    ("8l_tir_b.txt", "8 lettres - Série B"),
    ("8l_tir_c.txt", "8 lettres - Série C"),
    ("2-6lc_tir.txt", "2 à 6l avec lettre chère"),
    ("7-8lc_tir.txt", "7 et 8l avec lettre chère"),
    ("vbi_tir.txt", "Verbes intransitifs (<10l)"),
    ("vbt_tir.txt", "Verbes transitifs (<10l)"),
    ("inv_tir.txt", "Mots invariables"),
    ("9l_tir.txt", "9 lettres"),
]

_LIGATURES = {"Œ": "OE", "œ": "OE", "Æ": "AE", "æ": "AE"}
_SCRABBLE_WORD = re.compile(r"[A-Z]+")
_VERB_FLAGS = re.compile(r":V[0123][ea_]([a-z_]+)")
_INVARIABLE = re.compile(r":(?:W|J|R|Rv|C|Cc|Cs)(?=[:;/]|$)")
_NOT_A_WORD = re.compile(r":(?:M1|M2|MP|Zp|Zs|H|É|L)")


class InputError(Exception):
    """An input that cannot be read; the message is for the player."""


# ---------------------------------------------------------------- word forms

def fold(text):
    """The Scrabble spelling of a word: capitals A to Z, accents dropped,
    Œ as OE and Æ as AE; None when the word cannot be played (hyphen,
    apostrophe, space, digit, a capital initial...)."""
    if not text or text[0].isupper():
        return None
    for ligature, letters in _LIGATURES.items():
        text = text.replace(ligature, letters)
    decomposed = unicodedata.normalize("NFD", text)
    bare = "".join(c for c in decomposed if unicodedata.category(c) != "Mn")
    word = bare.upper()
    return word if _SCRABBLE_WORD.fullmatch(word) else None


def fold_player_word(text):
    """Like fold, for a word a player typed: any case is accepted."""
    text = text.strip()
    return fold(text.lower()) if text else None


def _digest(*parts):
    return hashlib.sha256(":".join(parts).encode("utf-8")).digest()


def draw_of(word):
    """The letters shown for a word: its letters in alphabetical order; past
    seven letters, a rack of seven, "+", and the letters on the board. The
    board letters are picked by a hash of the word, so that the same word
    always gets the same draw. The words of one set of letters share the draw
    of the first of them in alphabetical order (draw_of_words)."""
    letters = sorted(word)
    if len(letters) <= RACK:
        return "".join(letters)
    seed = int.from_bytes(_digest("board", word), "big")
    board = []
    for _ in range(len(letters) - RACK):
        seed, pick = divmod(seed, len(letters))
        board.append(letters.pop(pick))
    return "".join(letters) + "+" + "".join(sorted(board))


def draw_of_words(words):
    """The one draw of words made of the same letters."""
    return draw_of(min(words))


def anagram_key(word):
    return "".join(sorted(word))


# ---------------------------------------------------------------- lexicon

def grammalecte_entries():
    """(form, lemma, tags) for every form of the Grammalecte lexicon."""
    try:
        from grammalecte.graphspell.ibdawg import IBDAWG
    except ImportError as error:
        raise InputError(
            "Le lexique Grammalecte est introuvable : installez le paquet "
            "python3-grammalecte (" + str(error) + ").")
    lexicon = IBDAWG("fr-allvars.json")
    for form, lemma, tags in lexicon.select():
        yield form, lemma, tags


def tsv_entries(path):
    """(form, lemma, tags) from a UTF-8 file of tab-separated lines."""
    try:
        with open(path, encoding="utf-8") as source:
            for line in source:
                fields = line.rstrip("\n").split("\t")
                if len(fields) >= 3:
                    yield fields[0], fields[1], fields[2]
    except (OSError, UnicodeDecodeError) as error:
        raise InputError("Impossible de lire le lexique « %s » : %s" % (path, error))


class Lexicon:
    """What the lists need of a lexicon: every playable form, for the anagram
    check, and the headwords with their classes."""

    def __init__(self, entries):
        self.forms_by_key = defaultdict(set)
        self.classes = defaultdict(set)  # headword -> {"noun", "verb_t", ...}
        for form, lemma, tags in entries:
            tags = tags.split("/")[0]
            if _NOT_A_WORD.search(tags):
                continue
            word = fold(form)
            if word is None:
                continue
            self.forms_by_key[anagram_key(word)].add(word)
            if form == lemma:
                self.classes[word].update(classes_of(tags))

    def forms_of(self, key):
        """Every playable form made of exactly these letters."""
        return self.forms_by_key.get(key, set())

    def words(self):
        """Every playable form, in alphabetical order."""
        return sorted(w for forms in self.forms_by_key.values() for w in forms)

    def replace_forms(self, words):
        """The playable forms become exactly `words` (a player's lexicon): a
        headword it lacks is no longer one, and each of its words is a
        headword, of the classes Grammalecte gives it if any."""
        self.forms_by_key = defaultdict(set)
        for word in words:
            self.forms_by_key[anagram_key(word)].add(word)
        self.classes = {w: self.classes.get(w, set()) | {"word"} for w in words}


def classes_of(tags):
    """The classes a headword's tags put it in, besides being a word: a verb
    with a direct object ("verb_t"); a verb whose past participle never
    agrees, used without a direct object and not only in the pronominal form
    ("verb_i"); an invariable word (adverb, preposition, conjunction,
    interjection).

    A verb's flags read: intransitive "i", direct transitive "t", indirect
    transitive "n", then the pronominal use ("p" for a verb that is only
    pronominal), then impersonal use and auxiliaries."""
    tags = tags.split(";")[0]  # what follows ";" is a usage note
    found = {"word"}
    flags = _VERB_FLAGS.search(tags)
    if flags and ":Y" in tags:
        verb = flags.group(1).ljust(4, "_")
        if verb[1] == "t":
            found.add("verb_t")
        elif (verb[0] == "i" or verb[2] == "n") and verb[3] != "p":
            found.add("verb_i")
    if _INVARIABLE.search(tags):
        found.add("invariable")
    return found


# ---------------------------------------------------------------- lists

def _spread(draws, list_name):
    """A stable order that mixes the alphabet: by a hash of each draw's first
    headword, so that a draw of one word keeps its place of old."""
    return sorted(draws, key=lambda d: _digest(list_name, d[0]))


def _take(draws):
    return draws[:MAX_ENTRIES]


def build(lexicon, player_words=None):
    """The 17 lists, as {file name: [(first headword, [words]) in order]}: a
    draw for each set of letters a headword of the list is made of, once, with
    every form of those letters (and the player's words of those letters)."""
    if player_words is None:
        candidates = dict(lexicon.classes)
    else:
        candidates = {w: lexicon.classes.get(w, set()) for w in player_words}
    by_key = defaultdict(set)
    for word in player_words or ():
        by_key[anagram_key(word)].add(word)

    def select(test):
        firsts = {}
        for word in sorted(candidates):
            if test(word, candidates[word]):
                firsts.setdefault(anagram_key(word), word)
        return [(first, sorted(lexicon.forms_of(key) | by_key[key] | {first}))
                for key, first in firsts.items()]

    lists = {}
    lists["2-4l_tir.txt"] = _take(_spread(select(lambda w, c: 2 <= len(w) <= 4), "2-4"))
    lists["5l_tir.txt"] = _take(_spread(select(lambda w, c: len(w) == 5), "5"))
    lists["9l_tir.txt"] = _take(_spread(select(lambda w, c: len(w) == 9), "9"))
    for length in (6, 7, 8):
        draws = _spread(select(lambda w, c, n=length: len(w) == n), str(length))
        third, extra_one = divmod(len(draws), 3)
        start = 0
        for index, series in enumerate("abc"):
            size = third + (1 if index < extra_one else 0)
            lists["%dl_tir_%s.txt" % (length, series)] = _take(draws[start:start + size])
            start += size
    lists["2-6lc_tir.txt"] = _take(_spread(select(
        lambda w, c: 2 <= len(w) <= 6 and EXPENSIVE & set(w)), "2-6lc"))
    lists["7-8lc_tir.txt"] = _take(_spread(select(
        lambda w, c: 7 <= len(w) <= 8 and EXPENSIVE & set(w)), "7-8lc"))
    lists["vbi_tir.txt"] = _take(_spread(select(
        lambda w, c: len(w) < 10 and "verb_i" in c and "verb_t" not in c), "vbi"))
    lists["vbt_tir.txt"] = _take(_spread(select(
        lambda w, c: len(w) < 10 and "verb_t" in c), "vbt"))
    lists["inv_tir.txt"] = _take(_spread(select(
        lambda w, c: len(w) <= 9 and "invariable" in c), "inv"))
    return lists


def words_of(draws):
    """Every word of a list's draws."""
    return [word for _, words in draws for word in words]


def list_bytes(draws):
    return b"".join((draw_of_words(words) + ";" + word + "\r\n").encode("cp1252")
                    for _, words in draws for word in words)


def lexicon_bytes(words):
    """The lexicon as the trainer reads it: a header line, then the words in
    alphabetical order, each on a line of its own that starts with one
    character, chr(48 + n), saying it shares its first n letters with the
    word before, followed by the rest of the word. ASCII, LF line ends."""
    lines, previous = [LEXICON_HEADER], ""
    for word in words:
        shared = 0
        while shared < min(len(word), len(previous)) and word[shared] == previous[shared]:
            shared += 1
        lines.append(chr(48 + shared) + word[shared:])
        previous = word
    return ("\n".join(lines) + "\n").encode("ascii")


def write_lists(lists, folder, lexicon_words=()):
    """Writes every list and the lexicon into folder, all or nothing."""
    os.makedirs(folder, exist_ok=True)
    staged = tempfile.mkdtemp(prefix=".tirages-", dir=folder)
    files = [name for name, _ in LISTS] + [LEXICON_FILE]
    try:
        for name, _ in LISTS:
            with open(os.path.join(staged, name), "wb") as out:
                out.write(list_bytes(lists[name]))
        with open(os.path.join(staged, LEXICON_FILE), "wb") as out:
            out.write(lexicon_bytes(lexicon_words))
        for name in files:
            os.replace(os.path.join(staged, name), os.path.join(folder, name))
    finally:
        for leftover in os.listdir(staged):
            os.remove(os.path.join(staged, leftover))
        os.rmdir(staged)


# ---------------------------------------------------------------- player's words

def read_player_words(path, longest=9, what="la liste de mots"):
    """The words of a player's list, folded, and what was skipped with why;
    words of 2 to `longest` letters are kept."""
    if os.path.isdir(path):
        raise InputError("« %s » est un dossier, pas une liste de mots." % path)
    try:
        with open(path, "rb") as source:
            raw = source.read()
    except OSError as error:
        raise InputError("Impossible de lire %s « %s » : %s."
                         % (what, path, error.strerror or error))
    try:
        text = raw.decode("utf-8-sig")
    except UnicodeDecodeError:
        text = raw.decode("cp1252", errors="replace")
    words, skipped, seen = [], [], set()
    for number, line in enumerate(text.splitlines(), start=1):
        if not line.strip():
            continue
        word = fold_player_word(line)
        if word is None:
            skipped.append((number, line.strip(), "pas un mot jouable"))
        elif len(word) < 2 or len(word) > longest:
            skipped.append((number, line.strip(),
                            "longueur hors des listes (2 à %d lettres)" % longest))
        elif word in seen:
            skipped.append((number, line.strip(), "en double"))
        else:
            seen.add(word)
            words.append(word)
    return words, skipped


# ---------------------------------------------------------------- command line

DESCRIPTION = """\
Écrit les 17 listes de tirages dans un dossier, depuis le lexique Grammalecte
(paquet python3-grammalecte), et le lexique lui-même (lexique.lex), que tirages
lit pour compléter vos listes de mots et montrer les rallonges d'un mot.
Avec --words, chaque liste ne garde que les mots de votre propre liste de mots ;
avec --lexique, les listes et le lexique écrit ne gardent que les mots de votre
lexique. Ces fichiers ont un mot par ligne, en UTF-8 ou en Windows-1252, en
majuscules ou en minuscules, accents permis."""

EPILOG = """\
exemples :
  %(prog)s ~/mes-listes --words nouveaux-mots.txt
      écrit les 17 listes de vos mots dans ~/mes-listes ; tapez ensuite dans
      la liste du lanceur le chemin d'un fichier, par exemple
      ~/mes-listes/7l_tir_a.txt, ou choisissez-le avec « Parcourir… ».
  %(prog)s ~/scrabble/data --words nouveaux-mots.txt
      lancé depuis ~/scrabble, tirages ouvre alors vos listes sous leurs noms
      (« 5 lettres », « 9 lettres »…).
  %(prog)s ~/mes-listes --lexique liste-officielle.txt
      les 17 listes et le lexique, avec les seuls mots de votre liste
      officielle.

Une liste de mots (un mot par ligne, sans « ; ») s'ouvre aussi telle quelle
dans tirages, sans passer par cette commande."""

# What argparse itself says, in French.
_ARGPARSE_FRENCH = [
    (re.compile(r"the following arguments are required: (.*)"),
     r"il manque : \1"),
    (re.compile(r"unrecognized arguments: (.*)"), r"arguments inconnus : \1"),
    (re.compile(r"argument (\S+): expected one argument"), r"l'option \1 attend une valeur"),
    (re.compile(r"ambiguous option: (\S+) could match (.*)"),
     r"l'option \1 est ambiguë (\2)"),
]


class _FrenchHelp(argparse.RawDescriptionHelpFormatter):
    def add_usage(self, usage, actions, groups, prefix=None):
        return super().add_usage(usage, actions, groups, prefix or "utilisation : ")

    def start_section(self, heading):
        super().start_section(heading + " ")  # « options : », as French sets it


class _FrenchParser(argparse.ArgumentParser):
    def error(self, message):
        for pattern, french in _ARGPARSE_FRENCH:
            message = pattern.sub(french, message)
        self.print_usage(sys.stderr)
        self.exit(2, "%s : erreur : %s\n" % (self.prog, message))


def _parser():
    parser = _FrenchParser(prog=os.path.basename(sys.argv[0]) or "tirages-listes",
                           description=DESCRIPTION, epilog=EPILOG,
                           formatter_class=_FrenchHelp, add_help=False)
    arguments = parser.add_argument_group("arguments")
    arguments.add_argument("output", metavar="DOSSIER",
                           help="dossier où écrire les 17 listes (créé s'il n'existe pas)")
    options = parser.add_argument_group("options")
    options.add_argument("-h", "--help", action="help", help="affiche cette aide et quitte")
    options.add_argument("--words", metavar="FICHIER",
                         help="votre liste de mots, un mot par ligne")
    options.add_argument("--lexique", metavar="FICHIER",
                         help="votre lexique, un mot par ligne (la liste officielle de votre"
                         " fédération, par exemple) : les listes et le lexique écrit n'ont"
                         " que ses mots")
    options.add_argument("--lexicon-tsv", metavar="FICHIER",
                         help="un autre lexique, en lignes forme<TAB>lemme<TAB>étiquettes"
                         " (par défaut : le lexique Grammalecte)")
    return parser


def counted(count, noun):
    """« 1 tirage », « 0 tirage », « 2 tirages »: French puts 0 and 1 in the singular."""
    return "%d %s%s" % (count, noun, "s" if count > 1 else "")


def main(argv=None):
    args = _parser().parse_args(argv)
    try:
        player_words, skipped = (read_player_words(args.words) if args.words
                                 else (None, []))
        ignored_in_lexicon = 0
        entries = (tsv_entries(args.lexicon_tsv) if args.lexicon_tsv
                   else grammalecte_entries())
        lexicon = Lexicon(entries)
        if args.lexique:
            lexicon_words, lexicon_skipped = read_player_words(
                args.lexique, LONGEST_LEXICON_WORD, "le lexique")
            if not lexicon_words:
                raise InputError("Le lexique « %s » n'a aucun mot." % args.lexique)
            lexicon.replace_forms(lexicon_words)
            ignored_in_lexicon = len(lexicon_skipped)
        lists = build(lexicon, player_words)
        write_lists(lists, args.output, lexicon.words())
    except InputError as error:
        print("Erreur : %s" % error, file=sys.stderr)
        return 1
    except OSError as error:
        print("Erreur : impossible d'écrire les listes dans « %s » : %s."
              % (args.output, error.strerror or error), file=sys.stderr)
        return 1
    for name, title in LISTS:
        print("%-16s %13s %11s  %s" % (name, counted(len(lists[name]), "tirage"),
                                       counted(len(words_of(lists[name])), "mot"), title))
    print("%-16s %25s  le lexique" % (LEXICON_FILE, counted(len(lexicon.words()), "mot")))
    for number, line, why in skipped:
        print("ignoré, ligne %d : %s (%s)" % (number, line, why))
    if ignored_in_lexicon:
        print("lexique : %s ignorée(s) (pas un mot jouable, en double ou trop long)"
              % counted(ignored_in_lexicon, "ligne"))
    return 0


if __name__ == "__main__":
    sys.exit(main())
