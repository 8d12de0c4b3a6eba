#include "gestion/import.h"

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <optional>
#include <vector>

#include "gestion/joueurs.h"
#include "model/registre.h"
#include "model/texte.h"

namespace tavo::gestion {
namespace {

struct Ligne {
    int numero;  // line of the file where the record starts, from 1
    std::vector<std::string> champs;
};

bool utf8_valide(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        const auto c = static_cast<unsigned char>(s[i]);
        const int suite = c < 0x80         ? 0
                          : (c >> 5) == 6  ? 1
                          : (c >> 4) == 14 ? 2
                          : (c >> 3) == 30 ? 3
                                           : -1;
        if (suite < 0 || (suite == 1 && c < 0xC2)) return false;
        if (i + static_cast<std::size_t>(suite) >= s.size()) return false;
        for (int k = 1; k <= suite; ++k)
            if ((static_cast<unsigned char>(s[i + static_cast<std::size_t>(k)]) >> 6) != 2)
                return false;
        i += static_cast<std::size_t>(suite) + 1;
    }
    return true;
}

// The text as UTF-8: a byte-order mark is dropped; a text that is not valid
// UTF-8 is read as Windows-1252.
std::string en_utf8(const std::string& contenu) {
    if (contenu.rfind("\xEF\xBB\xBF", 0) == 0) return contenu.substr(3);
    if (utf8_valide(contenu)) return contenu;
    return vers_utf8(contenu);
}

// The separator of the header line: the most frequent of ';', tab and ','
// outside quotes (';' first on a tie, as French spreadsheets write it).
char separateur(const std::string& texte) {
    int points_virgules = 0, tabulations = 0, virgules = 0;
    bool guillemets = false;
    for (char c : texte) {
        if (c == '"') guillemets = !guillemets;
        if (guillemets) continue;
        if (c == '\n' || c == '\r') break;
        points_virgules += c == ';';
        tabulations += c == '\t';
        virgules += c == ',';
    }
    if (points_virgules >= tabulations && points_virgules >= virgules) return ';';
    return tabulations >= virgules ? '\t' : ',';
}

// Splits CSV text into records (quotes as RFC 4180 has them: a quoted field
// may hold the separator, doubled quotes and line ends).
std::vector<Ligne> decouper(const std::string& texte, char sep) {
    std::vector<Ligne> lignes;
    Ligne courante{1, {""}};
    int numero = 1;
    bool guillemets = false;
    bool contenu = false;
    for (std::size_t i = 0; i < texte.size(); ++i) {
        const char c = texte[i];
        if (guillemets) {
            if (c == '"' && i + 1 < texte.size() && texte[i + 1] == '"') {
                courante.champs.back() += '"';
                ++i;
            } else if (c == '"') {
                guillemets = false;
            } else {
                if (c == '\n') ++numero;
                courante.champs.back() += c;
            }
            continue;
        }
        if (c == '"') {
            guillemets = true;
            contenu = true;
        } else if (c == sep) {
            courante.champs.emplace_back();
            contenu = true;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
            if (contenu) lignes.push_back(std::move(courante));
            ++numero;
            courante = Ligne{numero, {""}};
            contenu = false;
        } else {
            courante.champs.back() += c;
            contenu = true;
        }
    }
    if (contenu) lignes.push_back(std::move(courante));
    return lignes;
}

std::string rogner(const std::string& s) {
    const auto debut = s.find_first_not_of(" \t");
    if (debut == std::string::npos) return "";
    return s.substr(debut, s.find_last_not_of(" \t") - debut + 1);
}

// A column header reduced to lower-case ASCII letters: "Prénom" and
// "PRENOM" are "prenom", "Né le" is "nele".
std::string cle_colonne(const std::string& utf8) {
    std::string cle;
    for (char octet : vers_cp1252(utf8)) {
        auto c = static_cast<unsigned char>(octet);
        if (c >= 0xC0) {
            static const char kBase[] = "aaaaaaaceeeeiiiidnooooo*ouuuuyts";
            c = static_cast<unsigned char>(kBase[(c - 0xC0) & 0x1F]);
        }
        if (c >= 'A' && c <= 'Z') c = static_cast<unsigned char>(c - 'A' + 'a');
        if (c >= 'a' && c <= 'z') cle += static_cast<char>(c);
    }
    return cle;
}

enum Colonne { NOM, PRENOM, NE_LE, ELO, EQUIPE, FILLE, SEXE, NB_COLONNES };

std::optional<Colonne> colonne(const std::string& cle) {
    if (cle == "nom") return NOM;
    if (cle == "prenom") return PRENOM;
    if (cle == "nele" || cle == "neele" || cle == "naissance" || cle == "datedenaissance")
        return NE_LE;
    if (cle == "elo") return ELO;
    if (cle == "equipe") return EQUIPE;
    if (cle == "fille") return FILLE;
    if (cle == "sexe") return SEXE;
    return std::nullopt;
}

bool chiffres(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// A birth date as the player dialog holds it, "JJ/MM/AA": day/month/year
// with '/', '.' or '-' (a four-digit year keeps its last two digits) or
// year-month-day; any other text is kept as typed.
std::string date_naissance(const std::string& s) {
    if (s.empty()) return "  /  /  ";
    std::vector<std::string> parties(1);
    for (char c : s) {
        if (c == '/' || c == '.' || c == '-')
            parties.emplace_back();
        else
            parties.back() += c;
    }
    if (parties.size() != 3) return s;
    for (const std::string& p : parties)
        if (!chiffres(p) || p.size() > 4) return s;
    std::string jour = parties[0], mois = parties[1], annee = parties[2];
    if (jour.size() == 4) std::swap(jour, annee);
    if (jour.size() > 2 || mois.size() > 2 || (annee.size() != 2 && annee.size() != 4)) return s;
    const auto deux = [](const std::string& p) { return p.size() == 1 ? "0" + p : p; };
    return deux(jour) + "/" + deux(mois) + "/" + annee.substr(annee.size() - 2);
}

std::string message_ligne(int numero, const std::string& raison) {
    return formater("Ligne %d : ", numero) + raison;
}

// Keeps the register's refusal to give it with the line number.
class Rapporteur : public Interaction {
  public:
    void message_erreur(const std::string& texte) override { message = texte; }
    bool question(const std::string&, const std::string&) override { return false; }
    void information(const std::string&) override {}
    std::string message;
};

}  // namespace

std::string bilan_import(int nombre) {
    return nombre == 1 ? cp("1 joueur importé")
                       : formater(cp("%d joueurs importés").c_str(), nombre);
}

int importer_liste(Tournoi& t, const std::string& contenu, Interaction& io) {
    const std::string texte = en_utf8(contenu);
    const std::vector<Ligne> lignes = decouper(texte, separateur(texte));
    const auto refuser = [&](int numero, const std::string& raison) {
        io.message_erreur(message_ligne(numero, raison));
        return -1;
    };
    if (lignes.empty()) {
        io.message_erreur("Le fichier ne contient aucun joueur");
        return -1;
    }

    std::vector<int> position(NB_COLONNES, -1);
    const Ligne& entete = lignes.front();
    for (std::size_t i = 0; i < entete.champs.size(); ++i)
        if (auto c = colonne(cle_colonne(rogner(entete.champs[i]))); c && position[*c] < 0)
            position[*c] = static_cast<int>(i);
    if (position[NOM] < 0) return refuser(entete.numero, cp("la colonne « nom » manque"));

    // Every line is read and checked before anything is registered.
    std::vector<std::pair<int, FicheJoueur>> fiches;
    std::vector<Joueur> lus;  // the same players as they will be stored
    for (std::size_t k = 1; k < lignes.size(); ++k) {
        const Ligne& ligne = lignes[k];
        bool vide = true;
        for (const std::string& c : ligne.champs) vide = vide && rogner(c).empty();
        if (vide) continue;

        std::string valeurs[NB_COLONNES];
        for (int c = 0; c < NB_COLONNES; ++c) {
            const int p = position[c];
            if (p < 0 || static_cast<std::size_t>(p) >= ligne.champs.size()) continue;
            bool perte = false;
            valeurs[c] = vers_cp1252(rogner(ligne.champs[static_cast<std::size_t>(p)]), &perte);
            // A control character (a NUL would even end the text) is not held
            // either: the reports and the file keep one line of text a field.
            for (char& octet : valeurs[c])
                if (static_cast<unsigned char>(octet) < 0x20) {
                    octet = '?';
                    perte = true;
                }
            if (perte)
                return refuser(ligne.numero,
                               cp("caractère impossible à enregistrer : ") + valeurs[c]);
        }
        FicheJoueur fiche;
        fiche.nom = valeurs[NOM];
        if (fiche.nom.empty()) return refuser(ligne.numero, "le nom manque");
        fiche.prenom = valeurs[PRENOM];
        fiche.equipe = valeurs[EQUIPE];
        fiche.ne_le = date_naissance(valeurs[NE_LE]);
        if (!valeurs[ELO].empty()) {
            // A spreadsheet may group the thousands with a (non-breaking) blank.
            std::string elo;
            for (char c : valeurs[ELO])
                if (c != ' ' && c != '\xA0') elo += c;
            if (!chiffres(elo))
                return refuser(ligne.numero, "l'Elo n'est pas un nombre : " + valeurs[ELO]);
            fiche.elo = elo.size() > 4 ? 9999 : lire_entier(elo);
        }
        const std::string fille = cle_colonne(valeurs[FILLE]);
        const std::string sexe = cle_colonne(valeurs[SEXE]);
        const auto parmi = [](const std::string& v, std::initializer_list<const char*> liste) {
            for (const char* l : liste)
                if (v == l) return true;
            return false;
        };
        if (parmi(fille, {"oui", "o", "x", "vrai", "f", "fille"}) ||
            (chiffres(valeurs[FILLE]) && lire_entier(valeurs[FILLE]) != 0))
            fiche.fille = true;
        else if (!parmi(fille, {"", "non", "n", "faux", "m", "g", "garcon"}) &&
                 !chiffres(valeurs[FILLE]))
            return refuser(ligne.numero, cp("valeur de « fille » inconnue : ") + valeurs[FILLE]);
        if (parmi(sexe, {"f", "feminin", "femme", "fille"}))
            fiche.fille = true;
        else if (!parmi(sexe, {"", "m", "masculin", "homme", "h", "g", "garcon"}))
            return refuser(ligne.numero, cp("valeur de « sexe » inconnue : ") + valeurs[SEXE]);

        // The player as stored (texts cut to their fields) must be neither
        // registered already nor earlier in the list.
        Joueur nouveau{};
        ecrire_fiche(nouveau, fiche);
        const auto meme = [&nouveau](const Joueur& j) {
            return egal_sans_casse(champ(j.nom), champ(nouveau.nom)) &&
                   egal_sans_casse(champ(j.prenom), champ(nouveau.prenom)) &&
                   champ(j.ne_le) == champ(nouveau.ne_le);
        };
        bool deja = std::any_of(lus.begin(), lus.end(), meme);
        for (int p = 1; p <= t.entete.nb_joueurs; ++p) deja = deja || meme(t.joueurs[p]);
        if (deja)
            return refuser(ligne.numero, cp("joueur déjà inscrit : ") + champ(nouveau.nom) + " " +
                                             champ(nouveau.prenom));
        if (t.entete.nb_joueurs + static_cast<int>(fiches.size()) >= MAX_JOUEURS)
            return refuser(ligne.numero, cp("le programme est limité à 100 joueurs"));
        lus.push_back(nouveau);
        fiches.emplace_back(ligne.numero, fiche);
    }
    if (fiches.empty()) {
        io.message_erreur("Le fichier ne contient aucun joueur");
        return -1;
    }

    // Registered on a copy, which replaces the tournament only when every
    // line went through (the register may refuse, e.g. once the tournament
    // has started).
    auto copie = std::make_unique<Tournoi>(t);
    for (const auto& [numero, fiche] : fiches) {
        Rapporteur rapporteur;
        if (inscrire_joueur(*copie, fiche, rapporteur) == 0)
            return refuser(numero, rapporteur.message);
    }
    t = *copie;
    return static_cast<int>(fiches.size());
}

int importer_joueurs(Tournoi& t, const std::filesystem::path& fichier, Interaction& io) {
    std::ifstream flux(fichier, std::ios::binary);
    const std::string contenu((std::istreambuf_iterator<char>(flux)),
                              std::istreambuf_iterator<char>());
    if (!flux.is_open() || flux.bad()) {
        io.message_erreur("Impossible d'ouvrir le fichier : " + vers_cp1252(fichier.string()));
        return -1;
    }
    return importer_liste(t, contenu, io);
}

}  // namespace tavo::gestion
