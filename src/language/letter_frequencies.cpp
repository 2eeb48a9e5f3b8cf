// Letter counts of each language's alphabet. Made by
// scripts/make_letter_frequencies.py from Debian's word lists and spelling
// dictionaries; do not edit, run the script again.

// clang-format off

#include "language/letter_frequencies.h"

namespace quarrin {

namespace {

// ABCDEFGHIJKLMNOPQRSTUVWXYZ
constexpr std::uint32_t k_en[] = {
    57757, 13910, 28078, 26170, 79052, 9546, 20872, 17416, 60715, 1772, 7550, 37061, 20042, 51686,
    42764, 19288, 1357, 50010, 75026, 46143, 23559, 7326, 6654, 2074, 12106, 3175,
};

// AÁBCDEÉFGHIÍJKLMNÑOÓPQRSTUÚÜVWXYZ
constexpr std::uint32_t k_es[] = {
    114436, 2823, 13862, 41124, 31652, 71877, 1749, 8189, 12855, 7059, 56949, 4554, 4805, 39, 35385,
    23221, 46673, 2034, 63435, 5640, 17284, 2805, 69655, 31268, 40135, 22839, 545, 154, 7532, 1,
    1166, 1104, 5800,
};

// AÀÂÆBCÇDEÉÈÊËFGHIÎÏJKLMNOÔŒPQRSTUÙÛÜVWXYŸZ
constexpr std::uint32_t k_fr[] = {
    317127, 52, 21896, 0, 49101, 116417, 2916, 82834, 380433, 123805, 12752, 2362, 21, 45846, 55290,
    39289, 324812, 3276, 996, 6738, 1858, 138680, 85217, 258321, 204088, 915, 0, 80208, 17386,
    303915, 348026, 237709, 123665, 1, 1311, 44, 34464, 597, 8665, 11565, 0, 38112,
};

// AÄBCDEFGHIJKLMNOÖPQRSẞTUÜVWXYZ
constexpr std::uint32_t k_de[] = {
    217453, 33262, 101226, 125866, 126690, 755183, 86465, 154601, 179197, 264283, 3359, 79098,
    175177, 116371, 373028, 93691, 11733, 58951, 1932, 353715, 320667, 6713, 315973, 154051, 31055,
    40427, 42215, 3258, 3823, 57026,
};

// AÀBCDEÈÉFGHIÌJKLMNOÒÓPQRSTUÙVWXYZ
constexpr std::uint32_t k_it[] = {
    131241, 2796, 20169, 46332, 28428, 125029, 26, 80, 13962, 24655, 6585, 118546, 209, 1, 11,
    49015, 38891, 67719, 91981, 3594, 0, 28212, 1894, 96064, 77375, 79793, 24852, 17, 25432, 8, 19,
    7, 13963,
};

// AÁÂÃÀBCÇDEÉÊFGHIÍJKLMNOÓÔÕPQRSTUÚVWXYZ
constexpr std::uint32_t k_pt[] = {
    609365, 61703, 641, 9955, 7, 55521, 163113, 14454, 161886, 490261, 2194, 2949, 52673, 58610,
    37054, 363449, 21352, 14451, 156, 127648, 200154, 196922, 292662, 3470, 105, 2660, 89040, 13708,
    410157, 454403, 183628, 110577, 625, 75808, 106, 11445, 69, 40797,
};

// AÁBCDEÉÈÊËFGHIÍÏJKLMNOÓÖPQRSTUÚÜVWXYZ
constexpr std::uint32_t k_nl[] = {
    319722, 86, 92801, 102430, 187737, 736876, 1059, 421, 95, 2556, 52985, 163038, 91460, 320906,
    31, 843, 59614, 130952, 209337, 116255, 359814, 261438, 121, 316, 107919, 1234, 347952, 284460,
    297873, 115211, 18, 125, 83268, 52190, 10313, 8313, 34482,
};

// AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻ
constexpr std::uint32_t k_pl[] = {
    4684037, 603357, 933151, 2204549, 52576, 1113281, 4243633, 290425, 243331, 692243, 635406,
    4927439, 966919, 1695041, 1256201, 939671, 1993910, 3724389, 148978, 4327867, 179149, 1496788,
    1484, 2322878, 1762188, 528905, 1478969, 1366297, 8730, 2481976, 3055, 2537395, 2441920, 31791,
    267112,
};

// AÂBCÇDEFGĞHIİÎJKLMNOÖPRSŞTUÛÜVYZ
constexpr std::uint32_t k_tr[] = {
    136173, 1, 23813, 15765, 9999, 30145, 110035, 5939, 10642, 4706, 8116, 53568, 80199, 0, 865,
    60916, 108235, 69326, 50963, 16840, 7383, 9181, 59816, 29859, 34253, 50056, 25571, 0, 16335,
    9137, 29551, 15472,
};

// ABCDEÉFGHIJKLMNOPQRSTUVWXYZÅÄÖ
constexpr std::uint32_t k_sv[] = {
    118280, 19007, 7073, 43499, 108144, 265, 22165, 42195, 12175, 63619, 7464, 43154, 57611, 28776,
    110946, 39448, 22482, 11, 109596, 107852, 85725, 21811, 21636, 135, 1655, 8722, 182, 8867,
    20978, 17181,
};

// ΑΆΒΓΔΕΈΖΗΉΘΙΊΪΚΛΜΝΞΟΌΠΡΣΤΥΎΫΦΧΨΩΏ
constexpr std::uint32_t k_el[] = {
    969348, 120077, 74111, 159023, 146475, 728652, 139623, 92546, 194931, 74612, 130213, 584648,
    143383, 5059, 371441, 285245, 392010, 629422, 68932, 739433, 160364, 313824, 454677, 745079,
    633828, 343233, 115314, 1484, 107231, 102012, 25996, 153452, 76290,
};

// АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ
constexpr std::uint32_t k_ru[] = {
    114112, 19241, 77803, 17196, 28656, 86186, 5404, 9022, 24881, 119837, 64995, 43787, 46923,
    27473, 85193, 109295, 43762, 80000, 72371, 79735, 27086, 5842, 7336, 7531, 16852, 26227, 12940,
    740, 41749, 33729, 1949, 10027, 28964,
};

// АБВГҐДЕЄЖЗИІЇЙКЛМНОПРСТУФХЦЧШЩЬЮЯ
constexpr std::uint32_t k_uk[] = {
    1363120, 244855, 941561, 251317, 3740, 408095, 835469, 116104, 105702, 353077, 1030599, 764645,
    55807, 215349, 535464, 655945, 694528, 1046950, 1526154, 544269, 851390, 837956, 859698, 688070,
    63291, 156487, 96445, 188659, 177749, 29595, 385284, 245335, 362455,
};

} // namespace

const LetterFrequencyTable kLetterFrequencyTables[] = {
    {"en", u"ABCDEFGHIJKLMNOPQRSTUVWXYZ", k_en,
     "wamerican 2020.12.07-2", "/usr/share/dict/american-english",
     "each distinct word once",
     88142, 256},
    {"es", u"AÁBCDEÉFGHIÍJKLMNÑOÓPQRSTUÚÜVWXYZ", k_es,
     "wspanish 1.0.30", "/usr/share/dict/spanish",
     "each distinct word once",
     86014, 0},
    {"fr", u"AÀÂÆBCÇDEÉÈÊËFGHIÎÏJKLMNOÔŒPQRSTUÙÛÜVWXYŸZ", k_fr,
     "wfrench 1.2.7-2", "/usr/share/dict/french",
     "each distinct word once",
     345812, 62},
    {"de", u"AÄBCDEFGHIJKLMNOÖPQRSẞTUÜVWXYZ", k_de,
     "wngerman 20161207-11", "/usr/share/dict/ngerman",
     "each distinct word once",
     355941, 65},
    {"it", u"AÀBCDEÈÉFGHIÌJKLMNOÒÓPQRSTUÙVWXYZ", k_it,
     "witalian 1.10", "/usr/share/dict/italian",
     "each distinct word once",
     116707, 0},
    {"pt", u"AÁÂÃÀBCÇDEÉÊFGHIÍJKLMNOÓÔÕPQRSTUÚVWXYZ", k_pt,
     "wportuguese 20220621-1", "/usr/share/dict/portuguese",
     "each distinct word once",
     418846, 6},
    {"nl", u"AÁBCDEÉÈÊËFGHIÍÏJKLMNOÓÖPQRSTUÚÜVWXYZ", k_nl,
     "wdutch 1:2.20.19-2", "/usr/share/dict/dutch",
     "each distinct word once",
     402642, 5509},
    {"pl", u"AĄBCĆDEĘFGHIJKLŁMNŃOÓPQRSŚTUVWXYZŹŻ", k_pl,
     "wpolish 20220301-1", "/usr/share/dict/polish",
     "each distinct word once",
     4278246, 1424},
    {"tr", u"AÂBCÇDEFGĞHIİÎJKLMNOÖPRSŞTUÛÜVYZ", k_tr,
     "hunspell-tr 1:7.5.0-1", "/usr/share/hunspell/tr_TR.dic",
     "each stem once, affixes not expanded",
     113430, 0},
    {"sv", u"ABCDEÉFGHIJKLMNOPQRSTUVWXYZÅÄÖ", k_sv,
     "wswedish 1.4.5-3", "/usr/share/dict/swedish",
     "each distinct word once",
     121260, 1},
    {"el", u"ΑΆΒΓΔΕΈΖΗΉΘΙΊΪΚΛΜΝΞΟΌΠΡΣΤΥΎΫΦΧΨΩΏ", k_el,
     "hunspell-el 1:7.5.0-1", "/usr/share/hunspell/el_GR.dic",
     "each stem once, affixes not expanded",
     826868, 0},
    {"ru", u"АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ", k_ru,
     "hunspell-ru 1:7.5.0-1", "/usr/share/hunspell/ru_RU.dic",
     "each stem once, affixes not expanded",
     130169, 0},
    {"uk", u"АБВГҐДЕЄЖЗИІЇЙКЛМНОПРСТУФХЦЧШЩЬЮЯ", k_uk,
     "wukrainian 1.8.0+dfsg-1", "/usr/share/dict/ukrainian",
     "each distinct word once",
     1554156, 0},
};

const int kLetterFrequencyTableCount =
    int(sizeof kLetterFrequencyTables / sizeof kLetterFrequencyTables[0]);

} // namespace quarrin
