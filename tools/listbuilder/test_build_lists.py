"""Tests of the list builder, on a small fixture lexicon."""

import io
import os
import re
import tempfile
import unittest
from contextlib import redirect_stderr, redirect_stdout

import build_lists as bl

HERE = os.path.dirname(os.path.abspath(__file__))
FIXTURE = os.path.join(HERE, "fixtures", "lexicon.tsv")


def fixture_lexicon():
    return bl.Lexicon(bl.tsv_entries(FIXTURE))


def words(lists, name):
    return sorted(bl.words_of(lists[name]))


def everything(lists):
    return {w for draws in lists.values() for w in bl.words_of(draws)}


def run(*args):
    out, err = io.StringIO(), io.StringIO()
    with redirect_stdout(out), redirect_stderr(err):
        code = bl.main(list(args))
    return code, out.getvalue(), err.getvalue()


class Folding(unittest.TestCase):
    def test_scrabble_spelling(self):
        cases = {
            "zèbre": "ZEBRE", "œuvre": "OEUVRE", "cæcum": "CAECUM", "écart": "ECART",
            "naïf": "NAIF", "garçon": "GARCON", "porte-clé": None, "aujourd’hui": None,
            "aujourd'hui": None, "Paris": None, "pomme de terre": None, "b2b": None,
            "": None,
        }
        for text, word in cases.items():
            self.assertEqual(bl.fold(text), word, text)

    def test_player_words_take_any_case(self):
        self.assertEqual(bl.fold_player_word("  Zèbre \n"), "ZEBRE")
        self.assertEqual(bl.fold_player_word("ŒUVRE"), "OEUVRE")
        self.assertIsNone(bl.fold_player_word("porte-clé"))


class Draws(unittest.TestCase):
    def test_short_words_show_their_letters_in_order(self):
        self.assertEqual(bl.draw_of("ARBRE"), "ABERR")
        self.assertEqual(bl.draw_of("ZEBRE"), "BEERZ")
        self.assertEqual(bl.draw_of("SAPEURS"), "AEPRSSU")

    def test_long_words_get_a_rack_of_seven_and_board_letters(self):
        for word in ("SABOTAGE", "TABOURET", "BOUTEILLE", "AAAAAAAAB"):
            draw = bl.draw_of(word)
            rack, board = draw.split("+")
            self.assertEqual(len(rack), 7, word)
            self.assertEqual(len(board), len(word) - 7, word)
            self.assertEqual(list(rack), sorted(rack))
            self.assertEqual(list(board), sorted(board))
            self.assertEqual(sorted(rack + board), sorted(word))
            self.assertEqual(bl.draw_of(word), draw)  # always the same

    def test_board_letters_vary_between_words(self):
        boards = {bl.draw_of(w).split("+")[1] for w in
                  ("SABOTAGE", "TABOURET", "ABRICOTS", "BOULETTE", "MARMITES", "PLANCHER")}
        self.assertGreater(len(boards), 2)


class SeveralWords(unittest.TestCase):
    def test_a_draw_holds_every_form_of_its_letters(self):
        lists = bl.build(fixture_lexicon())
        # CHIEN and NICHE are both headwords: one draw; ECART shares its
        # letters with TRACE, a form of TRACER, which joins its draw.
        self.assertIn(("CHIEN", ["CHIEN", "NICHE"]), lists["5l_tir.txt"])
        self.assertIn(("ECART", ["ECART", "TRACE"]), lists["5l_tir.txt"])
        self.assertIn("TRACER", everything(lists))

    def test_words_of_one_draw_share_it_past_seven_letters(self):
        lexicon = bl.Lexicon([("sabotage", "sabotage", ":N:m:s/*"),
                              ("abotages", "abotages", ":N:m:s/*")])
        self.assertNotEqual(bl.draw_of("ABOTAGES"), bl.draw_of("SABOTAGE"))
        draws = sum((bl.build(lexicon)["8l_tir_%s.txt" % s] for s in "abc"), [])
        self.assertEqual(draws, [("ABOTAGES", ["ABOTAGES", "SABOTAGE"])])
        self.assertEqual(bl.list_bytes(draws).decode("cp1252").split("\r\n"),
                         [bl.draw_of("ABOTAGES") + ";ABOTAGES",
                          bl.draw_of("ABOTAGES") + ";SABOTAGE", ""])

    def test_unplayable_and_non_headwords_are_left_out(self):
        listed = everything(bl.build(fixture_lexicon()))
        for gone in ("PORTECLE", "PARIS", "ANTI", "CHATS", "NAGEA", "ZEBRES"):
            self.assertNotIn(gone, listed)


class Files(unittest.TestCase):
    def test_files_are_windows_1252_with_cr_lf(self):
        with tempfile.TemporaryDirectory() as folder:
            code, out, _ = run(folder, "--lexicon-tsv", FIXTURE)
            self.assertEqual(code, 0)
            self.assertEqual(sorted(os.listdir(folder)),
                             sorted([n for n, _ in bl.LISTS] + [bl.LEXICON_FILE]))
            with open(os.path.join(folder, "5l_tir.txt"), "rb") as f:
                data = f.read()
            self.assertTrue(data.endswith(b"\r\n"))
            for line in data.split(b"\r\n")[:-1]:
                self.assertRegex(line.decode("cp1252"), r"^[A-Z+]+;[A-Z]+$")
            self.assertIn("5l_tir.txt", out)

    def test_same_inputs_give_the_same_bytes(self):
        with tempfile.TemporaryDirectory() as a, tempfile.TemporaryDirectory() as b:
            run(a, "--lexicon-tsv", FIXTURE)
            run(b, "--lexicon-tsv", FIXTURE)
            for name in [n for n, _ in bl.LISTS] + [bl.LEXICON_FILE]:
                with open(os.path.join(a, name), "rb") as x, open(os.path.join(b, name), "rb") as y:
                    self.assertEqual(x.read(), y.read(), name)


class LexiconFile(unittest.TestCase):
    def test_each_word_says_what_it_shares_with_the_one_before(self):
        self.assertEqual(bl.lexicon_bytes(["CHIEN", "CHIENS", "CHINE", "NICHE"]),
                         b"tirages-lexique 1\n0CHIEN\n5S\n3NE\n0NICHE\n")
        self.assertIn("ZEBRES", fixture_lexicon().words())  # forms, not only headwords


class PlayerWords(unittest.TestCase):
    def build_from(self, content, encoding="utf-8"):
        folder = tempfile.mkdtemp()
        words = os.path.join(folder, "mots.txt")
        with open(words, "wb") as f:
            f.write(content.encode(encoding))
        out_dir = os.path.join(folder, "listes")
        code, out, err = run(out_dir, "--lexicon-tsv", FIXTURE, "--words", words)
        return code, out, err, out_dir

    def read_list(self, folder, name):
        with open(os.path.join(folder, name), "rb") as f:
            return [line.split(";")[1] for line in f.read().decode("cp1252").split("\r\n") if line]

    def test_lists_hold_only_the_players_words(self):
        code, out, _, folder = self.build_from(
            "Zèbre\nnager\nchien\nSCHMILBLIC\nporte-clé\nzèbre\n\nabcdefghijk\n")
        self.assertEqual(code, 0)
        # CHIEN brings NICHE, the lexicon's other form of its letters.
        self.assertEqual(sorted(self.read_list(folder, "5l_tir.txt")),
                         ["CHIEN", "NAGER", "NICHE", "ZEBRE"])
        self.assertEqual(self.read_list(folder, "vbt_tir.txt"), ["NAGER"])
        self.assertEqual(self.read_list(folder, "2-6lc_tir.txt"), ["ZEBRE"])
        self.assertEqual(self.read_list(folder, "2-4l_tir.txt"), [])
        # Ten letters or more: no list to land in.
        self.assertIn("SCHMILBLIC (longueur hors des listes", out)
        self.assertIn("porte-clé", out)
        self.assertIn("en double", out)
        self.assertNotIn("CHIEN", out)
        self.assertRegex(out, r"5l_tir\.txt\s+3 tirages\s+4 mots")
        self.assertRegex(out, r"vbt_tir\.txt\s+1 tirage\s+1 mot ")

    def test_players_words_of_the_same_letters_share_a_draw(self):
        code, _, _, folder = self.build_from("carte\nniche\nchien\n")
        self.assertEqual(code, 0)
        with open(os.path.join(folder, "5l_tir.txt"), "rb") as f:
            lines = sorted(f.read().decode("cp1252").split("\r\n")[:-1])
        self.assertEqual(lines, ["ACERT;CARTE", "ACERT;ECART", "ACERT;TRACE",
                                 "CEHIN;CHIEN", "CEHIN;NICHE"])

    def test_unknown_words_go_by_length(self):
        code, _, _, folder = self.build_from("schmilbl\nwxyz\n")
        self.assertEqual(code, 0)
        eights = sum((self.read_list(folder, "8l_tir_%s.txt" % s) for s in "abc"), [])
        self.assertEqual(eights, ["SCHMILBL"])
        self.assertEqual(self.read_list(folder, "2-4l_tir.txt"), ["WXYZ"])
        self.assertEqual(self.read_list(folder, "2-6lc_tir.txt"), ["WXYZ"])
        self.assertEqual(self.read_list(folder, "vbt_tir.txt"), [])

    def test_a_players_lexicon_replaces_the_forms(self):
        folder = tempfile.mkdtemp()
        lexique = os.path.join(folder, "officiel.txt")
        with open(lexique, "wb") as f:
            f.write("chien\nNiché\ntrace\nporte-clé\nécart\n".encode("cp1252"))
        out_dir = os.path.join(folder, "listes")
        code, out, _ = run(out_dir, "--lexicon-tsv", FIXTURE, "--lexique", lexique)
        self.assertEqual(code, 0)
        self.assertEqual(sorted(self.read_list(out_dir, "5l_tir.txt")),
                         ["CHIEN", "ECART", "NICHE", "TRACE"])
        # Its words keep the classes Grammalecte gives them.
        self.assertEqual(self.read_list(out_dir, "vbt_tir.txt"), [])
        with open(os.path.join(out_dir, bl.LEXICON_FILE), "rb") as f:
            self.assertEqual(f.read(), bl.lexicon_bytes(["CHIEN", "ECART", "NICHE", "TRACE"]))
        self.assertIn("lexique : 1 ligne ignorée", out)
        empty = os.path.join(folder, "vide.txt")
        open(empty, "w").close()
        code, _, err = run(os.path.join(folder, "autre"), "--lexicon-tsv", FIXTURE,
                           "--lexique", empty)
        self.assertEqual((code, "n'a aucun mot" in err), (1, True))

    def test_windows_1252_input(self):
        code, _, _, folder = self.build_from("ZÈBRE\r\nCHAT\r\n", encoding="cp1252")
        self.assertEqual(code, 0)
        self.assertEqual(self.read_list(folder, "5l_tir.txt"), ["ZEBRE"])

    def test_unreadable_input_is_refused_and_nothing_written(self):
        folder = tempfile.mkdtemp()
        out_dir = os.path.join(folder, "listes")
        for words in (os.path.join(folder, "absent.txt"), folder):
            code, out, err = run(out_dir, "--lexicon-tsv", FIXTURE, "--words", words)
            self.assertEqual(code, 1)
            self.assertIn("Erreur", err)
            self.assertFalse(os.path.exists(out_dir))
        code, _, err = run(out_dir, "--lexicon-tsv", os.path.join(folder, "nope.tsv"))
        self.assertEqual(code, 1)
        self.assertIn("lexique", err)
        self.assertFalse(os.path.exists(out_dir))


class CommandLine(unittest.TestCase):
    def exits(self, *args):
        out, err = io.StringIO(), io.StringIO()
        with redirect_stdout(out), redirect_stderr(err), self.assertRaises(SystemExit) as done:
            bl.main(list(args))
        return done.exception.code, out.getvalue(), err.getvalue()

    def test_help_and_mistakes_are_in_french(self):
        code, out, _ = self.exits("--help")
        self.assertEqual(code, 0)
        for said in ("utilisation : ", "arguments :", "options :", "affiche cette aide",
                     "--words FICHIER", "exemples :", "python3-grammalecte"):
            self.assertIn(said, out)
        for args, said in (((), "il manque : DOSSIER"),
                           (("x", "--bogus"), "arguments inconnus : --bogus"),
                           (("x", "--words"), "l'option --words attend une valeur")):
            code, _, err = self.exits(*args)
            self.assertEqual(code, 2)
            self.assertIn("erreur : " + said, err)
            self.assertIn("utilisation : ", err)


if __name__ == "__main__":
    unittest.main()
