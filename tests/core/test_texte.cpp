#include <gtest/gtest.h>

#include "model/texte.h"

namespace tavo {
namespace {

TEST(Texte, ConversionsKeepEveryCharacterOfTheSet) {
    const std::string utf8 = "Prénom n° Œuvre 5€ “çà” ÿ";
    const std::string octets = vers_cp1252(utf8);
    EXPECT_EQ(octets.size(), 25u);  // one byte per character
    EXPECT_EQ(static_cast<unsigned char>(octets[2]), 0xE9);
    EXPECT_EQ(static_cast<unsigned char>(octets[8]), 0xB0);
    EXPECT_EQ(static_cast<unsigned char>(octets[10]), 0x8C);
    EXPECT_EQ(vers_utf8(octets), utf8);
}

TEST(Texte, CharactersOutsideTheSetAreNeverGarbage) {
    bool perte = false;
    EXPECT_EQ(vers_cp1252("Zoë 日本", &perte), "Zo\xeb ??");
    EXPECT_TRUE(perte);
    perte = false;
    EXPECT_EQ(vers_cp1252("a\xff"
                          "b",
                          &perte),
              "a?b");  // invalid UTF-8
    EXPECT_TRUE(perte);
}

TEST(Texte, EveryByteOfA1998FileComesBack) {
    std::string octets;
    for (int b = 1; b < 256; ++b) octets += static_cast<char>(b);
    bool perte = false;
    EXPECT_EQ(vers_cp1252(vers_utf8(octets), &perte), octets);
    EXPECT_FALSE(perte);
    EXPECT_EQ(vers_utf8("\x81"), "\xC2\x81");  // undefined in the set: its control character
}

// Columns as a fixed-pitch report shows them: a mark takes none (and stays
// with its letter when a name is cut), a wide character two.
TEST(Texte, ReportColumnsFollowWhatTheEyeSees) {
    EXPECT_EQ(formater("%-6s|", "วงศ์"), "วงศ์   |");  // Thai: the last sign is a mark
    EXPECT_EQ(formater("%.3s|", "วงศ์สวัสดิ์"), "วงศ์|");
    EXPECT_EQ(formater("%-7s|", "Nguye\u0302\u0303n"), "Nguye\u0302\u0303n |");  // typed apart
    EXPECT_EQ(formater("%-6s|", "हिंदी"), "हिंदी  |");  // Devanagari: one of its signs is a mark
    EXPECT_EQ(formater("%-5s|%.3s|", "日本", "東京都"), "日本 |東|");
    EXPECT_EQ(colonnes("Søren \u00ad"), 7u);  // the soft hyphen of a 1998 file keeps its column
}

TEST(Texte, FieldsAreCutToTheirCapacityAndReadWithoutTerminator) {
    char nom[30];
    copier_champ(nom, std::string(40, 'x'));
    EXPECT_EQ(champ(nom), std::string(29, 'x'));
    char code[4] = {'A', 'B', 'C', 'D'};  // no terminator, as in a damaged file
    EXPECT_EQ(champ(code), "ABCD");
}

TEST(Texte, LireEntierReadsLikeAtoi) {
    EXPECT_EQ(lire_entier("  -12abc"), -12);
    EXPECT_EQ(lire_entier("+7"), 7);
    EXPECT_EQ(lire_entier("abc"), 0);
    EXPECT_EQ(lire_entier(""), 0);
    EXPECT_EQ(lire_entier("99999999999999"), 2147483647);
    EXPECT_TRUE(egal_sans_casse("OTHELLO", "othello"));
    EXPECT_FALSE(egal_sans_casse("Othello ", "Othello"));
}

}  // namespace
}  // namespace tavo
