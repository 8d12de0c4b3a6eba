#include "pairing/rapport.h"

#include <cstdarg>
#include <cstdio>

namespace tavo {
namespace {

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

}  // namespace

void Rapport::ligne(const char* format, ...) {
    va_list args;
    va_start(args, format);
    lignes_.push_back(formater_liste(format, args));
    va_end(args);
}

std::string formater(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string texte = formater_liste(format, args);
    va_end(args);
    return texte;
}

}  // namespace tavo
