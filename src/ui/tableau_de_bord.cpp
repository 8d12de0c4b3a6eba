#include "ui/tableau_de_bord.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "gestion/resultats.h"
#include "model/texte.h"
#include "ui/ihm.h"
#include "ui/texte_qt.h"

namespace tavo::ui {
namespace {

QTableWidget* table_lecture(QWidget* parent, const char* nom) {
    auto* t = new QTableWidget(parent);
    t->setObjectName(QString::fromLatin1(nom));
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->verticalHeader()->hide();
    t->setAlternatingRowColors(true);
    return t;
}

bool nombre(const std::string& texte) {
    return !texte.empty() &&
           texte.find_first_not_of("0123456789+-½¼¾,.") == std::string::npos;  // bytes of ½...
}

const char* kForfaits[] = {"", "Forfait blanc", "Forfait noir", "Double forfait"};

}  // namespace

void remplir(QTableWidget* table, const gestion::Grille& grille) {
    table->setUpdatesEnabled(false);
    table->clear();
    table->setColumnCount(static_cast<int>(grille.colonnes.size()));
    table->setRowCount(static_cast<int>(grille.lignes.size()));
    QStringList titres;
    for (const std::string& c : grille.colonnes) titres << qs(c);
    table->setHorizontalHeaderLabels(titres);
    for (int l = 0; l < table->rowCount(); ++l) {
        const auto& ligne = grille.lignes[static_cast<std::size_t>(l)];
        for (int c = 0; c < table->columnCount() && c < static_cast<int>(ligne.size()); ++c) {
            const std::string& texte = ligne[static_cast<std::size_t>(c)];
            auto* cellule = new QTableWidgetItem(qs(texte));
            if (nombre(texte)) cellule->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(l, c, cellule);
        }
    }
    table->resizeColumnsToContents();
    table->setUpdatesEnabled(true);
}

TableauDeBord::TableauDeBord(Tournoi& tournoi, Ihm& ihm, QWidget* parent)
    : QTabWidget(parent), tournoi_(tournoi), ihm_(ihm) {
    setObjectName(QStringLiteral("Onglets_Tournoi"));

    auto* ronde = new QWidget;
    Lbl_Sans_Resultat = new QLabel(ronde);
    Lbl_Sans_Resultat->setObjectName(QStringLiteral("Lbl_Sans_Resultat"));
    QFont gras = Lbl_Sans_Resultat->font();
    gras.setBold(true);
    Lbl_Sans_Resultat->setFont(gras);
    Tbl_Ronde = table_lecture(ronde, "Tbl_Ronde");
    Tbl_Ronde->installEventFilter(this);
    Lbl_Saisie = new QLabel(ronde);
    Lbl_Saisie->setObjectName(QStringLiteral("Lbl_Saisie"));
    auto* colonne_ronde = new QVBoxLayout(ronde);
    colonne_ronde->addWidget(Lbl_Sans_Resultat);
    colonne_ronde->addWidget(Tbl_Ronde, 1);
    colonne_ronde->addWidget(Lbl_Saisie);
    addTab(ronde, QStringLiteral("Ronde en cours"));

    Tbl_Classement = table_lecture(this, "Tbl_Classement");
    addTab(Tbl_Classement, QStringLiteral("Classement"));

    auto* joueurs = new QWidget;
    Ed_Recherche_Joueur = new QLineEdit(joueurs);
    Ed_Recherche_Joueur->setObjectName(QStringLiteral("Ed_Recherche_Joueur"));
    Ed_Recherche_Joueur->setPlaceholderText(QStringLiteral("Chercher un joueur (nom ou numéro)"));
    Ed_Recherche_Joueur->setClearButtonEnabled(true);
    Tbl_Joueurs = table_lecture(joueurs, "Tbl_Joueurs");
    auto* colonne_joueurs = new QVBoxLayout(joueurs);
    colonne_joueurs->addWidget(Ed_Recherche_Joueur);
    colonne_joueurs->addWidget(Tbl_Joueurs, 1);
    addTab(joueurs, QStringLiteral("Joueurs"));

    connect(Ed_Recherche_Joueur, &QLineEdit::textChanged, this, &TableauDeBord::afficher_joueurs);
    connect(this, &QTabWidget::currentChanged, this, &TableauDeBord::remplir_onglet);
    connect(Tbl_Joueurs, &QTableWidget::cellDoubleClicked, this, [this](int ligne, int) {
        if (const QTableWidgetItem* numero = Tbl_Joueurs->item(ligne, 0))
            emit joueur_demande(numero->text().toInt());
    });
    connect(Tbl_Ronde, &QTableWidget::currentCellChanged, this, &TableauDeBord::oublier_saisie);
    // For a projector: Ctrl++ and Ctrl+- make the tables' text larger or
    // smaller.
    const std::pair<QKeySequence::StandardKey, int> zooms[] = {{QKeySequence::ZoomIn, 2},
                                                               {QKeySequence::ZoomOut, -2}};
    for (const auto& zoom : zooms) {
        auto* raccourci = new QShortcut(QKeySequence(zoom.first), this);
        raccourci->setContext(Qt::WindowShortcut);
        const int pas = zoom.second;
        connect(raccourci, &QShortcut::activated, this, [this, pas] { agrandir(pas); });
    }
    for (int k = 0; k < 3; ++k) {
        auto* raccourci = new QShortcut(QKeySequence(Qt::CTRL | (Qt::Key_1 + k)), this);
        raccourci->setContext(Qt::WindowShortcut);
        connect(raccourci, &QShortcut::activated, this, [this, k] { montrer_onglet(k); });
    }
}

void TableauDeBord::agrandir(int pas) {
    QFont police = font();
    police.setPointSize(std::clamp(police.pointSize() + pas, 8, 40));
    setFont(police);
    for (QTableWidget* t : {Tbl_Ronde, Tbl_Classement, Tbl_Joueurs}) {
        t->verticalHeader()->setDefaultSectionSize(QFontMetrics(police).height() + 8);
        t->resizeColumnsToContents();
    }
}

void TableauDeBord::montrer_onglet(int k) {
    setCurrentIndex(k);
    if (k == 0) {
        Tbl_Ronde->setFocus();
        if (Tbl_Ronde->rowCount() > 0) Tbl_Ronde->setCurrentCell(0, 0);
    } else if (k == 1) {
        Tbl_Classement->setFocus();
    } else {
        Ed_Recherche_Joueur->setFocus();
    }
}

void TableauDeBord::actualiser() {
    // Only the tab shown is filled now; the others when they are shown (a
    // field of a thousand players is filled in tens of milliseconds).
    a_remplir_ = {true, true, true};
    remplir_onglet(currentIndex());
}

void TableauDeBord::remplir_onglet(int k) {
    if (k < 0 || k > 2 || !a_remplir_[static_cast<std::size_t>(k)]) return;
    a_remplir_[static_cast<std::size_t>(k)] = false;
    if (k == 1) {
        remplir(Tbl_Classement, gestion::grille_classement(tournoi_));
        return;
    }
    if (k == 2) {
        afficher_joueurs();
        return;
    }
    const int ligne = std::max(0, Tbl_Ronde->currentRow());
    {
        const QSignalBlocker bloque(Tbl_Ronde);
        remplir(Tbl_Ronde, gestion::grille_ronde(tournoi_));
        if (Tbl_Ronde->rowCount() > 0)
            Tbl_Ronde->setCurrentCell(std::min(ligne, Tbl_Ronde->rowCount() - 1), 0);
    }
    Lbl_Sans_Resultat->setText(qs(gestion::texte_sans_resultat(tournoi_)));
    oublier_saisie();
}

void TableauDeBord::afficher_joueurs() {
    remplir(Tbl_Joueurs, gestion::grille_joueurs(tournoi_, utf8(Ed_Recherche_Joueur->text())));
}

void TableauDeBord::oublier_saisie() {
    points_ = -1;
    pions_.clear();
    forfait_ = Forfait::aucun;
    montrer_saisie();
}

void TableauDeBord::montrer_saisie() {
    const int table = Tbl_Ronde->currentRow();
    QString attente;
    if (forfait_ != Forfait::aucun)
        attente = qs(kForfaits[static_cast<int>(forfait_)]);
    else if (!pions_.isEmpty())
        attente = QStringLiteral("Noirs : %1 pions").arg(pions_);
    else if (points_ >= 0)
        attente = qs(points_ == 2 ? "gain des Blancs" : points_ == 1 ? "nulle" : "gain des Noirs");
    if (table < 0 || attente.isEmpty()) {
        Lbl_Saisie->setText(
            tournoi_.jeu().pions
                ? QStringLiteral("Les pions des Noirs puis Entrée ; F : forfait")
                : QStringLiteral("1 (gain des Blancs), = ou n (nulle), 0 (gain des Noirs) puis "
                                 "Entrée ; F : forfait"));
        return;
    }
    Lbl_Saisie->setText(
        QStringLiteral("Table %1 : %2 — Entrée pour l'enregistrer").arg(table + 1).arg(attente));
}

bool TableauDeBord::enregistrer() {
    const int table = Tbl_Ronde->currentRow();
    if (table < 0) return false;
    if (forfait_ != Forfait::aucun) {
        if (!gestion::forfait_possible(tournoi_, ihm_) ||
            !gestion::enregistrer_forfait(tournoi_, table, forfait_))
            return false;
        gestion::proposer_inactifs(tournoi_, table, ihm_);
    } else if (!pions_.isEmpty()) {
        const int noir = lire_entier(utf8(pions_));
        const int blanc = tournoi_.jeu().total_pions - noir;
        if (!gestion::saisir_pions(tournoi_, table, blanc, noir, ihm_)) return false;
    } else if (points_ >= 0) {
        if (!gestion::enregistrer_points(tournoi_, table, points_)) return false;
    } else {
        return false;
    }
    emit changement();
    return true;
}

void TableauDeBord::aller_a_la_suivante(int table) {
    const std::vector<int> sans = gestion::tables_sans_resultat(tournoi_);
    int suivante = table;
    if (!sans.empty()) {
        const auto suite = std::upper_bound(sans.begin(), sans.end(), table);
        suivante = suite != sans.end() ? *suite : sans.front();
    }
    actualiser();
    if (suivante < Tbl_Ronde->rowCount()) Tbl_Ronde->setCurrentCell(suivante, 0);
}

bool TableauDeBord::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet != Tbl_Ronde || evenement->type() != QEvent::KeyPress)
        return QTabWidget::eventFilter(objet, evenement);
    const int k = static_cast<QKeyEvent*>(evenement)->key();
    const bool pions = tournoi_.jeu().pions;
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        const int table = Tbl_Ronde->currentRow();
        if (enregistrer())
            aller_a_la_suivante(table);
        else
            oublier_saisie();
        return true;
    }
    if (k == Qt::Key_Escape && (points_ >= 0 || !pions_.isEmpty() || forfait_ != Forfait::aucun)) {
        oublier_saisie();
        return true;
    }
    if (k == Qt::Key_F) {
        forfait_ = static_cast<Forfait>((static_cast<int>(forfait_) + 1) % 4);
        montrer_saisie();
        return true;
    }
    if (pions && k >= Qt::Key_0 && k <= Qt::Key_9) {
        if (pions_.size() < 2) pions_ += QChar(u'0' + (k - Qt::Key_0));
        forfait_ = Forfait::aucun;
        montrer_saisie();
        return true;
    }
    if (pions && k == Qt::Key_Backspace) {
        pions_.chop(1);
        montrer_saisie();
        return true;
    }
    const int points = k == Qt::Key_1                         ? 2
                       : k == Qt::Key_Equal || k == Qt::Key_N ? 1
                       : k == Qt::Key_0                       ? 0
                                                              : -1;
    if (!pions && points >= 0) {
        points_ = points;
        forfait_ = Forfait::aucun;
        montrer_saisie();
        return true;
    }
    return QTabWidget::eventFilter(objet, evenement);
}

}  // namespace tavo::ui
