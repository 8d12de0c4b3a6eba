// Texts of the program: UTF-8 everywhere inside the core (names, messages,
// report lines), the columns of fixed-pitch reports, and the Windows-1252
// character set of the 1998 files (the tournament file's fixed-size fields,
// the team files) with the conversions to and from it.
#pragma once

#include <algorithm>
#include <cstdarg>
#include <cstddef>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace tavo {

// The text held by a fixed-size field: up to its first NUL, never past its end
// (a damaged file may hold a field without terminator).
template <std::size_t N>
std::string champ(const char (&f)[N]) {
    return std::string(f, strnlen(f, N));
}

// Stores a text into a fixed-size field, cut to the field's capacity (N - 1),
// the rest of the field zero-filled.
template <std::size_t N>
void copier_champ(char (&f)[N], std::string_view texte) {
    std::memset(f, 0, N);
    std::memcpy(f, texte.data(), std::min(texte.size(), N - 1));
}

// UTF-8 to Windows-1252. A character the set cannot hold becomes '?'; when
// `perte` is given it is set to true in that case. Invalid UTF-8 bytes are
// treated the same way.
std::string vers_cp1252(std::string_view utf8, bool* perte = nullptr);

// The first character of a UTF-8 text that Windows-1252 cannot hold, in
// UTF-8; "" when the text holds an invalid or overlong UTF-8 sequence first;
// std::nullopt when every character fits.
std::optional<std::string> caractere_impossible(std::string_view utf8);

// True when the text is well-formed UTF-8 (no overlong form, no surrogate).
bool utf8_valide(std::string_view texte);

// The offset of the first byte that starts no well-formed UTF-8 sequence
// (an overlong form or a surrogate is none); npos when the whole text is
// UTF-8.
std::size_t premier_octet_non_utf8(std::string_view texte);

// The offset of the first character written on several bytes in well-formed
// UTF-8; npos when there is none.
std::size_t premier_caractere_utf8(std::string_view texte);

// True when byte `i` of a text ends a line: a LF, or a CR not followed by a
// LF (a CR LF ends at its LF).
bool fin_de_ligne(std::string_view texte, std::size_t i);

// The offset of the first control character of a UTF-8 text (below 0x20,
// 0x7F, and U+0080 to U+009F); npos when there is none.
std::size_t premier_controle(std::string_view utf8);

// The code point of the UTF-8 character at byte `i` (the byte itself when it
// starts no character).
long code_en(std::string_view utf8, std::size_t i);

// The text with each control character (below 0x20, and 0x7F) written as
// \xHH: what a terminal, a report or a page may show of a name read from
// outside.
std::string controles_visibles(std::string_view texte);

// The text of a file written by another program: a file that is valid UTF-8
// (as Linux editors save them) is taken as it is, a leading byte order mark
// dropped; any other is read as Windows-1252 (as the 1998 program wrote).
std::string texte_de_fichier(std::string octets);

// A text for a file of the 1998 formats (team files): Windows-1252 when
// every character fits, as the 1998 program reads them; UTF-8 otherwise
// (which our readers take as well).
std::string pour_fichier_1998(std::string_view utf8);

// Windows-1252 to UTF-8. The five bytes the set leaves undefined become the
// control characters of the same number, so that vers_cp1252 gives them back.
std::string vers_utf8(std::string_view cp1252);

// True when the two Windows-1252 texts are equal ignoring the case of the
// letters A to Z.
bool egal_sans_casse(std::string_view a, std::string_view b);

// The decimal value at the start of a text in the manner of atoi: leading
// white space skipped, one optional sign, digits up to the first other
// character; 0 when there is no digit. Values beyond int's range saturate.
int lire_entier(std::string_view texte);

// A name as it sorts and is searched: the letters of the Latin scripts in
// capitals without their accents ("Łukasz" as "LUKASZ", "Nguyễn" as
// "NGUYEN"); other characters as they are.
std::string cle_de_tri(std::string_view utf8);

// The columns a UTF-8 text takes in a fixed-pitch report: one a character,
// none for a combining mark, two for a wide East Asian character.
std::size_t colonnes(std::string_view texte);

// The number of characters of a UTF-8 text, and its first `n` characters
// (the TRF counts its columns in characters).
std::size_t nb_caracteres(std::string_view utf8);
std::string premiers_caracteres(std::string_view utf8, std::size_t n);

// The longest start of a UTF-8 text that fits in `n` columns.
std::string couper_colonnes(std::string_view texte, std::size_t n);

// printf into a std::string, whatever the length. Widths and precisions of %s
// count columns of UTF-8 text, so that fixed-pitch reports stay aligned.
std::string formater(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string formater_liste(const char* format, va_list args);

}  // namespace tavo
