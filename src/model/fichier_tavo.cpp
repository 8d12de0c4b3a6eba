#include "model/fichier_tavo.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <utility>

#include "model/accord.h"
#include "model/disque.h"
#include "model/pxi.h"
#include "model/texte.h"

namespace tavo {
namespace {

// The tables of the file, their columns in the schema's order, and how many
// of the first columns make the key.
enum Table { TOURNOI, DEPARTAGE, JOUEUR, PARTIE, APPARIEMENT, INTERDIT, ABSENCE };

struct Colonne {
    const char* nom;
    bool texte;
};

struct Description {
    const char* nom;
    std::vector<Colonne> colonnes;
    std::size_t cle;
};

const std::array<Description, NB_TABLES_TAVO>& tables() {
    static const std::array<Description, NB_TABLES_TAVO> liste = {{
        {"tournoi",
         {{"id", false},
          {"nom", true},
          {"date", true},
          {"jeu", true},
          {"rondes_prevues", false},
          {"ronde_courante", false},
          {"nb_actifs", false},
          {"resultats_en_pions", false},
          {"demi_points_max", false},
          {"dernieres_rondes_sans_demi", false}},
         1},
        {"departage", {{"rang", false}, {"departage", false}}, 1},
        {"joueur",
         {{"numero", false},
          {"nom", true},
          {"prenom", true},
          {"ne_le", true},
          {"elo", false},
          {"fille", false},
          {"actif", false},
          {"equipe", true},
          {"flotteur_bas", false},
          {"flotteur_haut", false},
          {"points_dernier_classement", false},
          {"club", true},
          {"federation", true},
          {"fide_id", false},
          {"id_national", true},
          {"titre", true},
          {"rang_classement", false}},  // last: updated apart (mettre_a_jour_joueurs)
         1},
        {"partie",
         {{"joueur", false},
          {"ronde", false},
          {"adversaire", false},
          {"couleur", false},
          {"resultat", true},
          {"pions", false},
          {"forfait", false}},
         2},
        {"appariement",
         {{"ronde", false},
          {"numero", false},
          {"blanc", false},
          {"noir", false},
          {"resultat_blanc", true},
          {"pions_blanc", false},
          {"pions_noir", false},
          {"forfait", true}},
         2},
        {"appariement_interdit", {{"joueur1", false}, {"joueur2", false}}, 2},
        {"absence_demandee", {{"joueur", false}, {"ronde", false}, {"demi_point", false}}, 2},
    }};
    return liste;
}

std::string liste_colonnes(const Description& d, std::size_t n, const char* entre,
                           bool parametres) {
    std::string sql;
    for (std::size_t c = 0; c < n; ++c) {
        if (c > 0) sql += entre;
        sql += d.colonnes[c].nom;
        if (parametres) sql += " = ?" + std::to_string(c + 1);
    }
    return sql;
}

std::string sql_lecture(const Description& d) {
    return "SELECT " + liste_colonnes(d, d.colonnes.size(), ", ", false) + " FROM " + d.nom +
           " ORDER BY " + liste_colonnes(d, d.cle, ", ", false);
}

std::string sql_suppression(const Description& d) {
    return std::string("DELETE FROM ") + d.nom + " WHERE " +
           liste_colonnes(d, d.cle, " AND ", true);
}

std::string sql_insertion(const Description& d) {
    std::string valeurs;
    for (std::size_t c = 0; c < d.colonnes.size(); ++c)
        valeurs += (c > 0 ? ", ?" : "?") + std::to_string(c + 1);
    return std::string("INSERT INTO ") + d.nom + " (" +
           liste_colonnes(d, d.colonnes.size(), ", ", false) + ") VALUES (" + valeurs + ")";
}

// Results as the file writes them, in the order of the enum.
constexpr std::array<const char*, 4> kResultats = {"aucun", "perte", "nul", "gain"};

const char* texte_resultat(Resultat r) {
    return kResultats[static_cast<std::size_t>(r)];
}

Resultat resultat_lu(const std::string& texte) {
    for (std::size_t k = 0; k < kResultats.size(); ++k)
        if (texte == kResultats[k]) return static_cast<Resultat>(k);
    return Resultat::aucun;
}

// Forfeits as the file writes them, in the order of the enum.
constexpr std::array<const char*, 4> kForfaits = {"aucun", "blanc", "noir", "double"};

Forfait forfait_lu(const std::string& texte) {
    for (std::size_t k = 0; k < kForfaits.size(); ++k)
        if (texte == kForfaits[k]) return static_cast<Forfait>(k);
    return Forfait::aucun;
}

std::int64_t n(const LigneTavo& l, std::size_t c) {
    return std::get<std::int64_t>(l[c]);
}

const std::string& s(const LigneTavo& l, std::size_t c) {
    return std::get<std::string>(l[c]);
}

// The rows of a tournament, each table in the order of its keys.
ImageTavo image_du_tournoi(const Tournoi& t) {
    ImageTavo im;
    const EnteteTournoi& e = t.entete;
    using I = std::int64_t;
    im[TOURNOI].push_back({I{1}, e.nom, e.date, e.jeu, I{e.nb_rondes}, I{e.ronde_courante},
                           I{e.nb_actifs}, I{e.othello}, I{e.demi_points_max},
                           I{e.dernieres_rondes_sans_demi}});
    for (std::size_t k = 0; k < e.departages.size(); ++k)
        im[DEPARTAGE].push_back({static_cast<I>(k), I{e.departages[k]}});
    for (std::size_t p = 0; p < t.joueurs.size(); ++p) {
        const Joueur& j = t.joueurs[p];
        im[JOUEUR].push_back({I{j.id}, j.nom, j.prenom, j.ne_le, I{j.elo}, I{j.fille}, I{j.actif},
                              j.equipe, I{j.flotte_bas}, I{j.flotte_haut}, I{j.points}, j.club,
                              j.federation, I{j.fide_id}, j.id_national, j.titre,
                              static_cast<I>(p)});
        for (std::size_t r = 0; r < j.rondes.size(); ++r) {
            const RondeJoueur& rj = j.rondes[r];
            im[PARTIE].push_back({I{j.id}, static_cast<I>(r), I{rj.adversaire}, I{rj.couleur},
                                  texte_resultat(rj.resultat), I{rj.pions}, I{rj.forfait}});
        }
        for (const Absence& a : j.absences)
            im[ABSENCE].push_back({I{j.id}, I{a.ronde}, I{a.demi_point}});
    }
    for (std::size_t r = 0; r < t.rondes.size(); ++r) {
        const auto& tables = t.rondes[r].tables;
        for (std::size_t k = 0; k < tables.size(); ++k) {
            const Appariement& a = tables[k];
            im[APPARIEMENT].push_back({static_cast<I>(r), static_cast<I>(k + 1), I{a.blanc},
                                       I{a.noir}, texte_resultat(a.res_blanc), I{a.pions_blanc},
                                       I{a.pions_noir},
                                       kForfaits[static_cast<std::size_t>(a.forfait)]});
        }
    }
    for (const auto& [a, b] : t.interdits) im[INTERDIT].push_back({I{a}, I{b}});
    std::sort(im[JOUEUR].begin(), im[JOUEUR].end());
    std::sort(im[INTERDIT].begin(), im[INTERDIT].end());
    std::sort(im[PARTIE].begin(), im[PARTIE].end());
    std::sort(im[ABSENCE].begin(), im[ABSENCE].end());
    return im;
}

// The tournament of the file's rows: "" when they make one, else what is
// wrong with them. The schema holds each value within its range; what it
// cannot hold (players numbered 1 to N, one entry a round for each player,
// tables numbered from 1, records that agree) is checked here.
std::string tournoi_de_l_image(const ImageTavo& im, Tournoi& t) {
    if (im[TOURNOI].size() != 1) return "le fichier ne contient pas de tournoi";
    const LigneTavo& e = im[TOURNOI][0];
    t = Tournoi{};
    t.limites_1998 = false;
    t.entete.nom = s(e, 1);
    t.entete.date = s(e, 2);
    t.entete.jeu = s(e, 3);
    t.entete.nb_rondes = static_cast<int>(n(e, 4));
    t.entete.ronde_courante = static_cast<int>(n(e, 5));
    t.entete.nb_actifs = static_cast<int>(n(e, 6));
    t.entete.othello = n(e, 7) != 0;
    t.entete.demi_points_max = static_cast<int>(n(e, 8));
    t.entete.dernieres_rondes_sans_demi = static_cast<int>(n(e, 9));
    for (const LigneTavo& d : im[DEPARTAGE]) {
        if (n(d, 0) != static_cast<std::int64_t>(t.entete.departages.size()))
            return "les départages ne se suivent pas";
        t.entete.departages.push_back(static_cast<int>(n(d, 1)));
    }
    const auto nb_rondes = static_cast<std::size_t>(t.entete.ronde_courante + 1);
    std::vector<std::pair<std::int64_t, Joueur>> joueurs;
    for (const LigneTavo& l : im[JOUEUR]) {
        Joueur j;
        j.id = static_cast<int>(n(l, 0));
        if (j.id != static_cast<int>(joueurs.size()) + 1)
            return formater("les joueurs ne sont pas numérotés de 1 à %zu", im[JOUEUR].size());
        j.nom = s(l, 1);
        j.prenom = s(l, 2);
        j.ne_le = s(l, 3);
        j.elo = static_cast<int>(n(l, 4));
        j.fille = n(l, 5) != 0;
        j.actif = n(l, 6) != 0;
        j.equipe = s(l, 7);
        j.flotte_bas = n(l, 8) != 0;
        j.flotte_haut = n(l, 9) != 0;
        j.points = static_cast<int>(n(l, 10));
        j.club = s(l, 11);
        j.federation = s(l, 12);
        j.fide_id = n(l, 13);
        j.id_national = s(l, 14);
        j.titre = s(l, 15);
        j.rondes.resize(nb_rondes);
        joueurs.emplace_back(n(l, 16), std::move(j));
    }
    for (const LigneTavo& l : im[PARTIE]) {
        const auto id = static_cast<std::size_t>(n(l, 0));
        const auto r = static_cast<std::size_t>(n(l, 1));
        if (id < 1 || id > joueurs.size() || r >= nb_rondes)
            return formater("le joueur %zu a une partie de la ronde %zu, qui n'est pas appariée",
                            id, r + 1);
        joueurs[id - 1].second.rondes[r] = {
            static_cast<int>(n(l, 2)), static_cast<std::uint8_t>(n(l, 3)), resultat_lu(s(l, 4)),
            static_cast<int>(n(l, 5)), n(l, 6) != 0};
    }
    for (const LigneTavo& l : im[ABSENCE]) {
        const auto id = static_cast<std::size_t>(n(l, 0));
        if (id < 1 || id > joueurs.size())
            return formater("une absence demandée nomme le joueur %zu, qui n'existe pas", id);
        joueurs[id - 1].second.absences.push_back({static_cast<int>(n(l, 1)), n(l, 2) != 0});
    }
    std::stable_sort(joueurs.begin(), joueurs.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (auto& [rang, j] : joueurs) t.joueurs.push_back(std::move(j));
    t.rondes.resize(nb_rondes);
    for (const LigneTavo& l : im[APPARIEMENT]) {
        const auto r = static_cast<std::size_t>(n(l, 0));
        if (r >= nb_rondes)
            return formater("la ronde %zu a des tables, mais n'est pas appariée", r + 1);
        auto& tables = t.rondes[r].tables;
        if (n(l, 1) != static_cast<std::int64_t>(tables.size()) + 1)
            return formater("Ronde %zu : les tables ne se suivent pas", r + 1);
        tables.push_back({static_cast<int>(n(l, 2)), static_cast<int>(n(l, 3)),
                          resultat_lu(s(l, 4)), static_cast<int>(n(l, 5)),
                          static_cast<int>(n(l, 6)), forfait_lu(s(l, 7))});
    }
    for (const LigneTavo& l : im[INTERDIT]) {
        const auto a = static_cast<int>(n(l, 0)), b = static_cast<int>(n(l, 1));
        if (b > t.nb_joueurs())
            return formater("l'appariement interdit %d-%d nomme un joueur absent", a, b);
        t.interdits.emplace_back(a, b);
    }
    t.indexer_joueurs();
    return desaccord(t);
}

void lier(Requete& requete, int parametre, const ValeurTavo& valeur) {
    if (const auto* entier = std::get_if<std::int64_t>(&valeur))
        requete.lier(parametre, *entier);
    else
        requete.lier(parametre, std::get<std::string>(valeur));
}

// Runs `requete` once for each row, its first `colonnes` values as parameters.
bool executer_pour(Requete& requete, const std::vector<const LigneTavo*>& lignes,
                   std::size_t colonnes) {
    for (const LigneTavo* ligne : lignes) {
        for (std::size_t c = 0; c < colonnes; ++c)
            lier(requete, static_cast<int>(c + 1), (*ligne)[c]);
        if (!requete.executer()) return false;
        requete.reprendre();
    }
    return true;
}

bool meme_cle(const LigneTavo& a, const LigneTavo& b, std::size_t cle) {
    return std::equal(a.begin(), a.begin() + static_cast<std::ptrdiff_t>(cle), b.begin());
}

// What turns the rows of the file into those of the tournament, table by
// table. A row of the same key with other values is deleted and inserted
// again, but for a player's: the games and the tables refer to players, and
// deleting one would make SQLite look through them all; his row is updated
// in place instead.
struct Differences {
    std::array<std::vector<const LigneTavo*>, NB_TABLES_TAVO> supprimees, inserees, changees;
};

Differences differences(const ImageTavo& avant, const ImageTavo& apres) {
    Differences d;
    for (std::size_t k = 0; k < tables().size(); ++k) {
        const std::size_t cle = tables()[k].cle;
        const auto& vieilles = avant[k];
        const auto& neuves = apres[k];
        std::size_t i = 0, j = 0;
        while (i < vieilles.size() || j < neuves.size()) {
            const bool meme =
                i < vieilles.size() && j < neuves.size() && meme_cle(vieilles[i], neuves[j], cle);
            if (!meme && (j == neuves.size() || (i < vieilles.size() && vieilles[i] < neuves[j]))) {
                d.supprimees[k].push_back(&vieilles[i++]);
            } else if (!meme) {
                d.inserees[k].push_back(&neuves[j++]);
            } else {
                if (vieilles[i] != neuves[j] && k == JOUEUR) {
                    d.changees[k].push_back(&neuves[j]);
                } else if (vieilles[i] != neuves[j]) {
                    d.supprimees[k].push_back(&vieilles[i]);
                    d.inserees[k].push_back(&neuves[j]);
                }
                ++i;
                ++j;
            }
        }
    }
    return d;
}

// The players whose rows changed, updated in place. Places in the standings
// are unique: each first goes to a place below 0 of its own (-1 - its new
// place; the file's places count from 0), then to its new one.
bool mettre_a_jour_joueurs(BaseDonnees& base, const std::vector<const LigneTavo*>& changees) {
    if (changees.empty()) return true;
    const Description& d = tables()[JOUEUR];
    const std::size_t rang = d.colonnes.size() - 1;
    Requete ecarter(base, std::string("UPDATE joueur SET ") + d.colonnes[rang].nom +
                              " = -1 - ?2 WHERE numero = ?1");
    for (const LigneTavo* ligne : changees) {
        lier(ecarter, 1, (*ligne)[0]);
        lier(ecarter, 2, (*ligne)[rang]);
        if (!ecarter.executer()) return false;
        ecarter.reprendre();
    }
    std::string sql = "UPDATE joueur SET ";
    for (std::size_t c = d.cle; c < d.colonnes.size(); ++c)
        sql +=
            std::string(c > d.cle ? ", " : "") + d.colonnes[c].nom + " = ?" + std::to_string(c + 1);
    Requete mise_a_jour(base, sql + " WHERE numero = ?1");
    return executer_pour(mise_a_jour, changees, d.colonnes.size());
}

// Turns the rows `avant` of the file into `apres`: the rows that went or
// changed are deleted first, so that no unique column ever holds a value
// twice on the way; then the players are updated and the new rows inserted,
// the players before what refers to them.
bool ecrire_differences(BaseDonnees& base, const ImageTavo& avant, const ImageTavo& apres) {
    const Differences d = differences(avant, apres);
    for (std::size_t k = 0; k < tables().size(); ++k) {
        if (d.supprimees[k].empty()) continue;
        Requete suppression(base, sql_suppression(tables()[k]));
        if (!executer_pour(suppression, d.supprimees[k], tables()[k].cle)) return false;
    }
    if (!mettre_a_jour_joueurs(base, d.changees[JOUEUR])) return false;
    for (std::size_t k = 0; k < tables().size(); ++k) {
        if (d.inserees[k].empty()) continue;
        Requete insertion(base, sql_insertion(tables()[k]));
        if (!executer_pour(insertion, d.inserees[k], tables()[k].colonnes.size())) return false;
    }
    return true;
}

}  // namespace

bool FichierTavo::refus(std::string message) {
    erreur_ = std::move(message);
    return false;
}

bool FichierTavo::ouvrir(const std::string& chemin, const OptionsBase& options) {
    action_.reset();
    connues_.reset();
    erreur_.clear();
    return base_.ouvrir(chemin, BaseDonnees::Ouverture::existant, options);
}

bool FichierTavo::creer(const std::string& chemin, Tournoi& t, const OptionsBase& options) {
    erreur_.clear();
    FichierTemporaire temporaire(chemin);
    if (!temporaire.ouvert()) return refus("Impossible d'ouvrir le fichier : " + chemin);
    const bool ecrit = ouvrir(temporaire.chemin(), options) && ecrire(t);
    // Messages name the file being created, not its temporary name.
    std::string message = erreur();
    const std::string nom_temporaire =
        std::filesystem::path(temporaire.chemin()).filename().string();
    for (std::size_t a; (a = message.find(nom_temporaire)) != std::string::npos;)
        message.replace(a, nom_temporaire.size(),
                        std::filesystem::path(chemin).filename().string());
    base_.fermer();
    connues_.reset();
    if (!ecrit) return refus(message);
    if (!temporaire.creer()) {
        return refus(errno == EEXIST ? "Le fichier existe déjà : " + chemin
                                     : "Impossible d'ouvrir le fichier : " + chemin);
    }
    return true;
}

bool FichierTavo::commencer() {
    erreur_.clear();
    action_.reset();
    action_ = std::make_unique<Transaction>(base_);
    if (action_->commencee()) return true;
    action_.reset();
    return false;
}

bool FichierTavo::lire_image(ImageTavo& image) {
    for (std::size_t k = 0; k < tables().size(); ++k) {
        const Description& d = tables()[k];
        Requete lecture(base_, sql_lecture(d));
        while (lecture.ligne()) {
            LigneTavo ligne;
            ligne.reserve(d.colonnes.size());
            for (std::size_t c = 0; c < d.colonnes.size(); ++c) {
                const int colonne = static_cast<int>(c);
                if (d.colonnes[c].texte)
                    ligne.emplace_back(lecture.texte(colonne));
                else
                    ligne.emplace_back(lecture.entier(colonne));
            }
            image[k].push_back(std::move(ligne));
        }
        if (lecture.echec()) return false;
    }
    const auto version = base_.entier("PRAGMA data_version");
    if (!version) return false;
    version_connue_ = *version;
    return true;
}

// True when the rows kept are still those of the file: no other connection
// committed since they were read or written.
bool FichierTavo::connues_valables() {
    return connues_ && base_.entier("PRAGMA data_version") == version_connue_;
}

bool FichierTavo::lire(Tournoi& t) {
    erreur_.clear();
    std::optional<Transaction> lecture;
    if (!action_) {
        lecture.emplace(base_, Transaction::Sorte::lecture);
        if (!lecture->commencee()) return false;
    }
    ImageTavo image;
    if (!lire_image(image)) return false;
    auto lu = std::make_unique<Tournoi>();
    const std::string defaut = tournoi_de_l_image(image, *lu);
    if (!defaut.empty()) return refus(message_lecture(ErreurLecture::desaccord, defaut));
    if (lecture && !lecture->valider()) return false;
    connues_ = std::move(image);
    t = std::move(*lu);
    return true;
}

bool FichierTavo::ecrire(Tournoi& t) {
    erreur_.clear();
    // The action ends with this call, committed or undone, so that a refusal
    // never keeps other programs waiting.
    std::unique_ptr<Transaction> action = std::move(action_);
    ImageTavo image = image_du_tournoi(t);
    // What is stored must read back as this very tournament.
    auto relu = std::make_unique<Tournoi>();
    std::string defaut = tournoi_de_l_image(image, *relu);
    relu->entete.modifie = t.entete.modifie;
    relu->limites_1998 = t.limites_1998;
    t.indexer_joueurs();
    if (defaut.empty() && !(*relu == t)) defaut = "le tournoi relu ne serait pas le même";
    if (!defaut.empty())
        return refus("Sauvegarde refusée, le fichier ne se relirait pas. " +
                     message_lecture(ErreurLecture::desaccord, defaut));
    if (!action) {
        action = std::make_unique<Transaction>(base_);
        if (!action->commencee()) return false;
    }
    if (!connues_valables()) {
        connues_.emplace();
        if (!lire_image(*connues_)) {
            connues_.reset();
            return false;
        }
    }
    if (!ecrire_differences(base_, *connues_, image) || !action->valider()) {
        connues_.reset();
        return false;
    }
    connues_ = std::move(image);
    t.entete.modifie = false;
    return true;
}

}  // namespace tavo
