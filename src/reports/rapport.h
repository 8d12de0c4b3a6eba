// A report: a caption and a list of fixed-pitch text lines (Windows-1252),
// shown in the report window and printed from there. Every report command
// clears it, sets its caption and appends its lines.
#pragma once

#include <string>
#include <vector>

namespace tavo {

class Rapport {
  public:
    void vider() { lignes_.clear(); }
    void titre(std::string texte) { titre_ = std::move(texte); }

    // Formats one line in the manner of printf and appends it. Lines of any
    // length are kept whole.
    void ligne(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Appends a line as it stands (never used as a format).
    void ajouter(std::string texte) { lignes_.push_back(std::move(texte)); }

    const std::string& titre() const { return titre_; }
    const std::vector<std::string>& lignes() const { return lignes_; }

  private:
    std::string titre_ = "Voir les appariements";
    std::vector<std::string> lignes_;
};

}  // namespace tavo
