#include "model/texte.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace tavo {
namespace {

// Code points of bytes 0x80 to 0x9F. The five bytes the set leaves undefined
// stand for the control characters of the same number, as Windows reads them,
// so that every byte of a 1998 file comes back as it was.
constexpr std::array<char32_t, 32> kPlage80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t code_de(unsigned char octet) {
    if (octet >= 0x80 && octet < 0xA0) return kPlage80[octet - 0x80];
    return octet;
}

int octet_de(char32_t code) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) return static_cast<int>(code);
    for (std::size_t i = 0; i < kPlage80.size(); ++i)
        if (kPlage80[i] == code) return static_cast<int>(0x80 + i);
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

std::size_t premier_controle(std::string_view utf8) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t debut = i;
        const long code = lire_utf8(utf8, i);
        if ((code >= 0 && code < 0x20) || (code >= 0x7F && code <= 0x9F)) return debut;
    }
    return std::string_view::npos;
}

long code_en(std::string_view utf8, std::size_t i) {
    const std::size_t debut = i;
    const long code = lire_utf8(utf8, i);
    return code >= 0 ? code : static_cast<unsigned char>(utf8[debut]);
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

std::string cle_de_tri(std::string_view utf8) {
    // The base letter of U+00C0 to U+017F and of U+1E00 to U+1EFF; 0 where none.
    static constexpr char kLatin1EtA[] =
        "AAAAAAACEEEEIIIIDNOOOOO\0OUUUUYTSAAAAAAACEEEEIIIIDNOOOOO\0OUUUUYTYAAAAAACCCCCCCCDDDDEEEEE"
        "EEEEEGGGGGGGGHHHHIIIIIIIIIIIIJJKKKLLLLLLLLLLNNNNNNNNNOOOOOOOORRRRRRSSSSSSSSTTTTTTUUUUUUUU"
        "UUUUWWYYYZZZZZZS";
    static constexpr char kLatinEtendu[] =
        "AABBBBBBCCDDDDDDDDDDEEEEEEEEEEFFGGHHHHHHHHHHIIIIKKKKKKLLLLLLLLMMMMMMNNNNNNNNOOOOOOOOPPPPRR"
        "RRRRRRSSSSSSSSSSTTTTTTTTUUUUUUUUUUVVVVWWWWWWWWWWXXXXYYZZZZZZHTWY\0\0\0\0\0\0AAAAAAAAAAA"
        "AAAAAAAAAAAAAEEEEEEEEEEEEEEEEIIIIOOOOOOOOOOOOOOOOOOOOOOOOUUUUUUUUUUUUUUYYYYYYYY\0\0\0\0\0"
        "\0";
    std::string cle;
    std::size_t i = 0;
    while (i < utf8.size()) {
        const std::size_t debut = i;
        const long code = lire_utf8(utf8, i);
        char lettre = 0;
        if (code >= 'a' && code <= 'z')
            lettre = static_cast<char>(code - 'a' + 'A');
        else if (code >= 0xC0 && code <= 0x17F)
            lettre = kLatin1EtA[code - 0xC0];
        else if (code >= 0x1E00 && code <= 0x1EFF)
            lettre = kLatinEtendu[code - 0x1E00];
        if (lettre != 0)
            cle += lettre;
        else
            cle.append(utf8.substr(debut, i - debut));
    }
    return cle;
}

std::string texte_de_fichier(std::string octets) {
    if (!utf8_valide(octets)) return vers_utf8(octets);
    if (octets.rfind("\xEF\xBB\xBF", 0) == 0) octets.erase(0, 3);
    return octets;
}

std::string pour_fichier_1998(std::string_view utf8) {
    bool perte = false;
    std::string cp1252 = vers_cp1252(utf8, &perte);
    return perte ? std::string(utf8) : cp1252;
}

std::string vers_utf8(std::string_view cp1252) {
    std::string out;
    out.reserve(cp1252.size() + cp1252.size() / 4);
    for (char c : cp1252) {
        ajouter_utf8(out, code_de(static_cast<unsigned char>(c)));
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

namespace {

// Combining marks take no column of their own; the wide characters of East
// Asian scripts take two.
struct Plage {
    char32_t premier, dernier;
};
#include "model/largeurs_unicode.inc"

template <std::size_t N>
bool dans(const Plage (&plages)[N], long code) {
    const auto apres = std::upper_bound(std::begin(plages), std::end(plages), code,
                                        [](long c, const Plage& p) { return c < p.premier; });
    return apres != std::begin(plages) && code <= static_cast<long>((apres - 1)->dernier);
}

// The columns a fixed-pitch report gives a character: none for a combining
// mark (the accent typed apart, the vowel signs of Thai or Devanagari...),
// two for the wide characters of East Asia.
int colonnes_de(long code) {
    if (code < 0x300) return 1;
    if (dans(kSansColonne, code)) return 0;
    return dans(kDeuxColonnes, code) ? 2 : 1;
}

// "%-N.Ms": the text cut to M columns and padded to N, counted as a
// fixed-pitch report shows them (not in bytes).
std::string texte_en_colonnes(std::string_view texte, bool a_gauche, int largeur, int precision) {
    std::string out;
    int colonnes = 0;
    std::size_t i = 0;
    while (i < texte.size()) {
        const std::size_t debut = i;
        const long code = lire_utf8(texte, i);
        const int c = code < 0 ? 1 : colonnes_de(code);
        if (precision >= 0 && colonnes + c > precision) break;
        out.append(texte.substr(debut, i - debut));
        colonnes += c;
    }
    const std::string marge(static_cast<std::size_t>(std::max(0, largeur - colonnes)), ' ');
    return a_gauche ? out + marge : marge + out;
}

// One conversion other than %s, through vsnprintf with its own argument.
template <typename T>
std::string une_conversion(const std::string& motif, T valeur) {
    const int taille = std::snprintf(nullptr, 0, motif.c_str(), valeur);
    if (taille <= 0) return std::string();
    std::string texte(static_cast<std::size_t>(taille) + 1, '\0');
    std::snprintf(texte.data(), texte.size(), motif.c_str(), valeur);
    texte.resize(static_cast<std::size_t>(taille));
    return texte;
}

}  // namespace

std::size_t colonnes(std::string_view texte) {
    std::size_t n = 0;
    std::size_t i = 0;
    while (i < texte.size()) {
        const long code = lire_utf8(texte, i);
        n += static_cast<std::size_t>(code < 0 ? 1 : colonnes_de(code));
    }
    return n;
}

std::size_t nb_caracteres(std::string_view utf8) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < utf8.size(); ++n) lire_utf8(utf8, i);
    return n;
}

std::string premiers_caracteres(std::string_view utf8, std::size_t n) {
    std::size_t i = 0;
    for (std::size_t k = 0; k < n && i < utf8.size(); ++k) lire_utf8(utf8, i);
    return std::string(utf8.substr(0, i));
}

std::string couper_colonnes(std::string_view texte, std::size_t n) {
    return texte_en_colonnes(texte, true, 0, static_cast<int>(n));
}

// The printf conversions (d i u x X o c s f e g %, flags, width and
// precision, * included, the h l ll z modifiers); a %s counts the columns of
// its UTF-8 text.
std::string formater_liste(const char* format, va_list args) {
    std::string out;
    for (const char* f = format; *f; ++f) {
        if (*f != '%') {
            out += *f;
            continue;
        }
        std::string motif = "%";
        ++f;
        while (*f && std::strchr("-+ #0", *f)) motif += *f++;
        int largeur = -1;
        if (*f == '*') {
            largeur = va_arg(args, int);
            motif += std::to_string(largeur);
            ++f;
        } else {
            const char* debut = f;
            while (*f >= '0' && *f <= '9') ++f;
            if (f > debut) largeur = std::atoi(std::string(debut, f).c_str());
            motif.append(debut, f);
        }
        int precision = -1;
        if (*f == '.') {
            ++f;
            if (*f == '*') {
                precision = va_arg(args, int);
                ++f;
            } else {
                precision = 0;
                while (*f >= '0' && *f <= '9') precision = precision * 10 + (*f++ - '0');
            }
            motif += "." + std::to_string(precision);
        }
        std::string modificateur;
        while (*f && std::strchr("hlzjt", *f)) modificateur += *f++;
        const char conversion = *f;
        if (conversion == '\0') break;
        motif += modificateur + conversion;
        switch (conversion) {
            case '%':
                out += '%';
                break;
            case 's': {
                const char* texte = va_arg(args, const char*);
                const bool a_gauche = motif.find('-') != std::string::npos;
                out += texte_en_colonnes(texte ? texte : "(null)", a_gauche, largeur, precision);
                break;
            }
            case 'c':
                out += une_conversion(motif, va_arg(args, int));
                break;
            case 'f':
            case 'F':
            case 'e':
            case 'E':
            case 'g':
            case 'G':
                out += une_conversion(motif, va_arg(args, double));
                break;
            case 'd':
            case 'i':
                if (modificateur == "z")
                    out += une_conversion(motif, va_arg(args, std::ptrdiff_t));
                else if (modificateur == "ll")
                    out += une_conversion(motif, va_arg(args, long long));
                else if (modificateur == "l")
                    out += une_conversion(motif, va_arg(args, long));
                else
                    out += une_conversion(motif, va_arg(args, int));
                break;
            default:  // u x X o
                if (modificateur == "z")
                    out += une_conversion(motif, va_arg(args, std::size_t));
                else if (modificateur == "ll")
                    out += une_conversion(motif, va_arg(args, unsigned long long));
                else if (modificateur == "l")
                    out += une_conversion(motif, va_arg(args, unsigned long));
                else
                    out += une_conversion(motif, va_arg(args, unsigned));
                break;
        }
    }
    return out;
}

std::string formater(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string texte = formater_liste(format, args);
    va_end(args);
    return texte;
}

}  // namespace tavo
