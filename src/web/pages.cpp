#include "web/pages.h"

#include "gestion/rapports.h"
#include "gestion/tableau_de_bord.h"
#include "model/texte.h"
#include "reports/tableau.h"
#include "web/code_qr.h"

namespace tavo::web {
namespace {

// Larger links and fields, easy to touch on a phone. A field's text of 16
// pixels keeps phones from zooming into it.
const char* const kStyleSite =
    "<style>\n"
    "nav { margin-bottom: 6pt; }\n"
    "nav a { display: inline-block; padding: 6px 8px; margin: 0 2px 2px 0; background: #e8e8e8;"
    " color: #000; text-decoration: none; border-radius: 4px; }\n"
    "nav a.ici { background: #333; color: #fff; }\n"
    "form { margin: 6pt 0; }\n"
    "input, button { font-size: 16px; padding: 4px; }\n"
    "input { max-width: 60vw; }\n"
    "td a { color: inherit; }\n"
    "@media print { nav, form { display: none; } }\n"
    "</style>\n";

struct Rubrique {
    const char* chemin;
    const char* nom;
    const char* description;
};

const Rubrique kRubriques[] = {
    {"/ronde", "Ronde en cours", "les tables de la ronde, avec les résultats déjà connus"},
    {"/classement", "Classement", "le classement après la dernière ronde complète"},
    {"/grille", "Grille", "la grille américaine : chaque partie de chaque joueur"},
    {"/joueurs", "Joueurs", "la liste des joueurs ; chaque nom mène à ses parties"},
    {"/affiche", "Affiche", "l'adresse et son code QR, à imprimer et afficher dans la salle"},
};

std::string navigation(const std::string& ici) {
    std::string nav = "<nav>";
    const auto lien = [&](const char* chemin, const char* nom) {
        nav += std::string("<a href=\"") + chemin + "\"" + (ici == chemin ? " class=\"ici\"" : "") +
               ">" + nom + "</a>";
    };
    lien("/", "Accueil");
    for (const Rubrique& r : kRubriques)
        if (std::string(r.chemin) != "/affiche") lien(r.chemin, r.nom);
    return nav + "</nav>\n";
}

// The head of every page but the poster: the version the script compares,
// a reload every 30 seconds for a phone without scripts, the script itself.
std::string tete(std::uint64_t version) {
    return "<meta name=\"tavo-version\" content=\"" + std::to_string(version) +
           "\">\n<noscript><meta http-equiv=\"refresh\" content=\"30\"></noscript>\n"
           "<script src=\"/direct.js\" defer></script>\n" +
           kStyleSite;
}

std::string recherche_html(const std::string& action, const std::string& recherche,
                           const char* bouton) {
    return "<form action=\"" + action +
           "\" method=\"get\" role=\"search\"><label>Nom : <input type=\"search\" name=\"nom\" "
           "value=\"" +
           echapper_html(recherche) + "\" autocomplete=\"off\"></label> <button type=\"submit\">" +
           bouton + "</button></form>\n";
}

std::string lien_joueur(int id) {
    return id > 0 ? "/joueur/" + std::to_string(id) : std::string();
}

Tableau tableau_de(const Tournoi& t, const gestion::Grille& g, const std::string& ronde) {
    Tableau tab;
    commencer_tableau(t, ronde, tab);
    tab.colonnes = g.colonnes;
    for (std::size_t i = 0; i < g.lignes.size(); ++i) {
        std::vector<Cellule> cellules;
        for (std::size_t c = 0; c < g.lignes[i].size(); ++c) {
            cellules.push_back(Cellule::de_texte(g.lignes[i][c]));
            if (i < g.joueurs.size() && c < g.joueurs[i].size())
                cellules.back().lien = lien_joueur(g.joueurs[i][c]);
        }
        tab.lignes.push_back(std::move(cellules));
    }
    return tab;
}

std::string numero_ronde(const Tournoi& t) {
    return t.entete.ronde_courante < 0 ? std::string()
                                       : formater("Ronde n°%d", t.entete.ronde_courante + 1);
}

std::string page_accueil(const Tournoi& t, std::uint64_t version) {
    Tableau tab;
    commencer_tableau(t, gestion::etat_ronde(t), tab);
    tab.titre = t.entete.nom.empty() ? "Tournoi" : t.entete.nom;
    tab.colonnes = {"Page", "Ce qu'elle montre"};
    for (const Rubrique& r : kRubriques) {
        tab.lignes.push_back({Cellule::de_texte(r.nom), Cellule::de_texte(r.description)});
        tab.lignes.back()[0].lien = r.chemin;
    }
    return ecrire_html(
        tab, {},
        {tete(version), navigation("/") + recherche_html("/ronde", "", "Trouver ma table"), ""});
}

std::string page_ronde(const Tournoi& t, const std::string& recherche, std::uint64_t version) {
    const gestion::Grille g = gestion::grille_ronde(t, recherche);
    Tableau tab = tableau_de(t, g, numero_ronde(t));
    tab.titre = "Appariements";
    tab.entete.push_back(gestion::texte_sans_resultat(t));
    if (!recherche.empty() && g.lignes.empty())
        tab.entete.push_back("Aucune table pour « " + recherche + " »");
    return ecrire_html(
        tab, {},
        {tete(version),
         navigation("/ronde") + recherche_html("/ronde", recherche, "Trouver ma table"), ""});
}

std::string page_classement(const Tournoi& t, std::uint64_t version) {
    Tableau tab = tableau_de(t, gestion::grille_classement(t), gestion::etat_ronde(t));
    tab.titre = "Classement";
    return ecrire_html(tab, {}, {tete(version), navigation("/classement"), ""});
}

// The crosstable report, each player's number and name made a link to his
// page.
std::string page_grille(const Tournoi& t, std::uint64_t version) {
    Rapport rapport;
    gestion::produire_rapport(t, gestion::SorteRapport::grille, rapport);
    Tableau tab = rapport.tableau();
    for (std::vector<Cellule>& ligne : tab.lignes) {
        for (std::size_t c = 0; c < ligne.size() && c < tab.colonnes.size(); ++c) {
            if (tab.colonnes[c] != "N°" || ligne[c].sorte != Cellule::Sorte::nombre) continue;
            ligne[c].lien = lien_joueur(ligne[c].valeur);
            if (c + 1 < ligne.size()) ligne[c + 1].lien = ligne[c].lien;
        }
    }
    return ecrire_html(tab, rapport.titre(), {tete(version), navigation("/grille"), ""});
}

std::string page_joueurs(const Tournoi& t, const std::string& recherche, std::uint64_t version) {
    Tableau tab = tableau_de(t, gestion::grille_joueurs(t, recherche), {});
    tab.titre = "Joueurs";
    return ecrire_html(
        tab, {},
        {tete(version), navigation("/joueurs") + recherche_html("/joueurs", recherche, "Chercher"),
         ""});
}

std::string page_joueur(const Tournoi& t, int id, std::uint64_t version) {
    const Joueur& j = t.joueur(id);
    const gestion::Grille g = gestion::grille_parties(t, id);
    Tableau tab = tableau_de(t, g, {});
    tab.titre = j.nom + " " + j.prenom;
    std::string fiche = formater("Joueur n°%d", id);
    if (j.elo > 0) fiche += formater(", Elo %d", j.elo);
    if (!j.club.empty() || !j.equipe.empty()) fiche += ", " + (j.club.empty() ? j.equipe : j.club);
    tab.entete.push_back(fiche);
    if (!g.lignes.empty()) tab.entete.push_back("Points : " + g.lignes.back().back());
    return ecrire_html(tab, {}, {tete(version), navigation({}), ""});
}

// The poster: big enough to be read and scanned from a few steps away, on
// one A4 page.
std::string page_affiche(const Tournoi& t, const Affiche& affiche) {
    const std::string nom = echapper_html(t.entete.nom.empty() ? "Tournoi" : t.entete.nom);
    std::string page =
        "<!DOCTYPE html>\n<html lang=\"fr\">\n<head>\n<meta charset=\"utf-8\">\n"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n<title>" +
        nom +
        " : affiche</title>\n<style>\n"
        "body { font-family: sans-serif; text-align: center; margin: 0; padding: 4vmin; }\n"
        "h1 { font-size: 8vmin; margin: 0 0 3vmin 0; }\n"
        "p { font-size: 5vmin; margin: 2vmin 0; }\n"
        "p.adresse { font-family: monospace; font-size: 6vmin; font-weight: bold;"
        " overflow-wrap: anywhere; }\n"
        "div.qr { width: 60vmin; height: 60vmin; margin: 2vmin auto; }\n"
        "div.qr svg { width: 100%; height: 100%; }\n"
        "@page { size: A4; margin: 10mm; }\n"
        "</style>\n</head>\n<body>\n<h1>" +
        nom + "</h1>\n<p>Appariements et classement sur votre téléphone</p>\n";
    if (!affiche.reseau.empty())
        page += "<p>1. Rejoignez le réseau Wi-Fi <strong>" + echapper_html(affiche.reseau) +
                "</strong></p>\n<p>2. Scannez le code ou ouvrez l'adresse :</p>\n";
    else
        page += "<p>Scannez le code ou ouvrez l'adresse :</p>\n";
    if (const auto code = coder_qr(affiche.adresse))
        page += "<div class=\"qr\">" + svg_qr(*code) + "</div>\n";
    page += "<p class=\"adresse\">" + echapper_html(affiche.adresse) + "</p>\n</body>\n</html>\n";
    return page;
}

std::string page_introuvable() {
    Tableau tab;
    tab.titre = "Page introuvable";
    tab.entete.push_back("Cette page n'existe pas. Les pages du tournoi partent de l'accueil.");
    return ecrire_html(tab, {}, {kStyleSite, navigation({}), ""});
}

// The number of "/joueur/12", or 0.
int numero_dans(const std::string& chemin) {
    const std::string prefixe = "/joueur/";
    if (chemin.rfind(prefixe, 0) != 0) return 0;
    const std::string numero = chemin.substr(prefixe.size());
    if (numero.empty() || numero.size() > 6 ||
        numero.find_first_not_of("0123456789") != std::string::npos || numero[0] == '0')
        return 0;
    return std::stoi(numero);
}

}  // namespace

Page page(const Tournoi& t, const std::string& chemin, const std::string& recherche,
          const Affiche& affiche, std::uint64_t version) {
    // A name typed that is not text (invalid UTF-8) or too long to be one
    // finds nobody.
    const std::string nom = utf8_valide(recherche) && recherche.size() <= 100 ? recherche : "";
    if (chemin == "/") return {200, "text/html; charset=utf-8", page_accueil(t, version)};
    if (chemin == "/ronde") return {200, "text/html; charset=utf-8", page_ronde(t, nom, version)};
    if (chemin == "/classement")
        return {200, "text/html; charset=utf-8", page_classement(t, version)};
    if (chemin == "/grille") return {200, "text/html; charset=utf-8", page_grille(t, version)};
    if (chemin == "/joueurs")
        return {200, "text/html; charset=utf-8", page_joueurs(t, nom, version)};
    if (chemin == "/affiche") return {200, "text/html; charset=utf-8", page_affiche(t, affiche)};
    if (chemin == "/direct.js") return {200, "text/javascript; charset=utf-8", script_direct()};
    if (const int id = numero_dans(chemin); id > 0 && t.existe(id))
        return {200, "text/html; charset=utf-8", page_joueur(t, id, version)};
    return {404, "text/html; charset=utf-8", page_introuvable()};
}

const char* script_direct() {
    return R"((function () {
  "use strict";
  var version = document.querySelector('meta[name="tavo-version"]');
  if (!version || !window.fetch || !window.DOMParser) return;
  function texte(reponse) {
    if (!reponse.ok) throw new Error(reponse.status);
    return reponse.text();
  }
  function remplacer(html) {
    var page = new DOMParser().parseFromString(html, "text/html");
    var neuf = page.querySelector("main"), ancien = document.querySelector("main");
    var v = page.querySelector('meta[name="tavo-version"]');
    if (!neuf || !ancien || !v) return;
    ancien.replaceWith(document.importNode(neuf, true));
    version.content = v.content;
    document.title = page.title;
  }
  function verifier() {
    fetch("/version", { cache: "no-store" }).then(texte).then(function (v) {
      if (v.trim() === version.content) return;
      return fetch(location.href, { cache: "no-store" }).then(texte).then(remplacer);
    }).catch(function () {}).then(function () { setTimeout(verifier, 2000); });
  }
  setTimeout(verifier, 2000);
})();
)";
}

}  // namespace tavo::web
