#!/usr/bin/python3
"""The letter-frequency script's reading rules on small made-up sources: the
language table it reads its alphabets from, what it counts of a word list
and of a hunspell dictionary, its upper-casing, and the table it writes."""

import importlib.util
import os
import re
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
spec = importlib.util.spec_from_file_location(
    "make_letter_frequencies", os.path.join(ROOT, "scripts", "make_letter_frequencies.py"))
script = importlib.util.module_from_spec(spec)
spec.loader.exec_module(script)


def write(folder, name, text, encoding="utf-8"):
    path = os.path.join(folder, name)
    with open(path, "w", encoding=encoding) as f:
        f.write(text)
    return path


class LanguageTable(unittest.TestCase):
    def test_reads_every_row_of_the_table(self):
        rows = script.read_alphabets()
        self.assertEqual([r[0] for r in rows],
                         ["en", "es", "fr", "de", "it", "pt", "nl", "pl", "tr", "sv", "el", "ru",
                          "uk"])
        alphabets = dict((code, alphabet) for code, alphabet, _ in rows)
        self.assertEqual(alphabets["en"], "ABCDEFGHIJKLMNOPQRSTUVWXYZ")
        self.assertIn("ẞ", alphabets["de"])
        self.assertEqual([code for code, _, dotted in rows if dotted], ["tr"])
        self.assertEqual(set(script.SOURCES), set(alphabets))


class Counting(unittest.TestCase):
    def test_word_list(self):
        with tempfile.TemporaryDirectory() as d:
            path = write(d, "words", "Don't\ndont\ncafé\nabc\nABC\nx-ray\n\n42\n")
            words = script.source_words(path, "utf-8", "wordlist")
        counts, counted, passed_over = script.count("ABCDNORTXY", False, words)
        # DONT and ABC once each, XRAY without its hyphen; café and 42 passed over.
        self.assertEqual((counted, passed_over), (3, 2))
        self.assertEqual(dict(zip("ABCDNORTXY", counts)),
                         dict(A=2, B=1, C=1, D=1, N=1, O=1, R=1, T=1, X=1, Y=1))

    def test_hunspell_stems_only_where_flags_are_used(self):
        with tempfile.TemporaryDirectory() as d:
            write(d, "ru.aff", "SET UTF-8\n")
            flagged = write(d, "ru.dic", "4\nкот/AB\nкоты\nЧПУ\nдом/C\tpo:noun\n")
            write(d, "el.aff", "SET ISO8859-7\n", "iso-8859-7")
            plain = write(d, "el.dic", "2\nλόγος\nάλφα\n", "iso-8859-7")
            self.assertEqual(script.hunspell_encoding(plain), "ISO8859-7")
            self.assertEqual(script.source_words(flagged, "utf-8", "hunspell"), ["кот", "дом"])
            self.assertEqual(script.source_words(plain, "ISO8859-7", "hunspell"),
                             ["λόγος", "άλφα"])

    def test_upper_casing_as_the_program_does(self):
        self.assertEqual(script.capital("i", True), "İ")
        self.assertEqual(script.capital("i", False), "I")
        self.assertEqual(script.capital("ı", False), "I")
        self.assertEqual(script.capital("ß", False), "ẞ")
        self.assertEqual(script.capital("ς", False), "Σ")
        self.assertEqual(script.capital("ΐ", False), "Ϊ")
        self.assertEqual(script.capital("ŉ", False), "ŉ")  # no one-letter capital: passed over
        counts, counted, _ = script.count("AİILNSTUB", True, ["istanbul"])
        self.assertEqual((counted, counts[1], counts[2]), (1, 1, 0))
        # NFC first: e + combining acute is the one letter É.
        self.assertEqual(script.count("CAFÉ", False, ["cafe\u0301"])[0], [1, 1, 1, 1])

    def test_rendered_table(self):
        text = script.render([dict(code="xx", alphabet="AB", counts=[3, 4], package="wxx",
                                   version="1.0-1", file="/usr/share/dict/xx",
                                   method="each distinct word once", words=5, passed_over=1)])
        self.assertIn("constexpr std::uint32_t k_xx[] = {\n    3, 4,\n};", text)
        self.assertRegex(text, re.compile(r'\{"xx", u"AB", k_xx,\s+"wxx 1.0-1", '
                                          r'"/usr/share/dict/xx",\s+"each distinct word once",'
                                          r'\s+5, 1\},'))


if __name__ == "__main__":
    unittest.main(verbosity=2)
