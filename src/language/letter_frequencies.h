#pragma once

// The letter counts behind the natural fill: for each language, how many
// times each letter of its alphabet is met in the words of a word list or
// spelling dictionary that Debian ships. letter_frequencies.cpp is made by
// scripts/make_letter_frequencies.py and names the package, its version and
// the file each table was counted from; the build uses it as checked in.

#include <cstdint>

namespace quarrin {

struct LetterFrequencyTable
{
    const char *code;              // ISO 639-1
    const char16_t *letters;       // the alphabet the counts were made for, in order
    const std::uint32_t *counts;   // one per letter
    const char *package;           // Debian package and version, "wngerman 20161207-11"
    const char *file;              // the file counted
    const char *method;            // what was counted
    std::uint32_t wordsCounted;    // distinct words whose letters were counted
    std::uint32_t wordsPassedOver; // words with a character outside the alphabet
};

// Every table, and how many there are.
extern const LetterFrequencyTable kLetterFrequencyTables[];
extern const int kLetterFrequencyTableCount;

// The table of a language code, nullptr for none.
const LetterFrequencyTable *letterFrequencyTable(const char *code);

} // namespace quarrin
