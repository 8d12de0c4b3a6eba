#include "gestion/trf.h"

#include <memory>
#include <utility>
#include <vector>

#include "gestion/rapports.h"
#include "gestion/sorties.h"
#include "gestion/verifications.h"
#include "model/accord.h"
#include "model/disque.h"
#include "model/texte.h"
#include "reports/tableau.h"
#include "standings/scores.h"

namespace tavo::gestion {
namespace {

// A text in a field of `largeur` columns (characters), cut or padded with
// blanks.
std::string colonne(const std::string& texte, std::size_t largeur) {
    std::string c = premiers_caracteres(texte, largeur);
    return c + std::string(largeur - nb_caracteres(c), ' ');
}

bool chiffres(const std::string& s, std::size_t n) {
    return s.size() == n && s.find_first_not_of("0123456789") == std::string::npos;
}

// "JJ/MM/AA" or "JJ/MM/AAAA" as "AAAA/MM/JJ"; a two-digit year is of this
// century up to `pivot` (the tournament's own year), of the last one after.
// Ten blanks when the date is not complete or names no real day.
std::string date_trf(const std::string& date, int pivot) {
    const auto a = date.find('/');
    const auto b = date.find('/', a == std::string::npos ? a : a + 1);
    if (a == std::string::npos || b == std::string::npos) return std::string(10, ' ');
    std::string jour = date.substr(0, a), mois = date.substr(a + 1, b - a - 1),
                annee = date.substr(b + 1);
    while (!annee.empty() && annee.back() == ' ') annee.pop_back();
    if (!chiffres(jour, 2) || !chiffres(mois, 2)) return std::string(10, ' ');
    if (chiffres(annee, 2)) {
        const int aa = lire_entier(annee);
        annee = std::to_string(aa <= pivot ? 2000 + aa : 1900 + aa);
    } else if (!chiffres(annee, 4)) {
        return std::string(10, ' ');
    }
    if (!date_reelle(lire_entier(jour), lire_entier(mois), lire_entier(annee)))
        return std::string(10, ' ');
    return annee + "/" + mois + "/" + jour;
}

// The two-digit year of the tournament's date, or 99 when it has none: a
// birth year up to it is of this century.
int annee_pivot(const Tournoi& t) {
    const std::string d = date_trf(t.entete.date, 99);
    return d[0] == ' ' ? 99 : lire_entier(d.substr(2, 2));
}

// Points counted 1, 1/2, 0: "3.5".
std::string points_trf(int demis) {
    return formater("%d.%d", demis / 2, demis % 2 ? 5 : 0);
}

// One round of a player: opponent, colour, result ("+" and "-" for a
// forfeit); a bye is a pairing-allocated bye ("U", one point), a round asked
// to be missed or not played (inactive) an unpaired round worth what the
// records give it ("Z" none, "H" a half, "F" a whole point). Both have
// "0000" for opponent.
std::string ronde_trf(const Joueur& j, int r) {
    const RondeJoueur& rj = j.ronde(r);
    const int adv = rj.adversaire;
    const int res = demi_points(rj.resultat);
    if (adv == ID_QUALIFIE) return formater("0000 - %c", res >= 2 ? 'U' : res == 1 ? 'H' : 'Z');
    if (!est_joueur(adv)) return formater("0000 - %c", res >= 2 ? 'F' : res == 1 ? 'H' : 'Z');
    const char couleur = rj.couleur == BLANC ? 'w' : rj.couleur == NOIR ? 'b' : '-';
    if (rj.forfait) return formater("%4d %c %c", adv, couleur, res >= 2 ? '+' : '-');
    return formater("%4d %c %c", adv, couleur, res >= 2 ? '1' : res == 1 ? '=' : '0');
}

// A FIDE title as TRF16 writes it: "g" for GM, "wf" for WFM.
const char* titre_trf(const std::string& titre) {
    static const std::pair<const char*, const char*> kCodes[] = {
        {"GM", "g"},   {"IM", "m"},   {"FM", "f"},   {"CM", "c"},
        {"WGM", "wg"}, {"WIM", "wm"}, {"WFM", "wf"}, {"WCM", "wc"}};
    for (const auto& [nom, code] : kCodes)
        if (titre == nom) return code;
    return "";
}

}  // namespace

std::string texte_trf(const Tournoi& t, EncodageTrf encodage) {
    const Classement classement(t);
    const std::vector<int> rangs = classement.rangs();
    std::vector<int> rang_du_joueur(ID_SPECIAL, 0);
    for (std::size_t i = 0; i < rangs.size(); ++i)
        rang_du_joueur[static_cast<std::size_t>(classement.lignes()[i].id)] = rangs[i];
    int classes = 0;
    for (const Joueur& j : t.joueurs) classes += j.elo > 0;
    const int derniere = derniere_ronde_complete(t);
    const std::string date = date_trf(t.entete.date, 99);
    const std::string jeu = t.entete.jeu;

    std::string texte;
    const auto ligne = [&](const std::string& l) {
        std::string s = l;
        while (!s.empty() && s.back() == ' ') s.pop_back();
        texte += s + "\r\n";
    };
    ligne("012 " + t.entete.nom);
    ligne("022");
    ligne("032");
    ligne("042 " + (date[0] == ' ' ? std::string() : date));
    ligne("052 " + (date[0] == ' ' ? std::string() : date));
    ligne(formater("062 %d", t.nb_joueurs()));
    ligne(formater("072 %d", classes));
    ligne("082 0");
    ligne("092 Individual: Swiss-System" +
          (jeu.empty() || egal_sans_casse(jeu, "Echecs") ? std::string() : " (" + jeu + ")"));
    ligne("102");
    ligne("122");
    ligne(formater("XXR %d", t.entete.nb_rondes));
    // The pairs that must never meet, as the pairing engines read them.
    for (const auto& [a, b] : t.interdits) ligne(formater("XXP %d %d", a, b));

    const int pivot = annee_pivot(t);
    for (const Joueur& j : joueurs_par_numero(t)) {
        const int id = j.id;
        std::string l = formater("001 %4d %c%3s", id, j.fille ? 'w' : 'm', titre_trf(j.titre));
        l += " " + colonne(j.nom + "," + j.prenom, 33);
        l += " " + (j.elo > 0 ? formater("%4d", j.elo) : std::string(4, ' '));
        l += " " + colonne(j.federation, 3) + " " +
             (j.fide_id > 0 ? formater("%11lld", static_cast<long long>(j.fide_id))
                            : std::string(11, ' '));
        l += " " + date_trf(j.ne_le, pivot);
        l += " " + formater("%4s", points_trf(classement.ligne(id).points).c_str());
        l += " " + formater("%4d", rang_du_joueur[static_cast<std::size_t>(id)]);
        for (int r = 0; r <= derniere; ++r) l += "  " + ronde_trf(j, r);
        // A round the player asked to miss in the round to pair next: the
        // pairing engines read it as a bye announced (the points do not
        // count it yet).
        const Absence* annoncee = j.absence(derniere + 1);
        if (derniere == t.entete.ronde_courante && annoncee && derniere + 1 < t.entete.nb_rondes)
            l += formater("  0000 - %c", annoncee->demi_point ? 'H' : 'Z');
        ligne(l);
    }
    // Columns count characters: one byte each in Windows-1252.
    return encodage == EncodageTrf::utf8 ? texte : vers_cp1252(texte);
}

bool exporter_trf(const Tournoi& t, const std::filesystem::path& chemin, Interaction& io,
                  EncodageTrf encodage, const std::filesystem::path& source) {
    if (!sortie_permise(chemin, source, io)) return false;
    if (!ecrire_fichier_entier(chemin, texte_trf(t, encodage))) {
        refuser_ecriture(chemin, io);
        return false;
    }
    return true;
}

}  // namespace tavo::gestion
