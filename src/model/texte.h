// Fixed-size text fields and the Windows-1252 character set.
//
// Every text inside the core (record fields, messages, report lines) is a
// string of Windows-1252 bytes; the front ends convert to and from UTF-8.
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

// The text with each control character (below 0x20, and 0x7F) written as
// \xHH: what a terminal, a report or a page may show of a name read from
// outside.
std::string controles_visibles(std::string_view texte);

// Windows-1252 to UTF-8. The five bytes the set leaves undefined become U+FFFD.
std::string vers_utf8(std::string_view cp1252);

// True when the two Windows-1252 texts are equal ignoring the case of the
// letters A to Z.
bool egal_sans_casse(std::string_view a, std::string_view b);

// The decimal value at the start of a text in the manner of atoi: leading
// white space skipped, one optional sign, digits up to the first other
// character; 0 when there is no digit. Values beyond int's range saturate.
int lire_entier(std::string_view texte);

// printf into a std::string, whatever the length.
std::string formater(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string formater_liste(const char* format, va_list args);

}  // namespace tavo

namespace tavo {

// A UTF-8 literal of the source code as Windows-1252 bytes: the program's own
// texts ("Prénom", "n°") are written readably and used in the core's set.
inline std::string cp(std::string_view utf8) {
    return vers_cp1252(utf8);
}

}  // namespace tavo
