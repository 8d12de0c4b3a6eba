// A report: a caption and a list of fixed-pitch text lines (Windows-1252),
// shown in the report window and printed from there. Every report command
// clears it, sets its caption and appends its lines. Beside the lines it
// holds the same report as a table (heading lines, column headers, rows of
// cells), from which the HTML and CSV forms are written.
#pragma once

#include <string>
#include <vector>

namespace tavo {

// One cell of a report's table: a text, or a number counted in units of
// 1/diviseur (1, 2 or 4). Points and tie-breaks are kept as the records count
// them (2 a win) and written in the unit of the points the game prints:
// 7 with diviseur 2 is written 3½.
struct Cellule {
    enum class Sorte { texte, nombre };
    Sorte sorte = Sorte::texte;
    std::string texte;  // UTF-8, for a text cell
    int valeur = 0;     // for a number cell
    int diviseur = 1;
    std::string lien;  // the HTML form makes the cell a link to this address; none when empty

    static Cellule de_texte(std::string t) { return {Sorte::texte, std::move(t), 0, 1, {}}; }
    static Cellule de_nombre(int v, int diviseur = 1) {
        return {Sorte::nombre, {}, v, diviseur, {}};
    }
};

struct Tableau {
    std::string titre;                  // the page's title; the report's caption when empty
    std::vector<std::string> entete;    // heading lines: tournament, date, game, round
    std::vector<std::string> colonnes;  // column headers
    std::vector<std::vector<Cellule>> lignes;
};

class Rapport {
  public:
    void vider() {
        lignes_.clear();
        tableau_ = Tableau{};
    }
    void titre(std::string texte) { titre_ = std::move(texte); }

    // Formats one line in the manner of printf and appends it. Lines of any
    // length are kept whole.
    void ligne(const char* format, ...) __attribute__((format(printf, 2, 3)));
    // Appends a line as it stands (never used as a format).
    void ajouter(std::string texte) { lignes_.push_back(std::move(texte)); }

    const std::string& titre() const { return titre_; }
    const std::vector<std::string>& lignes() const { return lignes_; }

    Tableau& tableau() { return tableau_; }
    const Tableau& tableau() const { return tableau_; }

  private:
    std::string titre_ = "Voir les appariements";
    std::vector<std::string> lignes_;
    Tableau tableau_;
};

}  // namespace tavo
