#include "model/texte.h"

#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>

namespace tavo {
namespace {

// Code points of bytes 0x80 to 0x9F; 0 marks the five undefined bytes.
constexpr std::array<char32_t, 32> kPlage80 = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char32_t code_de(unsigned char octet) {
    if (octet >= 0x80 && octet < 0xA0) return kPlage80[octet - 0x80];
    return octet;
}

int octet_de(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
    for (std::size_t i = 0; i < kPlage80.size(); ++i)
        if (kPlage80[i] != 0 && kPlage80[i] == code) return static_cast<int>(0x80 + i);
    return -1;
}

void ajouter_utf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `i`; returns -1 for an invalid one and moves
// `i` past what was consumed.
long lire_utf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i++]);
    if (b0 < 0x80) return b0;
    int suite = b0 >= 0xF0 && b0 < 0xF8 ? 3 : b0 >= 0xE0 ? 2 : b0 >= 0xC2 && b0 < 0xE0 ? 1 : -1;
    if (suite < 0) return -1;
    long code = b0 & (0x3F >> suite);
    for (int k = 0; k < suite; ++k) {
        if (i >= s.size() || (static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) return -1;
        code = (code << 6) | (static_cast<unsigned char>(s[i++]) & 0x3F);
    }
    // An overlong form (a NUL written on three bytes...), a surrogate or a
    // code beyond U+10FFFF is no character.
    constexpr long kPlusPetit[] = {0, 0x80, 0x800, 0x10000};
    if (code < kPlusPetit[suite] || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
        return -1;
    return code;
}

}  // namespace

std::string vers_cp1252(std::string_view utf8, bool* perte) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const long code = lire_utf8(utf8, i);
        const int octet = code < 0 ? -1 : octet_de(static_cast<char32_t>(code));
        if (octet < 0) {
            out += '?';
            if (perte) *perte = true;
        } else {
            out += static_cast<char>(octet);
        }
    }
    return out;
}

std::optional<std::string> caractere_impossible(std::string_view utf8) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t debut = i;
        const long code = lire_utf8(utf8, i);
        if (code < 0) return std::string();
        if (octet_de(static_cast<char32_t>(code)) < 0)
            return std::string(utf8.substr(debut, i - debut));
    }
    return std::nullopt;
}

bool utf8_valide(std::string_view texte) {
    return premier_octet_non_utf8(texte) == std::string_view::npos;
}

std::size_t premier_octet_non_utf8(std::string_view texte) {
    std::size_t i = 0;
    while (i < texte.size()) {
        const std::size_t debut = i;
        if (lire_utf8(texte, i) < 0) return debut;
    }
    return std::string_view::npos;
}

std::size_t premier_caractere_utf8(std::string_view texte) {
    for (std::size_t debut = 0; debut < texte.size(); ++debut) {
        if (static_cast<unsigned char>(texte[debut]) < 0x80) continue;
        std::size_t i = debut;
        if (lire_utf8(texte, i) >= 0) return debut;
    }
    return std::string_view::npos;
}

bool fin_de_ligne(std::string_view texte, std::size_t i) {
    return texte[i] == '\n' ||
           (texte[i] == '\r' && (i + 1 == texte.size() || texte[i + 1] != '\n'));
}

std::string controles_visibles(std::string_view texte) {
    std::string out;
    out.reserve(texte.size());
    for (char c : texte) {
        const auto octet = static_cast<unsigned char>(c);
        if (octet < 0x20 || octet == 0x7F)
            out += formater("\\x%02X", octet);
        else
            out += c;
    }
    return out;
}

std::string vers_utf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (char c : cp1252) {
        const char32_t code = code_de(static_cast<unsigned char>(c));
        ajouter_utf8(out, code == 0 && c != 0 ? U'\uFFFD' : code);
    }
    return out;
}

bool egal_sans_casse(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto bas = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (bas(a[i]) != bas(b[i])) return false;
    }
    return true;
}

int lire_entier(std::string_view texte) {
    std::size_t i = 0;
    while (i < texte.size() && (texte[i] == ' ' || (texte[i] >= '\t' && texte[i] <= '\r'))) ++i;
    bool negatif = false;
    if (i < texte.size() && (texte[i] == '+' || texte[i] == '-')) negatif = texte[i++] == '-';
    long long valeur = 0;
    for (; i < texte.size() && texte[i] >= '0' && texte[i] <= '9'; ++i) {
        valeur = valeur * 10 + (texte[i] - '0');
        if (valeur > INT_MAX) valeur = static_cast<long long>(INT_MAX) + 1;
    }
    if (negatif) valeur = -valeur;
    if (valeur > INT_MAX) return INT_MAX;
    if (valeur < INT_MIN) return INT_MIN;
    return static_cast<int>(valeur);
}

std::string formater_liste(const char* format, va_list args) {
    va_list copie;
    va_copy(copie, args);
    const int taille = std::vsnprintf(nullptr, 0, format, copie);
    va_end(copie);
    if (taille <= 0) return std::string();
    std::string texte(static_cast<std::size_t>(taille) + 1, '\0');
    std::vsnprintf(texte.data(), texte.size(), format, args);
    texte.resize(static_cast<std::size_t>(taille));
    return texte;
}

std::string formater(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string texte = formater_liste(format, args);
    va_end(args);
    return texte;
}

}  // namespace tavo
