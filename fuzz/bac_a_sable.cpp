#include "bac_a_sable.h"

#include <unistd.h>

#include <cstdlib>

namespace tavo::fuzz {

namespace fs = std::filesystem;

const fs::path& bac_a_sable() {
    static const fs::path dossier = [] {
        // scripts/fuzz names a folder it removes afterwards: libFuzzer ends its
        // runs without the exit handlers.
        const char* choisi = std::getenv("TAVO_FUZZ_BAC");
        std::error_code ec;
        const fs::path base = choisi                             ? fs::path(choisi)
                              : fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm")
                                                                 : fs::temp_directory_path();
        const fs::path d = base / ("tavo-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(d);
        std::atexit([] {
            std::error_code e;
            fs::remove_all(bac_a_sable(), e);
        });
        return d;
    }();
    return dossier;
}

void vider_bac_a_sable() {
    std::error_code ec;
    for (const auto& entree : fs::directory_iterator(bac_a_sable(), ec))
        fs::remove_all(entree.path(), ec);
}

std::vector<std::string> decouper(const std::string& texte, const std::string& separateur) {
    std::vector<std::string> morceaux;
    std::size_t debut = 0;
    for (;;) {
        const std::size_t fin = texte.find(separateur, debut);
        morceaux.push_back(
            texte.substr(debut, fin == std::string::npos ? std::string::npos : fin - debut));
        if (fin == std::string::npos) return morceaux;
        debut = fin + separateur.size();
    }
}

}  // namespace tavo::fuzz
