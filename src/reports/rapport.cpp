#include "reports/rapport.h"

#include <cstdarg>

#include "model/texte.h"

namespace tavo {

void Rapport::ligne(const char* format, ...) {
    va_list args;
    va_start(args, format);
    lignes_.push_back(formater_liste(format, args));
    va_end(args);
}

}  // namespace tavo
