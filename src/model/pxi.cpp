#include "model/pxi.h"

#include <algorithm>
#include <cstring>
#include <memory>

#include "model/accord.h"
#include "model/texte.h"

namespace tavo {
namespace {

// The file's blocks as read, before they become a tournament.
struct Image {
    pxi::EnteteTournoi entete{};
    std::vector<pxi::Joueur> joueurs;
    std::vector<std::int16_t> nb_app;
    std::vector<std::vector<pxi::Appariement>> groupes;  // N records a round
};

// Reads the blocks one record at a time, as the file was written.
class Lecteur {
  public:
    explicit Lecteur(std::string_view octets) : reste_(octets) {}

    template <typename T>
    bool lire(T& dest) {
        if (reste_.size() < sizeof(T)) return false;
        std::memcpy(&dest, reste_.data(), sizeof(T));
        reste_.remove_prefix(sizeof(T));
        return true;
    }

  private:
    std::string_view reste_;
};

template <typename T>
void ajouter_octets(std::vector<char>& out, const T& valeur) {
    const char* debut = reinterpret_cast<const char*>(&valeur);
    out.insert(out.end(), debut, debut + sizeof(T));
}

bool id_valide(std::int16_t id, int nb_joueurs) {
    return id == ID_AUCUN || id == ID_FORFAIT || id == ID_QUALIFIE || (id >= 1 && id <= nb_joueurs);
}

// A text field ends with its NUL within the field, and holds no control
// character (a line break in a name would break the reports and team files).
template <std::size_t N>
bool texte_termine(const char (&f)[N]) {
    const std::size_t n = strnlen(f, N);
    return n < N && std::none_of(f, f + n, [](char c) {
               const auto octet = static_cast<unsigned char>(c);
               return octet < 0x20 || octet == 0x7F;
           });
}

bool drapeau(std::uint8_t valeur) {
    return valeur == 0 || valeur == 1;
}

bool entete_valide(const pxi::EnteteTournoi& e) {
    if (e.nb_joueurs < 0 || e.nb_joueurs > pxi::MAX_JOUEURS) return false;
    if (!texte_termine(e.date) || !texte_termine(e.nom) || !texte_termine(e.jeu)) return false;
    if (!drapeau(e.othello)) return false;
    // The rounds planned: 0 to 15, never fewer than the rounds already paired.
    if (e.nb_rondes < 0 || e.nb_rondes > pxi::MAX_RONDES || e.nb_rondes < e.ronde_courante + 1)
        return false;
    if (e.ronde_courante < -1 || e.ronde_courante >= pxi::MAX_RONDES) return false;
    if (e.nb_departages < 0 || e.nb_departages > NB_SYSTEMES_DEPARTAGE) return false;
    for (int i = 0; i < e.nb_departages; ++i)
        if (e.departages[i] < 0 || e.departages[i] >= NB_SYSTEMES_DEPARTAGE) return false;
    return true;
}

// The values a player record can hold: its texts ended, its flags 0 or 1,
// colours, points and discs within their ranges.
bool fiche_valide(const pxi::Joueur& j) {
    if (!texte_termine(j.nom) || !texte_termine(j.prenom) || !texte_termine(j.ne_le) ||
        !texte_termine(j.equipe))
        return false;
    if (!drapeau(j.fille) || !drapeau(j.actif)) return false;
    for (int r = 0; r < pxi::MAX_RONDES; ++r)
        if (j.couleurs[r] > SANS_PARTIE || j.resultats[r] > 2 || j.pions[r] > 64) return false;
    return true;
}

// Numbers 1..nb_joueurs each once, and every opponent a player or a special
// number.
bool joueurs_valides(const Image& im) {
    const int n = im.entete.nb_joueurs;
    std::vector<bool> vu(static_cast<std::size_t>(n) + 1, false);
    for (const pxi::Joueur& j : im.joueurs) {
        if (j.id < 1 || j.id > n || vu[static_cast<std::size_t>(j.id)]) return false;
        vu[static_cast<std::size_t>(j.id)] = true;
        if (!fiche_valide(j)) return false;
        for (std::int16_t adversaire : j.adversaires)
            if (!id_valide(adversaire, n)) return false;
    }
    return true;
}

// A round cannot have more tables than half its players, rounded up.
bool nb_app_valide(std::int16_t nb, int nb_joueurs) {
    return nb >= 0 && nb <= pxi::MAX_TABLES && nb <= (nb_joueurs + 1) / 2;
}

// Points 0 to 2, discs 0 to 64, the entered flag 0 or 1.
bool table_valide(const pxi::Appariement& a) {
    return a.res_blanc <= 2 && a.res_noir <= 2 && a.pions_blanc <= 64 && a.pions_noir <= 64 &&
           drapeau(a.saisi);
}

bool zero(const pxi::Appariement& a) {
    static const pxi::Appariement rien{};
    return std::memcmp(&a, &rien, sizeof a) == 0;
}

ErreurLecture lire_blocs(std::string_view octets, Image& im) {
    Lecteur lecteur(octets);
    if (!lecteur.lire(im.entete) || !entete_valide(im.entete)) return ErreurLecture::tournoi;
    im.joueurs.resize(static_cast<std::size_t>(im.entete.nb_joueurs));
    for (pxi::Joueur& j : im.joueurs)
        if (!lecteur.lire(j)) return ErreurLecture::joueurs;
    if (!joueurs_valides(im)) return ErreurLecture::joueurs;
    const int rondes = im.entete.ronde_courante + 1;
    im.nb_app.resize(static_cast<std::size_t>(rondes));
    for (std::int16_t& nb : im.nb_app)
        if (!lecteur.lire(nb) || !nb_app_valide(nb, im.entete.nb_joueurs))
            return ErreurLecture::nb_app;
    // Every round's group holds the current round's table count of records.
    const std::size_t n = rondes > 0 ? static_cast<std::size_t>(im.nb_app.back()) : 0;
    im.groupes.assign(static_cast<std::size_t>(rondes), std::vector<pxi::Appariement>(n));
    for (auto& groupe : im.groupes)
        for (pxi::Appariement& a : groupe)
            if (!lecteur.lire(a) || !id_valide(a.blanc, im.entete.nb_joueurs) ||
                !id_valide(a.noir, im.entete.nb_joueurs) || !table_valide(a))
                return ErreurLecture::app;
    return ErreurLecture::aucune;
}

std::string ronde(int r) {
    return formater("Ronde %d : ", r + 1);
}

// What the model cannot hold of records that contradict each other (the
// rest is found on the model, accord.h): rounds not paired that hold
// something, records past a round's table count, a table's points that do
// not go together, a table without players that holds something.
std::string desaccord_des_records(const Image& im) {
    const int courante = im.entete.ronde_courante;
    for (int r = courante + 1; r < pxi::MAX_RONDES; ++r)
        for (const pxi::Joueur& j : im.joueurs)
            if (j.adversaires[r] != ID_AUCUN || j.couleurs[r] != 0 || j.resultats[r] != 0 ||
                j.pions[r] != 0)
                return ronde(r) +
                       formater("le joueur %d a une partie, mais cette ronde n'est pas appariée",
                                j.id);
    for (int r = 0; r <= courante; ++r) {
        const auto& groupe = im.groupes[static_cast<std::size_t>(r)];
        const std::size_t compte = static_cast<std::size_t>(im.nb_app[static_cast<std::size_t>(r)]);
        for (std::size_t k = 0; k < groupe.size(); ++k) {
            const pxi::Appariement& a = groupe[k];
            if (k >= compte) {
                if (!zero(a))
                    return ronde(r) + formater("la table n°%zu est de trop : la ronde en a %zu",
                                               k + 1, compte);
                continue;
            }
            if (a.blanc == ID_AUCUN && a.noir == ID_AUCUN && !zero(a))
                return ronde(r) + formater("la table n°%zu ne réunit pas deux joueurs", k + 1);
            if (a.saisi != 0 && a.res_blanc + a.res_noir != 2)
                return ronde(r) +
                       formater("les résultats de la table n°%zu ne vont pas ensemble (%d-%d)",
                                k + 1, a.res_blanc, a.res_noir);
        }
    }
    return "";
}

// A player's result of a round as his record holds it: 0 points and 0 discs
// is no result when his opponent's record has none either (the round is not
// entered yet), a loss otherwise.
Resultat resultat_de_record(const Image& im, const std::vector<int>& positions,
                            const pxi::Joueur& j, int r) {
    if (j.resultats[r] != 0 || j.pions[r] != 0) return resultat_de(j.resultats[r]);
    const int a = j.adversaires[r];
    if (!est_joueur(a)) return Resultat::aucun;
    const pxi::Joueur& o =
        im.joueurs[static_cast<std::size_t>(positions[static_cast<std::size_t>(a)])];
    return o.resultats[r] == 0 && o.pions[r] == 0 ? Resultat::aucun : Resultat::perte;
}

void vers_modele(const Image& im, Tournoi& t) {
    const pxi::EnteteTournoi& e = im.entete;
    t = Tournoi{};
    t.entete.date = vers_utf8(champ(e.date));
    t.entete.nom = vers_utf8(champ(e.nom));
    t.entete.jeu = vers_utf8(champ(e.jeu));
    t.entete.departages.assign(e.departages, e.departages + e.nb_departages);
    t.entete.nb_rondes = e.nb_rondes;
    t.entete.nb_actifs = e.nb_actifs;
    t.entete.othello = e.othello != 0;
    t.entete.ronde_courante = e.ronde_courante;
    t.entete.modifie = false;  // a tournament just read has nothing unsaved
    t.limites_1998 = true;

    std::vector<int> positions(static_cast<std::size_t>(e.nb_joueurs) + 1, 0);
    for (std::size_t p = 0; p < im.joueurs.size(); ++p)
        positions[static_cast<std::size_t>(im.joueurs[p].id)] = static_cast<int>(p);
    const int rondes = e.ronde_courante + 1;
    for (const pxi::Joueur& r : im.joueurs) {
        Joueur j;
        j.id = r.id;
        j.nom = vers_utf8(champ(r.nom));
        j.prenom = vers_utf8(champ(r.prenom));
        j.ne_le = vers_utf8(champ(r.ne_le));
        j.equipe = vers_utf8(champ(r.equipe));
        j.elo = r.elo;
        j.fille = r.fille != 0;
        j.actif = r.actif != 0;
        j.points = r.points;
        j.flotte_bas = r.flotte_bas != 0;
        j.flotte_haut = r.flotte_haut != 0;
        for (int k = 0; k < rondes; ++k)
            j.rondes.push_back({r.adversaires[k], r.couleurs[k],
                                resultat_de_record(im, positions, r, k), r.pions[k]});
        t.joueurs.push_back(std::move(j));
    }
    for (int k = 0; k < rondes; ++k) {
        Ronde ronde;
        const auto& groupe = im.groupes[static_cast<std::size_t>(k)];
        for (int table = 0; table < im.nb_app[static_cast<std::size_t>(k)]; ++table) {
            Appariement a;
            if (static_cast<std::size_t>(table) < groupe.size()) {
                const pxi::Appariement& r = groupe[static_cast<std::size_t>(table)];
                a.blanc = r.blanc;
                a.noir = r.noir;
                a.res_blanc = r.saisi != 0 ? resultat_de(r.res_blanc) : Resultat::aucun;
                a.pions_blanc = r.pions_blanc;
                a.pions_noir = r.pions_noir;
            }
            ronde.tables.push_back(a);
        }
        t.rondes.push_back(std::move(ronde));
    }
    t.indexer_joueurs();
}

// The model's text in a field of the file: Windows-1252, cut to the field.
template <std::size_t N>
void ecrire_champ(char (&f)[N], const std::string& utf8) {
    copier_champ(f, vers_cp1252(utf8));
}

pxi::EnteteTournoi entete_du_modele(const Tournoi& t) {
    pxi::EnteteTournoi e{};
    ecrire_champ(e.date, t.entete.date);
    ecrire_champ(e.nom, t.entete.nom);
    ecrire_champ(e.jeu, t.entete.jeu);
    const std::size_t n = std::min<std::size_t>(t.entete.departages.size(), pxi::MAX_DEPARTAGES);
    for (std::size_t i = 0; i < n; ++i) {
        const int id = t.entete.departages[i];
        e.departages[i] = static_cast<std::int16_t>(id);
        if (id >= 0 && id < NB_SYSTEMES_DEPARTAGE)
            std::memcpy(e.abrev_departages[i], LIBELLES_DEPARTAGE[static_cast<std::size_t>(id)], 3);
    }
    e.nb_rondes = static_cast<std::int16_t>(t.entete.nb_rondes);
    e.nb_departages = static_cast<std::int16_t>(n);
    e.nb_joueurs = static_cast<std::int16_t>(t.nb_joueurs());
    e.nb_actifs = static_cast<std::int16_t>(t.entete.nb_actifs);
    e.othello = t.entete.othello ? 1 : 0;
    e.ronde_courante = static_cast<std::int16_t>(t.entete.ronde_courante);
    e.modifie = 0;
    return e;
}

pxi::Joueur joueur_du_modele(const Joueur& j, int rondes) {
    pxi::Joueur r{};
    r.id = static_cast<std::int16_t>(j.id);
    ecrire_champ(r.nom, j.nom);
    ecrire_champ(r.prenom, j.prenom);
    ecrire_champ(r.ne_le, j.ne_le);
    ecrire_champ(r.equipe, j.equipe);
    r.elo = static_cast<std::int16_t>(j.elo);
    r.fille = j.fille ? 1 : 0;
    r.actif = j.actif ? 1 : 0;
    r.points = static_cast<std::int16_t>(j.points);
    r.flotte_bas = j.flotte_bas ? 1 : 0;
    r.flotte_haut = j.flotte_haut ? 1 : 0;
    const int n = std::min({rondes, static_cast<int>(j.rondes.size()), pxi::MAX_RONDES});
    for (int k = 0; k < n; ++k) {
        const RondeJoueur& rj = j.rondes[static_cast<std::size_t>(k)];
        r.adversaires[k] = static_cast<std::int16_t>(rj.adversaire);
        r.couleurs[k] = rj.couleur;
        r.resultats[k] = static_cast<std::uint8_t>(demi_points(rj.resultat));
        r.pions[k] = static_cast<std::uint8_t>(rj.pions);
    }
    return r;
}

pxi::Appariement table_du_modele(const Appariement& a) {
    pxi::Appariement r{};
    if (a.vide()) return r;
    r.blanc = static_cast<std::int16_t>(a.blanc);
    r.noir = static_cast<std::int16_t>(a.noir);
    r.saisi = a.saisi() ? 1 : 0;
    r.res_blanc = static_cast<std::uint8_t>(demi_points(a.res_blanc));
    r.res_noir = static_cast<std::uint8_t>(a.saisi() ? demi_points(a.res_noir()) : 0);
    r.pions_blanc = static_cast<std::uint8_t>(a.pions_blanc);
    r.pions_noir = static_cast<std::uint8_t>(a.pions_noir);
    return r;
}

// The first text of a list that the file cannot hold, as "quoi « texte »";
// "" when every one fits.
std::string texte_hors_limites(const std::string& texte, std::size_t longueur,
                               const std::string& quoi) {
    if (const auto c = caractere_impossible(texte))
        return quoi + " « " + texte + " » contient « " + *c +
               " », que le fichier .pxi ne peut pas enregistrer";
    if (vers_cp1252(texte).size() > longueur)
        return quoi + formater(" « %s » dépasse les %zu caractères du fichier .pxi", texte.c_str(),
                               longueur);
    return "";
}

}  // namespace

namespace {}  // namespace

const char* detail_federal(const Joueur& j) {
    if (!j.club.empty()) return "son club";
    if (!j.federation.empty()) return "sa fédération";
    if (j.fide_id != 0) return "son identifiant FIDE";
    if (!j.id_national.empty()) return "son identifiant national";
    if (!j.titre.empty()) return "son titre";
    return nullptr;
}

std::string hors_limites_1998(const Tournoi& t) {
    using L = Limites1998;
    if (t.nb_joueurs() > L::joueurs)
        return formater("le tournoi compte %d joueurs, le fichier .pxi %d au plus", t.nb_joueurs(),
                        L::joueurs);
    if (t.entete.nb_rondes > L::rondes || t.entete.ronde_courante >= L::rondes)
        return formater("le tournoi compte %d rondes, le fichier .pxi %d au plus",
                        std::max(t.entete.nb_rondes, t.entete.ronde_courante + 1), L::rondes);
    for (int r = 0; r < static_cast<int>(t.rondes.size()); ++r)
        if (t.nb_tables(r) > L::tables)
            return formater("la ronde n°%d compte %d tables, le fichier .pxi %d au plus", r + 1,
                            t.nb_tables(r), L::tables);
    if (t.entete.departages.size() > static_cast<std::size_t>(pxi::MAX_DEPARTAGES))
        return "le tournoi a trop de départages pour le fichier .pxi";
    const struct {
        const std::string& texte;
        std::size_t longueur;
        const char* quoi;
    } entete[] = {{t.entete.date, L::date, "la date"},
                  {t.entete.nom, L::nom_tournoi, "le nom du tournoi"},
                  {t.entete.jeu, L::jeu, "le jeu"}};
    for (const auto& e : entete)
        if (auto refus = texte_hors_limites(e.texte, e.longueur, e.quoi); !refus.empty())
            return refus;
    for (const Joueur& j : t.joueurs) {
        const std::string qui = formater("le joueur n°%d : ", j.id);
        const struct {
            const std::string& texte;
            std::size_t longueur;
            const char* quoi;
        } champs[] = {{j.nom, L::nom, "le nom"},
                      {j.prenom, L::prenom, "le prénom"},
                      {j.ne_le, L::ne_le, "la date de naissance"},
                      {j.equipe, L::equipe, "le code d'équipe"}};
        for (const auto& c : champs)
            if (auto refus = texte_hors_limites(c.texte, c.longueur, c.quoi); !refus.empty())
                return qui + refus;
        if (const char* detail = detail_federal(j))
            return qui + "le fichier .pxi ne peut pas garder " + detail;
        if (!j.absences.empty())
            return qui +
                   formater(
                       "le fichier .pxi ne peut pas garder son absence demandée à la ronde n°%d",
                       j.absences.front().ronde + 1);
    }
    for (int r = 0; r < static_cast<int>(t.rondes.size()); ++r)
        for (int k = 0; k < t.nb_tables(r); ++k)
            if (t.table(r, k).forfait != Forfait::aucun)
                return formater(
                    "le fichier .pxi ne peut pas garder le forfait de la table n°%d de la ronde "
                    "n°%d",
                    k + 1, r + 1);
    const EnteteTournoi defaut;
    if (t.entete.demi_points_max != defaut.demi_points_max ||
        t.entete.dernieres_rondes_sans_demi != defaut.dernieres_rondes_sans_demi)
        return "le fichier .pxi ne peut pas garder les limites des absences à demi-point";
    if (!t.interdits.empty())
        return formater(
            "le fichier .pxi ne peut pas garder l'appariement interdit des joueurs "
            "%d et %d",
            t.interdits.front().first, t.interdits.front().second);
    return "";
}

std::vector<char> image_fichier(const Tournoi& t) {
    std::vector<char> out;
    ajouter_octets(out, entete_du_modele(t));
    const int rondes = t.entete.ronde_courante + 1;
    for (const Joueur& j : t.joueurs) ajouter_octets(out, joueur_du_modele(j, rondes));
    for (int r = 0; r < rondes; ++r) ajouter_octets(out, static_cast<std::int16_t>(t.nb_tables(r)));
    // Every round's group has the current round's table count.
    const int n = rondes > 0 ? t.nb_tables(rondes - 1) : 0;
    for (int k = 0; k < rondes; ++k)
        for (int table = 0; table < n; ++table) {
            const auto& tables = t.rondes[static_cast<std::size_t>(k)].tables;
            ajouter_octets(out, table < static_cast<int>(tables.size())
                                    ? table_du_modele(tables[static_cast<std::size_t>(table)])
                                    : pxi::Appariement{});
        }
    return out;
}

ErreurLecture lire_image(std::string_view octets, Tournoi& dest, std::string* detail) {
    auto im = std::make_unique<Image>();
    const ErreurLecture erreur = lire_blocs(octets, *im);
    if (erreur != ErreurLecture::aucune) return erreur;
    std::string contradiction = desaccord_des_records(*im);
    if (contradiction.empty()) {
        vers_modele(*im, dest);
        contradiction = desaccord(dest);
    }
    if (contradiction.empty()) return ErreurLecture::aucune;
    if (detail) *detail = contradiction;
    return ErreurLecture::desaccord;
}

std::string message_lecture(ErreurLecture erreur, const std::string& detail) {
    switch (erreur) {
        case ErreurLecture::tournoi:
            return "Erreur de lecture TOURNOI dans ce fichier";
        case ErreurLecture::joueurs:
            return "Erreur de lecture JOUEURS [] dans ce fichier";
        case ErreurLecture::nb_app:
            return "Erreur de lecture NB_APP [] dans ce fichier";
        case ErreurLecture::app:
            return "Erreur de lecture APP [][] dans ce fichier";
        case ErreurLecture::desaccord:
            return "Fichier incohérent. " + detail;
        case ErreurLecture::aucune:
            break;
    }
    return "";
}

}  // namespace tavo
