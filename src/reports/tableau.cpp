#include "reports/tableau.h"

#include <algorithm>

#include "model/texte.h"
#include "standings/departages.h"
#include "standings/scores.h"

namespace tavo {

int unite_points(const Tournoi& t) {
    return t.jeu().demi_points_affiches ? 2 : 1;
}

int unite_departage(const Tournoi& t, int i) {
    const int unite = unite_points(t);
    switch (t.entete.departages[static_cast<std::size_t>(i)]) {
        case ID_BUCHOLZ:
        case ID_BUCHOLZ_MEDIAN:
        case ID_CUMULATIF:
            return unite;
        case ID_SONNEBORN_BERGER:
            return 2 * unite;
        default:
            return 1;
    }
}

bool colonnes_federales(const Tournoi& t, Tableau& tableau) {
    const bool details = std::any_of(t.joueurs.begin(), t.joueurs.end(), [](const Joueur& j) {
        return !j.club.empty() || !j.federation.empty() || j.fide_id != 0 || !j.titre.empty();
    });
    if (details) tableau.colonnes.insert(tableau.colonnes.end(), {"Club", "Féd.", "FIDE", "Titre"});
    return details;
}

void ajouter_details_federaux(const Joueur& j, std::vector<Cellule>& cellules) {
    cellules.insert(cellules.end(),
                    {Cellule::de_texte(j.club), Cellule::de_texte(j.federation),
                     Cellule::de_texte(j.fide_id != 0 ? std::to_string(j.fide_id) : std::string()),
                     Cellule::de_texte(j.titre)});
}

void ajouter_departages(const Tournoi& t, const LigneClassement& ligne,
                        std::vector<Cellule>& cellules) {
    for (std::size_t i = 0; i < ligne.departages.size(); ++i)
        cellules.push_back(
            Cellule::de_nombre(ligne.departages[i], unite_departage(t, static_cast<int>(i))));
}

int largeur_nombres(int plus_grand) {
    return std::max(3, static_cast<int>(std::to_string(plus_grand).size()));
}

int largeur_numeros(const Tournoi& t) {
    int plus_grand = 0;
    for (const Joueur& j : t.joueurs) plus_grand = std::max(plus_grand, j.id);
    return largeur_nombres(plus_grand);
}

std::string libelle_departage(const Tournoi& t, int i) {
    const int id = t.entete.departages[static_cast<std::size_t>(i)];
    return id >= 0 && id < NB_SYSTEMES_DEPARTAGE ? LIBELLES_DEPARTAGE[static_cast<std::size_t>(id)]
                                                 : "";
}

void commencer_tableau(const Tournoi& t, const std::string& ronde, Tableau& tableau) {
    tableau = Tableau{};
    std::string tournoi = "Tournoi : " + t.entete.nom;
    if (!t.entete.date.empty()) tournoi += " du " + t.entete.date;
    tableau.entete.push_back(tournoi);
    tableau.entete.push_back("Jeu : " + t.entete.jeu);
    if (!ronde.empty()) tableau.entete.push_back(ronde);
}

std::string texte_nombre(int valeur, int diviseur, FormePoints forme) {
    const long absolu = valeur < 0 ? -static_cast<long>(valeur) : valeur;
    const std::string signe = valeur < 0 ? "-" : "";
    const long entier = absolu / diviseur;
    const long quarts = absolu % diviseur * 4 / diviseur;
    if (quarts == 0) return signe + std::to_string(entier);
    if (forme == FormePoints::csv)
        return signe + std::to_string(entier) + (quarts == 1 ? ",25" : quarts == 2 ? ",5" : ",75");
    static const char* const kQuarts[] = {"¼", "½", "¾"};
    return signe + (entier ? std::to_string(entier) : "") + kQuarts[quarts - 1];
}

std::string echapper_html(const std::string& utf8) {
    std::string texte;
    for (char c : utf8) {
        switch (c) {
            case '&':
                texte += "&amp;";
                break;
            case '<':
                texte += "&lt;";
                break;
            case '>':
                texte += "&gt;";
                break;
            case '"':
                texte += "&quot;";
                break;
            default:
                texte += c;
        }
    }
    return texte;
}

namespace {

std::string texte_cellule(const Cellule& c, FormePoints forme) {
    if (c.sorte == Cellule::Sorte::nombre) return texte_nombre(c.valeur, c.diviseur, forme);
    return forme == FormePoints::html ? echapper_html(c.texte) : c.texte;
}

// A whole number, or one with a decimal comma, with an optional sign: what a
// spreadsheet reads as a number, never as a formula.
bool nombre_simple(const std::string& texte) {
    const std::size_t debut = texte[0] == '-' || texte[0] == '+' ? 1 : 0;
    const std::size_t fin = std::min(texte.find_first_not_of("0123456789", debut), texte.size());
    if (fin == debut) return false;
    if (fin == texte.size()) return true;
    return texte[fin] == ',' && fin + 1 < texte.size() &&
           texte.find_first_not_of("0123456789", fin + 1) == std::string::npos;
}

// A text a spreadsheet would take for a formula (first character =, +, -, @,
// a tab or a carriage return) gets a leading apostrophe, which makes it show
// the text as typed; a text that is a plain number stays a number.
std::string texte_inerte(const std::string& utf8) {
    if (utf8.empty() || std::string_view("=+-@\t\r").find(utf8[0]) == std::string_view::npos ||
        nombre_simple(utf8))
        return utf8;
    return "'" + utf8;
}

// A CSV field, quoted when it holds the separator, a quote or a line end;
// quotes inside are doubled.
std::string champ_csv(const std::string& utf8) {
    if (utf8.find_first_of(";\"\r\n") == std::string::npos) return utf8;
    std::string texte = "\"";
    for (char c : utf8) {
        if (c == '"') texte += '"';
        texte += c;
    }
    return texte + "\"";
}

const char* const kStyle =
    "body { font-family: sans-serif; font-size: 11pt; color: #000; background: #fff; }\n"
    "h1 { font-size: 14pt; margin: 0 0 4pt 0; }\n"
    "p.entete { margin: 0; }\n"
    "table { border-collapse: collapse; margin-top: 8pt; }\n"
    "th, td { border: 1px solid #888; padding: 2pt 5pt; text-align: left; }\n"
    "th { background: #e8e8e8; }\n"
    "td.n { text-align: right; }\n"
    "thead { display: table-header-group; }\n"
    "tr { page-break-inside: avoid; }\n"
    "@page { size: A4; margin: 15mm; }\n"
    "@media print { body { font-size: 9pt; } th { background: none; } }\n"
    "@media screen and (max-width: 600px) {\n"
    "  body { margin: 4px; font-size: 15px; }\n"
    "  table { width: 100%; }\n"
    "  th, td { padding: 3px 2px; overflow-wrap: anywhere; }\n"
    "  th { overflow-wrap: normal; font-size: 13px; }\n"
    "}\n";

std::string cellule_html(const Cellule& c) {
    std::string texte = texte_cellule(c, FormePoints::html);
    if (!c.lien.empty()) texte = "<a href=\"" + echapper_html(c.lien) + "\">" + texte + "</a>";
    return (c.sorte == Cellule::Sorte::texte ? "<td>" : "<td class=\"n\">") + texte + "</td>";
}

}  // namespace

std::string ecrire_html(const Rapport& rapport) {
    return ecrire_html(rapport.tableau(), rapport.titre(), Habillage{});
}

std::string ecrire_html(const Tableau& tab, const std::string& titre_rapport,
                        const Habillage& habillage) {
    const std::string titre = echapper_html(tab.titre.empty() ? titre_rapport : tab.titre);
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>";
    page += titre;
    page += "</title>\n<style>\n";
    page += kStyle;
    page += "</style>\n" + habillage.tete + "</head>\n<body>\n" + habillage.avant;
    page += "<main>\n<h1>" + titre + "</h1>\n";
    for (const std::string& ligne : tab.entete)
        page += "<p class=\"entete\">" + echapper_html(ligne) + "</p>\n";
    page += "<table>\n<thead>\n<tr>";
    for (const std::string& c : tab.colonnes) page += "<th>" + echapper_html(c) + "</th>";
    page += "</tr>\n</thead>\n<tbody>\n";
    for (const std::vector<Cellule>& ligne : tab.lignes) {
        page += "<tr>";
        for (const Cellule& c : ligne) page += cellule_html(c);
        page += "</tr>\n";
    }
    page += "</tbody>\n</table>\n</main>\n" + habillage.apres + "</body>\n</html>\n";
    return page;
}

std::string ecrire_csv(const Rapport& rapport) {
    const Tableau& tab = rapport.tableau();
    std::string texte = "\xEF\xBB\xBF";
    const auto ligne = [&](const std::vector<std::string>& champs) {
        for (std::size_t i = 0; i < champs.size(); ++i)
            texte += (i ? ";" : "") + champ_csv(champs[i]);
        texte += "\r\n";
    };
    std::vector<std::string> champs;
    for (const std::string& c : tab.colonnes) champs.push_back(texte_inerte(c));
    ligne(champs);
    for (const std::vector<Cellule>& cellules : tab.lignes) {
        champs.clear();
        for (const Cellule& c : cellules) {
            const std::string texte = texte_cellule(c, FormePoints::csv);
            champs.push_back(c.sorte == Cellule::Sorte::texte ? texte_inerte(texte) : texte);
        }
        ligne(champs);
    }
    return texte;
}

}  // namespace tavo
