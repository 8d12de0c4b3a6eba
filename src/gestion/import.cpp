#include "gestion/import.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "gestion/joueurs.h"
#include "model/disque.h"
#include "model/registre.h"
#include "model/texte.h"

namespace tavo::gestion {
namespace {

// Bounds of a list: a spreadsheet's list of at most 100 players is far
// smaller; beyond them the list is refused before it takes time or memory.
constexpr std::size_t TAILLE_MAX_LISTE = 10 << 20;
constexpr std::size_t MAX_COLONNES = 64;
constexpr std::size_t LONGUEUR_MAX_CHAMP = 1000;
// The part of a value a message quotes.
constexpr std::size_t LONGUEUR_CITEE = 40;

struct Ligne {
    int numero;  // line of the file where the record starts, from 1
    std::vector<std::string> champs;
};

// A Windows-1252 value as a message quotes it: its beginning, control
// characters made visible.
std::string citer(const std::string& valeur) {
    if (valeur.size() <= LONGUEUR_CITEE) return controles_visibles(valeur);
    return controles_visibles(valeur.substr(0, LONGUEUR_CITEE)) + "...";
}

std::string message_ligne(int numero, const std::string& raison) {
    return formater("Ligne %d : ", numero) + raison;
}

// The line holding byte `position`: lines end with LF, CR LF or CR.
int ligne_de(std::string_view texte, std::size_t position) {
    int numero = 1;
    for (std::size_t i = 0; i < position && i < texte.size(); ++i)
        if (fin_de_ligne(texte, i)) ++numero;
    return numero;
}

bool utf16(std::string_view octets) {
    if (octets.size() < 2) return false;
    if (octets.rfind("\xFF\xFE", 0) == 0 || octets.rfind("\xFE\xFF", 0) == 0) return true;
    // Without byte-order mark, a header in UTF-16 has a NUL beside each letter.
    return (octets[0] == '\0') != (octets[1] == '\0');
}

// The list as UTF-8, in one encoding for the whole of it: UTF-8 (a
// byte-order mark dropped), or Windows-1252 when nothing in it is UTF-8.
// std::nullopt, with the message in `refus`, for UTF-16 and for a list
// mixing both (a line saved by another program).
std::optional<std::string> en_utf8(std::string_view octets, std::string& refus) {
    if (utf16(octets)) {
        refus = "La liste est en UTF-16 : enregistrez-la en UTF-8 ou en Windows-1252";
        return std::nullopt;
    }
    const bool marque = octets.rfind("\xEF\xBB\xBF", 0) == 0;
    if (marque) octets.remove_prefix(3);
    const std::size_t etranger = premier_octet_non_utf8(octets);
    if (etranger == std::string_view::npos) return std::string(octets);
    const std::size_t utf8 = marque ? 0 : premier_caractere_utf8(octets);
    if (utf8 == std::string_view::npos) return vers_utf8(octets);
    refus = message_ligne(
        ligne_de(octets, etranger),
        formater(std::string("l'octet 0x%02X n'est pas de l'UTF-8, alors que la ligne %d l'est : "
                             "enregistrez la liste dans un seul codage")
                     .c_str(),
                 static_cast<unsigned char>(octets[etranger]), ligne_de(octets, utf8)));
    return std::nullopt;
}

// The separator of the header line: the most frequent of ';', tab and ','
// outside quotes (';' first on a tie, as French spreadsheets write it).
char separateur(std::string_view texte) {
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

// Reads CSV text one record at a time (quotes as RFC 4180 has them: a quoted
// field may hold the separator, doubled quotes and line ends), each record
// within MAX_COLONNES fields of LONGUEUR_MAX_CHAMP bytes.
class LecteurCsv {
  public:
    LecteurCsv(std::string_view texte, char sep) : texte_(texte), sep_(sep) {}

    // The next record holding anything. False at the end of the text, or
    // with `refus` set for a record beyond the bounds or a quote never
    // closed.
    bool suivante(Ligne& ligne, std::string& refus) {
        while (i_ < texte_.size()) {
            ligne = Ligne{numero_, {std::string()}};
            bool contenu = false;
            if (!lire_ligne(ligne, contenu, refus)) return false;
            if (contenu) return true;
        }
        return false;
    }

  private:
    bool lire_ligne(Ligne& ligne, bool& contenu, std::string& refus) {
        const auto refuser = [&](const std::string& raison) {
            refus = message_ligne(ligne.numero, raison);
            return false;
        };
        const auto ajouter = [&](char c) {
            if (ligne.champs.back().size() < LONGUEUR_MAX_CHAMP) {
                ligne.champs.back() += c;
                return true;
            }
            return refuser(formater("une valeur dépasse %zu caractères", LONGUEUR_MAX_CHAMP));
        };
        bool guillemets = false;
        for (; i_ < texte_.size(); ++i_) {
            const char c = texte_[i_];
            if (guillemets) {
                if (fin_de_ligne(texte_, i_)) ++numero_;
                if (c == '"' && i_ + 1 < texte_.size() && texte_[i_ + 1] == '"') {
                    ++i_;
                } else if (c == '"') {
                    guillemets = false;
                    continue;
                }
                if (!ajouter(c)) return false;
            } else if (fin_de_ligne(texte_, i_)) {
                ++numero_;
                ++i_;
                return true;
            } else if (c == '"') {
                guillemets = contenu = true;
            } else if (c == sep_) {
                if (ligne.champs.size() >= MAX_COLONNES)
                    return refuser(formater("plus de %zu colonnes", MAX_COLONNES));
                ligne.champs.emplace_back();
                contenu = true;
            } else if (c != '\r') {  // the CR of a CR LF
                if (!ajouter(c)) return false;
                contenu = true;
            }
        }
        if (guillemets) return refuser("un guillemet ouvert n'est jamais fermé");
        return true;
    }

    std::string_view texte_;
    char sep_;
    std::size_t i_ = 0;
    int numero_ = 1;
};

std::string rogner(const std::string& s) {
    const auto debut = s.find_first_not_of(" \t");
    if (debut == std::string::npos) return "";
    return s.substr(debut, s.find_last_not_of(" \t") - debut + 1);
}

// A column header reduced to lower-case ASCII letters: "Prénom" and
// "PRENOM" are "prenom", "Né le" is "nele".
std::string cle_colonne(const std::string& utf8) {
    std::string cle;
    for (const char c : cle_de_tri(utf8))
        if (c >= 'A' && c <= 'Z') cle += static_cast<char>(c - 'A' + 'a');
    return cle;
}

enum Colonne {
    NOM,
    PRENOM,
    NE_LE,
    ELO,
    EQUIPE,
    FILLE,
    SEXE,
    CLUB,
    FEDERATION,
    FIDE_ID,
    ID_NATIONAL,
    TITRE,
    NB_COLONNES
};

std::optional<Colonne> colonne(const std::string& cle) {
    if (cle == "nom") return NOM;
    if (cle == "prenom") return PRENOM;
    if (cle == "nele" || cle == "neele" || cle == "naissance" || cle == "datedenaissance")
        return NE_LE;
    if (cle == "elo") return ELO;
    if (cle == "equipe") return EQUIPE;
    if (cle == "fille") return FILLE;
    if (cle == "sexe") return SEXE;
    if (cle == "club") return CLUB;
    if (cle == "federation" || cle == "fed") return FEDERATION;
    if (cle == "fideid" || cle == "idfide" || cle == "fide") return FIDE_ID;
    if (cle == "idnational" || cle == "identifiantnational") return ID_NATIONAL;
    if (cle == "titre" || cle == "title") return TITRE;
    return std::nullopt;
}

bool chiffres(const std::string& s) {
    return !s.empty() && s.find_first_not_of("0123456789") == std::string::npos;
}

// A birth date as the player dialog holds it, "JJ/MM/AA": day/month/year
// with '/', '.' or '-' (a four-digit year keeps its last two digits) or
// year-month-day; std::nullopt for any other text. Whether it is a real date
// is the register's check.
std::optional<std::string> date_naissance(const std::string& s) {
    if (s.empty()) return std::string("  /  /  ");
    std::vector<std::string> parties(1);
    for (char c : s) {
        if (c == '/' || c == '.' || c == '-')
            parties.emplace_back();
        else
            parties.back() += c;
    }
    if (parties.size() != 3) return std::nullopt;
    for (const std::string& p : parties)
        if (!chiffres(p) || p.size() > 4) return std::nullopt;
    std::string jour = parties[0], mois = parties[1], annee = parties[2];
    if (jour.size() == 4) std::swap(jour, annee);
    if (jour.size() > 2 || mois.size() > 2 || (annee.size() != 2 && annee.size() != 4))
        return std::nullopt;
    const auto deux = [](const std::string& p) { return p.size() == 1 ? "0" + p : p; };
    return deux(jour) + "/" + deux(mois) + "/" + annee.substr(annee.size() - 2);
}

// Keeps the register's refusal to give it with the line number.
class Rapporteur : public Interaction {
  public:
    void message_erreur(const std::string& texte) override { message = texte; }
    bool question(const std::string&, const std::string&) override { return false; }
    void information(const std::string&) override {}
    std::string message;
};

// The known column of each header cell; std::nullopt for a cell left empty.
using Entete = std::vector<std::optional<Colonne>>;

// The header row: every name a known column, once; "nom" among them. The
// reason naming the column otherwise.
std::string lire_entete(const Ligne& ligne, Entete& entete) {
    std::vector<bool> vue(NB_COLONNES, false);
    for (const std::string& cellule : ligne.champs) {
        const std::string nom = rogner(cellule);
        if (nom.empty()) {
            entete.emplace_back();
            continue;
        }
        const auto c = colonne(cle_colonne(nom));
        const std::string cite = "« " + citer(nom) + " »";
        if (!c)
            return std::string("colonne inconnue : ") + cite +
                   " (les colonnes sont nom, prénom, né le, elo, équipe, fille, sexe, club, "
                   "fédération, fide id, id national et titre)";
        if (vue[*c]) return std::string("colonne en double : ") + cite;
        vue[*c] = true;
        entete.push_back(c);
    }
    if (!vue[NOM]) return "la colonne « nom » manque";
    return std::string();
}

using Valeurs = std::array<std::string, NB_COLONNES>;

// The values of a record by column: a value under no column name, or
// holding a control character (it would break the lines of the reports and
// the file), gives the reason.
std::string lire_valeurs(const Ligne& ligne, const Entete& entete, Valeurs& valeurs) {
    for (std::size_t i = 0; i < ligne.champs.size(); ++i) {
        const std::string texte = rogner(ligne.champs[i]);
        if (i >= entete.size() || !entete[i]) {
            if (texte.empty()) continue;
            return formater("valeur dans la colonne %zu, qui n'a pas de nom : ", i + 1) +
                   citer(texte);
        }
        valeurs[*entete[i]] = texte;
        if (premier_controle(texte) != std::string::npos)
            return "caractère impossible à enregistrer : " + citer(controles_visibles(texte));
    }
    return std::string();
}

bool parmi(const std::string& v, std::initializer_list<const char*> liste) {
    return std::any_of(liste.begin(), liste.end(), [&](const char* l) { return v == l; });
}

// The Elo 0 to 9999 (a spreadsheet may group the thousands with a blank or
// a non-breaking blank); the reason otherwise.
std::string lire_elo(const std::string& valeur, int& elo) {
    std::string chiffres_lus;
    for (std::size_t i = 0; i < valeur.size(); ++i) {
        if (valeur.compare(i, 2, "\xC2\xA0") == 0) {
            ++i;
            continue;
        }
        if (valeur[i] != ' ') chiffres_lus += valeur[i];
    }
    if (!chiffres(chiffres_lus)) return "l'Elo n'est pas un nombre : " + citer(valeur);
    chiffres_lus.erase(0, std::min(chiffres_lus.find_first_not_of('0'), chiffres_lus.size() - 1));
    if (chiffres_lus.size() > 4) return std::string("l'Elo va de 0 à 9999 : ") + citer(valeur);
    elo = lire_entier(chiffres_lus);
    return std::string();
}

// "fille" (oui/non, 1/0, x...) and "sexe" (F/M...); the reason for a value
// that is neither.
std::string lire_fille(const Valeurs& v, bool& fille) {
    const std::string cle_fille = cle_colonne(v[FILLE]);
    const std::string cle_sexe = cle_colonne(v[SEXE]);
    if (parmi(cle_fille, {"oui", "o", "x", "vrai", "f", "fille"}) ||
        (chiffres(v[FILLE]) && lire_entier(v[FILLE]) != 0))
        fille = true;
    else if (!parmi(cle_fille, {"", "non", "n", "faux", "m", "g", "garcon"}) && !chiffres(v[FILLE]))
        return std::string("valeur de « fille » inconnue : ") + citer(v[FILLE]);
    if (parmi(cle_sexe, {"f", "feminin", "femme", "fille"}))
        fille = true;
    else if (!parmi(cle_sexe, {"", "m", "masculin", "homme", "h", "g", "garcon"}))
        return std::string("valeur de « sexe » inconnue : ") + citer(v[SEXE]);
    return std::string();
}

// The player of a record; the reason for a value he cannot take.
std::string lire_fiche(const Valeurs& v, bool limites_1998, FicheJoueur& fiche) {
    fiche.nom = v[NOM];
    if (fiche.nom.empty()) return "le nom manque";
    fiche.prenom = v[PRENOM];
    // A code cut to the 3 characters of a 1998 file would be another team's.
    if (limites_1998 && v[EQUIPE].size() > Limites1998::equipe)
        return "le code d'équipe a plus de 3 caractères : " + citer(v[EQUIPE]);
    fiche.equipe = v[EQUIPE];
    const auto ne_le = date_naissance(v[NE_LE]);
    if (!ne_le) return "date de naissance illisible : " + citer(v[NE_LE]);
    fiche.ne_le = *ne_le;
    if (!v[ELO].empty())
        if (std::string raison = lire_elo(v[ELO], fiche.elo); !raison.empty()) return raison;
    // The register checks the federation details, and refuses them in a .pxi.
    fiche.club = v[CLUB];
    fiche.federation = v[FEDERATION];
    fiche.fide_id = v[FIDE_ID];
    fiche.id_national = v[ID_NATIONAL];
    fiche.titre = v[TITRE];
    return lire_fille(v, fiche.fille);
}

// Every player of the list, checked before anything is registered: none
// already registered or twice in the list, the capacity kept. The
// players with their lines; the refusal in `refus` otherwise.
std::vector<std::pair<int, FicheJoueur>> lire_joueurs(const Tournoi& t, std::string_view texte,
                                                      std::string& refus) {
    LecteurCsv lecteur(texte, separateur(texte));
    Ligne ligne;
    Entete entete;
    std::vector<std::pair<int, FicheJoueur>> fiches;
    std::vector<Joueur> lus;  // the same players as they will be stored
    const auto refuser = [&](int numero, const std::string& raison) {
        refus = message_ligne(numero, raison);
        return std::vector<std::pair<int, FicheJoueur>>();
    };
    if (!lecteur.suivante(ligne, refus)) return {};
    if (std::string raison = lire_entete(ligne, entete); !raison.empty())
        return refuser(ligne.numero, raison);
    while (lecteur.suivante(ligne, refus)) {
        const bool vide = std::all_of(ligne.champs.begin(), ligne.champs.end(),
                                      [](const std::string& c) { return rogner(c).empty(); });
        if (vide) continue;
        Valeurs valeurs;
        FicheJoueur fiche;
        std::string raison = lire_valeurs(ligne, entete, valeurs);
        if (raison.empty()) raison = lire_fiche(valeurs, t.limites_1998, fiche);
        if (!raison.empty()) return refuser(ligne.numero, raison);

        // The player as stored (texts cut to their fields) must be neither
        // registered already nor earlier in the list.
        Joueur nouveau{};
        ecrire_fiche(nouveau, fiche);
        const auto meme = [&nouveau](const Joueur& j) {
            return egal_sans_casse(j.nom, nouveau.nom) &&
                   egal_sans_casse(j.prenom, nouveau.prenom) && j.ne_le == nouveau.ne_le;
        };
        bool deja = std::any_of(lus.begin(), lus.end(), meme);
        deja = deja || std::any_of(t.joueurs.begin(), t.joueurs.end(), meme);
        if (deja)
            return refuser(ligne.numero,
                           "joueur déjà inscrit : " + nouveau.nom + " " + nouveau.prenom);
        if (t.nb_joueurs() + static_cast<int>(fiches.size()) >= capacite_joueurs(t))
            return refuser(
                ligne.numero,
                formater("%s est limité à %d joueurs",
                         t.limites_1998 ? "le fichier .pxi" : "le programme", capacite_joueurs(t)));
        lus.push_back(nouveau);
        fiches.emplace_back(ligne.numero, fiche);
    }
    if (!refus.empty()) return {};
    return fiches;
}

int importer(Tournoi& t, const std::string& contenu, Interaction& io) {
    const auto refuser = [&](const std::string& message) {
        io.message_erreur(message);
        return -1;
    };
    if (contenu.size() > TAILLE_MAX_LISTE)
        return refuser(
            formater("La liste est trop grande : %zu Mo au plus", TAILLE_MAX_LISTE >> 20));
    std::string refus;
    const auto texte = en_utf8(contenu, refus);
    if (!texte) return refuser(refus);
    const auto fiches = lire_joueurs(t, *texte, refus);
    if (!refus.empty()) return refuser(refus);
    if (fiches.empty()) return refuser("Le fichier ne contient aucun joueur");

    // Registered on a copy, which replaces the tournament only when every
    // line went through (the register may refuse, e.g. once the tournament
    // has started).
    auto copie = std::make_unique<Tournoi>(t);
    for (const auto& [numero, fiche] : fiches) {
        Rapporteur rapporteur;
        if (inscrire_joueur(*copie, fiche, rapporteur) == 0)
            return refuser(message_ligne(numero, rapporteur.message));
    }
    t = *copie;
    return static_cast<int>(fiches.size());
}

// No exception leaves an import: the tournament is then left as it was.
template <typename Action>
int sans_exception(Interaction& io, Action action) {
    try {
        return action();
    } catch (const std::bad_alloc&) {
        io.message_erreur("Impossible de lire la liste des joueurs : mémoire insuffisante");
    } catch (const std::exception&) {
        io.message_erreur("Impossible de lire la liste des joueurs");
    }
    return -1;
}

}  // namespace

std::string bilan_import(int nombre) {
    return nombre == 1 ? std::string("1 joueur importé") : formater("%d joueurs importés", nombre);
}

int importer_liste(Tournoi& t, const std::string& contenu, Interaction& io) {
    return sans_exception(io, [&] { return importer(t, contenu, io); });
}

int importer_joueurs(Tournoi& t, const std::filesystem::path& fichier, Interaction& io) {
    return sans_exception(io, [&] {
        const FichierLu lu = lire_fichier(fichier.string(), TAILLE_MAX_LISTE, true);
        if (lu.etat != FichierLu::Etat::lu) {
            io.message_erreur(
                raison_non_lu(lu, controles_visibles(fichier.string()), TAILLE_MAX_LISTE));
            return -1;
        }
        return importer(t, lu.octets, io);
    });
}

}  // namespace tavo::gestion
