#include "ui/tform_saisie_resultats.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

#include "gestion/proprietes.h"
#include "gestion/resultats.h"
#include "gestion/rondes.h"
#include "gestion/verifications.h"
#include "model/texte.h"
#include "ui/controles.h"
#include "ui/ihm.h"
#include "ui/texte_qt.h"

namespace tavo::ui {

namespace {

QRadioButton* radio(QWidget* parent, const char* nom, const char* texte) {
    auto* b = new QRadioButton(QString::fromLatin1(texte), parent);
    b->setObjectName(QString::fromLatin1(nom));
    return b;
}

QLabel* nom_joueur(QWidget* parent, const char* nom) {
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(nom));
    l->setMinimumWidth(220);
    return l;
}

QLineEdit* champ_pions(QWidget* parent, const char* nom) {
    auto* e = new QLineEdit(QStringLiteral("0"), parent);
    e->setObjectName(QString::fromLatin1(nom));
    QFont gras = e->font();
    gras.setBold(true);
    gras.setPixelSize(16);
    e->setFont(gras);
    e->setMaxLength(3);
    e->setFixedWidth(60);
    // Typed or pasted: digits only.
    e->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), e));
    return e;
}

}  // namespace

TForm_Saisie_Resultats::TForm_Saisie_Resultats(Tournoi& tournoi, Ihm& ihm, QWidget* parent)
    : QDialog(parent), tournoi_(tournoi), ihm_(ihm) {
    setObjectName(QStringLiteral("Form_Saisie_Resultats"));
    setWindowTitle(QStringLiteral("Saisie des résultats"));
    // Blocks the main window only: a report window may stay open beside it.
    setWindowModality(Qt::WindowModal);
    resize(531, 268);

    auto* barre = new QFrame(this);
    barre->setFrameShape(QFrame::Panel);
    barre->setFrameShadow(QFrame::Raised);
    Lbl_No_App = new QLabel(QStringLiteral("Table n°1"), barre);
    Lbl_No_App->setObjectName(QStringLiteral("Lbl_No_App"));
    QFont gras = Lbl_No_App->font();
    gras.setBold(true);
    Lbl_No_App->setFont(gras);
    CBx_Ronde = new QComboBox(barre);
    CBx_Ronde->setObjectName(QStringLiteral("CBx_Ronde"));
    CBx_Ronde->setFocusPolicy(Qt::ClickFocus);  // chosen with the mouse, or Alt+R
    auto* etiquette_ronde = new QLabel(QStringLiteral("&Ronde"), barre);
    etiquette_ronde->setBuddy(CBx_Ronde);
    // In a large field, a table is reached by its number.
    Ed_Aller_Table = new QSpinBox(barre);
    Ed_Aller_Table->setObjectName(QStringLiteral("Ed_Aller_Table"));
    Ed_Aller_Table->setFocusPolicy(Qt::ClickFocus);  // clicked, or Alt+A
    Ed_Aller_Table->setButtonSymbols(QAbstractSpinBox::NoButtons);
    Ed_Aller_Table->setMinimum(1);
    auto* etiquette_table = new QLabel(QStringLiteral("&Aller à la table"), barre);
    etiquette_table->setBuddy(Ed_Aller_Table);
    auto* dans_barre = new QHBoxLayout(barre);
    dans_barre->addWidget(Lbl_No_App);
    dans_barre->addStretch();
    dans_barre->addWidget(etiquette_table);
    dans_barre->addWidget(Ed_Aller_Table);
    dans_barre->addWidget(etiquette_ronde);
    dans_barre->addWidget(CBx_Ronde);

    Notebook1 = new QStackedWidget(this);
    Notebook1->setObjectName(QStringLiteral("Notebook1"));

    // Page "Normal": two separate groups, each with its own choice.
    auto* normal = new QWidget;
    normal->setObjectName(QStringLiteral("Normal"));
    auto* blancs = new QGroupBox(QStringLiteral("Blancs"), normal);
    Lbl_Nom_Blancs1 = nom_joueur(blancs, "Lbl_Nom_Blancs1");
    Rbt_BG = radio(blancs, "Rbt_BG", "2");
    Rbt_BN = radio(blancs, "Rbt_BN", "1");
    Rbt_BP = radio(blancs, "Rbt_BP", "0");
    auto* noirs = new QGroupBox(QStringLiteral("Noirs"), normal);
    Lbl_Nom_Noirs1 = nom_joueur(noirs, "Lbl_Nom_Noirs1");
    Rbt_NG = radio(noirs, "Rbt_NG", "2");
    Rbt_NN = radio(noirs, "Rbt_NN", "1");
    Rbt_NP = radio(noirs, "Rbt_NP", "0");
    groupe_blancs_ = new QButtonGroup(this);
    groupe_noirs_ = new QButtonGroup(this);
    for (QRadioButton* b : {Rbt_BG, Rbt_BN, Rbt_BP}) groupe_blancs_->addButton(b);
    for (QRadioButton* b : {Rbt_NG, Rbt_NN, Rbt_NP}) groupe_noirs_->addButton(b);
    for (auto [groupe, nom, boutons] :
         {std::tuple{blancs, Lbl_Nom_Blancs1, std::array{Rbt_BG, Rbt_BN, Rbt_BP}},
          std::tuple{noirs, Lbl_Nom_Noirs1, std::array{Rbt_NG, Rbt_NN, Rbt_NP}}}) {
        auto* ligne = new QHBoxLayout(groupe);
        ligne->addWidget(nom, 1);
        for (QRadioButton* b : boutons) ligne->addWidget(b);
    }
    auto* colonne_normal = new QVBoxLayout(normal);
    colonne_normal->addWidget(blancs);
    colonne_normal->addWidget(noirs);
    Notebook1->addWidget(normal);

    // Page "Othello": black's group above white's.
    auto* othello = new QWidget;
    othello->setObjectName(QStringLiteral("Othello"));
    auto* noirs2 = new QGroupBox(QStringLiteral("Noirs"), othello);
    Lbl_Nom_Noirs2 = nom_joueur(noirs2, "Lbl_Nom_Noirs2");
    Ed_Nbp_noir = champ_pions(noirs2, "Ed_Nbp_noir");
    auto* blancs2 = new QGroupBox(QStringLiteral("Blancs"), othello);
    Lbl_Nom_Blancs2 = nom_joueur(blancs2, "Lbl_Nom_Blancs2");
    Ed_Nbp_blanc = champ_pions(blancs2, "Ed_Nbp_blanc");
    for (auto [groupe, nom, champ] : {std::tuple{noirs2, Lbl_Nom_Noirs2, Ed_Nbp_noir},
                                      std::tuple{blancs2, Lbl_Nom_Blancs2, Ed_Nbp_blanc}}) {
        auto* ligne = new QHBoxLayout(groupe);
        ligne->addWidget(nom, 1);
        ligne->addWidget(champ);
    }
    auto* colonne_othello = new QVBoxLayout(othello);
    colonne_othello->addWidget(noirs2);
    colonne_othello->addWidget(blancs2);
    Notebook1->addWidget(othello);

    CBx_Forfait = new QComboBox(this);
    CBx_Forfait->setObjectName(QStringLiteral("CBx_Forfait"));
    CBx_Forfait->setFocusPolicy(Qt::ClickFocus);  // chosen with the mouse, Alt+O or F
    for (const char* choix : {"Partie jouée", "Forfait blanc", "Forfait noir", "Double forfait"})
        CBx_Forfait->addItem(qs(choix));
    auto* etiquette_forfait = new QLabel(QStringLiteral("F&orfait"), this);
    etiquette_forfait->setBuddy(CBx_Forfait);
    auto* ligne_forfait = new QHBoxLayout;
    ligne_forfait->addWidget(etiquette_forfait);
    ligne_forfait->addWidget(CBx_Forfait);
    ligne_forfait->addStretch();

    Bt_Prec = bouton(this, "Bt_Prec", QStringLiteral("&Précédent"));
    Bt_Valider = bouton(this, "Bt_Valider", QStringLiteral("&Valider"));
    Button3 = bouton(this, "Button3", QStringLiteral("&Tout Vérifier"));
    Button2 = bouton(this, "Button2", QStringLiteral("&Fermer sans Valider"));
    Lbl_Etat = new QLabel(this);
    Lbl_Etat->setObjectName(QStringLiteral("Lbl_Etat"));
    auto* bas = new QHBoxLayout;
    for (QPushButton* b : {Bt_Prec, Bt_Valider, Button3, Button2}) bas->addWidget(b);

    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(barre);
    colonne->addWidget(Notebook1, 1);
    colonne->addLayout(ligne_forfait);
    colonne->addWidget(Lbl_Etat);
    colonne->addLayout(bas);

    coupler(Rbt_BG, Rbt_NP);
    coupler(Rbt_BN, Rbt_NN);
    coupler(Rbt_BP, Rbt_NG);
    coupler(Rbt_NG, Rbt_BP);
    coupler(Rbt_NN, Rbt_BN);
    coupler(Rbt_NP, Rbt_BG);
    Ed_Nbp_noir->installEventFilter(this);
    Ed_Nbp_blanc->installEventFilter(this);

    connect(Bt_Prec, &QPushButton::clicked, this, &TForm_Saisie_Resultats::Bt_PrecClick);
    connect(Bt_Valider, &QPushButton::clicked, this, &TForm_Saisie_Resultats::Bt_ValiderClick);
    connect(Button3, &QPushButton::clicked, this, &TForm_Saisie_Resultats::Button3Click);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
    connect(CBx_Ronde, &QComboBox::activated, this, &TForm_Saisie_Resultats::CBx_RondeChange);
    connect(CBx_Forfait, &QComboBox::currentIndexChanged, this,
            &TForm_Saisie_Resultats::suivre_forfait);
}

TForm_Saisie_Resultats::~TForm_Saisie_Resultats() {
    // The disc-count fields lose the focus as they are destroyed: that is not
    // the director leaving them.
    Ed_Nbp_noir->removeEventFilter(this);
    Ed_Nbp_blanc->removeEventFilter(this);
}

// Choosing a value on one side checks the complementary value on the other.
void TForm_Saisie_Resultats::coupler(QRadioButton* bouton, QRadioButton* complement) {
    connect(bouton, &QRadioButton::toggled, this, [complement](bool coche) {
        if (coche) complement->setChecked(true);
    });
}

bool TForm_Saisie_Resultats::eventFilter(QObject* objet, QEvent* evenement) {
    if (objet == Ed_Nbp_noir || objet == Ed_Nbp_blanc) {
        if (evenement->type() == QEvent::KeyPress) {
            // Only digits are typed; the editing and moving keys still work.
            const auto* touche = static_cast<QKeyEvent*>(evenement);
            const int k = touche->key();
            if (k == Qt::Key_F) {
                forfait_suivant();
                return true;
            }
            const bool chiffre = k >= Qt::Key_0 && k <= Qt::Key_9;
            const bool edition = k == Qt::Key_Backspace || k == Qt::Key_Delete ||
                                 k == Qt::Key_Left || k == Qt::Key_Right || k == Qt::Key_Home ||
                                 k == Qt::Key_End || k == Qt::Key_Tab || k == Qt::Key_Backtab ||
                                 k == Qt::Key_Return || k == Qt::Key_Enter || k == Qt::Key_Escape ||
                                 (touche->modifiers() & Qt::ControlModifier);
            if (!chiffre && !edition) return true;
        } else if (evenement->type() == QEvent::FocusOut) {
            // Only when the focus moves to another control of the dialog, not
            // when a box or another window takes it.
            const auto raison = static_cast<QFocusEvent*>(evenement)->reason();
            if (raison != Qt::ActiveWindowFocusReason && raison != Qt::PopupFocusReason &&
                !retour_focus_) {
                if (objet == Ed_Nbp_noir)
                    Ed_Nbp_noirExit();
                else
                    Ed_Nbp_blancExit();
            }
        }
    }
    return QDialog::eventFilter(objet, evenement);
}

void TForm_Saisie_Resultats::a_l_ouverture() {
    Notebook1->setCurrentIndex(gestion::est_othello(tournoi_) ? 1 : 0);
    const int numero = gestion::numero_ronde(tournoi_);
    setWindowTitle(qs(std::string("Saisie des résultats : ") +
                      gestion::lire_proprietes(tournoi_).jeu + std::string(", ronde n°") +
                      std::to_string(numero)));
    // The current round first; the earlier ones may be chosen to correct them.
    CBx_Ronde->clear();
    for (int n = 1; n <= numero; ++n)
        CBx_Ronde->addItem(qs(std::string("Ronde n°") + std::to_string(n)));
    CBx_Ronde->setCurrentIndex(numero - 1);
    ronde_ = numero - 1;
    // A tournament loaded since the last opening may have fewer tables.
    if (table_courante_ >= gestion::nb_tables(tournoi_)) table_courante_ = 0;
    afficher_table(table_courante_);
    // The keys of a result go to the dialog from the first field (a focused
    // round selector would take the digits for itself).
    if (gestion::est_othello(tournoi_))
        Ed_Nbp_noir->setFocus();
    else
        Rbt_BG->setFocus();
}

void TForm_Saisie_Resultats::CBx_RondeChange(int index) {
    if (index < 0 || index == ronde_) return;
    if (!enregistrer_table(table_courante_)) {
        CBx_Ronde->setCurrentIndex(ronde_);
        return;
    }
    ronde_ = index;
    table_courante_ = 0;
    afficher_table(table_courante_);
    if (ronde_ != gestion::numero_ronde(tournoi_) - 1)
        ihm_.information(gestion::correction_ronde_passee());
}

void TForm_Saisie_Resultats::afficher_table(int t) {
    const std::optional<gestion::TableRonde> table = gestion::table_ronde(tournoi_, t, ronde_);
    if (!table) return;
    afficher_etat();
    Lbl_No_App->setText(qs(std::string("Table n°") + std::to_string(t + 1)));
    Ed_Aller_Table->setMaximum(gestion::nb_tables(tournoi_, ronde_));
    Ed_Aller_Table->setValue(t + 1);
    Bt_Prec->setEnabled(t > 0);
    Bt_Valider->setEnabled(t < gestion::nb_tables(tournoi_, ronde_) - 1);
    // The bye's result is the pairing's: its fields cannot be changed. A
    // .pxi keeps no forfeit.
    const bool modifiable = !gestion::table_sans_adversaire(tournoi_, t, ronde_);
    {
        const QSignalBlocker bloque(CBx_Forfait);
        CBx_Forfait->setCurrentIndex(static_cast<int>(table->forfait));
    }
    CBx_Forfait->setEnabled(modifiable && !tournoi_.limites_1998);
    for (QWidget* champ : std::initializer_list<QWidget*>{Rbt_BG, Rbt_BN, Rbt_BP, Rbt_NG, Rbt_NN,
                                                          Rbt_NP, Ed_Nbp_noir, Ed_Nbp_blanc})
        champ->setEnabled(modifiable && table->forfait == Forfait::aucun);
    if (gestion::est_othello(tournoi_)) {
        Lbl_Nom_Blancs2->setText(qs(table->blanc));
        Lbl_Nom_Noirs2->setText(qs(table->noir));
        Ed_Nbp_noir->setText(QString::number(table->saisi ? table->pions_noir : 0));
        Ed_Nbp_blanc->setText(QString::number(table->saisi ? table->pions_blanc : 0));
        pions_noir_ = Ed_Nbp_noir->text();
        pions_blanc_ = Ed_Nbp_blanc->text();
        noir_tape_ = blanc_tape_ = false;
    } else {
        Lbl_Nom_Blancs1->setText(qs(table->blanc));
        Lbl_Nom_Noirs1->setText(qs(table->noir));
        if (table->saisi) {
            if (table->res_blanc == 2)
                Rbt_BG->setChecked(true);
            else if (table->res_blanc == 1)
                Rbt_BN->setChecked(true);
            else
                Rbt_BP->setChecked(true);
        } else {
            // An exclusive group cannot be emptied button by button.
            for (QButtonGroup* g : {groupe_blancs_, groupe_noirs_}) {
                g->setExclusive(false);
                for (QAbstractButton* b : g->buttons()) b->setChecked(false);
                g->setExclusive(true);
            }
        }
    }
}

std::optional<int> TForm_Saisie_Resultats::choix_blanc() const {
    if (Rbt_BG->isChecked()) return 2;
    if (Rbt_BN->isChecked()) return 1;
    if (Rbt_BP->isChecked()) return 0;
    return std::nullopt;
}

Forfait TForm_Saisie_Resultats::forfait_choisi() const {
    return static_cast<Forfait>(std::max(0, CBx_Forfait->currentIndex()));
}

void TForm_Saisie_Resultats::suivre_forfait() {
    const Forfait f = forfait_choisi();
    for (QWidget* champ : std::initializer_list<QWidget*>{Rbt_BG, Rbt_BN, Rbt_BP, Rbt_NG, Rbt_NN,
                                                          Rbt_NP, Ed_Nbp_noir, Ed_Nbp_blanc})
        champ->setEnabled(f == Forfait::aucun);
    // The points a forfeit gives, shown on the page "Normal".
    if (f == Forfait::blanc) Rbt_BP->setChecked(true);
    if (f == Forfait::noir) Rbt_BG->setChecked(true);
    if (f == Forfait::les_deux || f == Forfait::aucun)
        for (QButtonGroup* g : {groupe_blancs_, groupe_noirs_}) {
            g->setExclusive(false);
            for (QAbstractButton* b : g->buttons()) b->setChecked(false);
            g->setExclusive(true);
        }
}

void TForm_Saisie_Resultats::forfait_suivant() {
    if (!CBx_Forfait->isEnabled()) return;
    CBx_Forfait->setCurrentIndex((CBx_Forfait->currentIndex() + 1) % CBx_Forfait->count());
}

bool TForm_Saisie_Resultats::table_changee() const {
    const std::optional<gestion::TableRonde> table =
        gestion::table_ronde(tournoi_, table_courante_, ronde_);
    if (!table) return false;
    // A forfeit chosen differs from what the table holds; back to a game
    // played, what is typed then replaces the forfeit.
    if (forfait_choisi() != Forfait::aucun)
        return !table->saisi || table->forfait != forfait_choisi();
    if (!gestion::est_othello(tournoi_)) {
        const std::optional<int> choix = choix_blanc();
        if (!table->saisi) return choix.has_value();
        return !choix || *choix != table->res_blanc;
    }
    // Counts shown by the dialog (those of the table, or filled in) are not
    // a result of the director's.
    if (!noir_tape_ && !blanc_tape_ && !Ed_Nbp_noir->isModified() && !Ed_Nbp_blanc->isModified())
        return false;
    return !table->saisi || Ed_Nbp_noir->text() != QString::number(table->pions_noir) ||
           Ed_Nbp_blanc->text() != QString::number(table->pions_blanc);
}

bool TForm_Saisie_Resultats::enregistrer_table(int t) {
    if (forfait_choisi() != Forfait::aucun) {
        if (!table_changee()) return true;
        gestion::enregistrer_forfait(tournoi_, t, forfait_choisi(), ronde_);
        gestion::proposer_inactifs(tournoi_, t, ihm_, ronde_);
    } else if (gestion::est_othello(tournoi_)) {
        // A count being typed is taken as when its field is left.
        if (!sortie_pions(Ed_Nbp_noir, Ed_Nbp_blanc) || !sortie_pions(Ed_Nbp_blanc, Ed_Nbp_noir))
            return false;
        if (!table_changee()) return true;
        if (!gestion::saisir_pions(tournoi_, t, lire_entier(utf8(Ed_Nbp_blanc->text())),
                                   lire_entier(utf8(Ed_Nbp_noir->text())), ihm_, ronde_))
            return false;
    } else {
        if (!table_changee()) return true;
        gestion::enregistrer_points(tournoi_, t, choix_blanc(), ronde_);
    }
    emit changement();
    return true;
}

void TForm_Saisie_Resultats::afficher_etat() {
    const std::vector<int> sans = gestion::tables_sans_resultat(tournoi_, ronde_);
    if (sans.empty()) {
        Lbl_Etat->setText(qs("Toutes les tables ont un résultat"));
        return;
    }
    // The first ones only: in a large field the line stays one line.
    constexpr std::size_t kMontrees = 10;
    std::string liste;
    for (std::size_t i = 0; i < sans.size() && i < kMontrees; ++i)
        liste += (liste.empty() ? "" : ", ") + std::to_string(sans[i] + 1);
    if (sans.size() > kMontrees) liste += ", …";
    Lbl_Etat->setText(qs(
        std::string(sans.size() == 1 ? "1 table sans résultat : "
                                     : std::to_string(sans.size()) + " tables sans résultat : ") +
        liste));
}

void TForm_Saisie_Resultats::valider_et_suivante() {
    if (!enregistrer_table(table_courante_)) return;
    const std::vector<int> sans = gestion::tables_sans_resultat(tournoi_, ronde_);
    if (!sans.empty()) {
        // The next one after this table, else the first one.
        const auto suite = std::upper_bound(sans.begin(), sans.end(), table_courante_);
        table_courante_ = suite != sans.end() ? *suite : sans.front();
    }
    afficher_table(table_courante_);
    if (sans.empty()) Button3->setFocus();
}

void TForm_Saisie_Resultats::keyPressEvent(QKeyEvent* evenement) {
    const int k = evenement->key();
    if ((k == Qt::Key_Return || k == Qt::Key_Enter) && Ed_Aller_Table->hasFocus()) {
        aller_a_la_table(Ed_Aller_Table->value() - 1);
        return;
    }
    if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        // A count refused or a wrong total: nothing moves.
        const int avant = table_courante_;
        valider_et_suivante();
        if (gestion::est_othello(tournoi_) && table_courante_ != avant) {
            Ed_Nbp_noir->setFocus();
            Ed_Nbp_noir->selectAll();
        }
        return;
    }
    if (!gestion::est_othello(tournoi_)) {
        QRadioButton* choix = k == Qt::Key_1                         ? Rbt_BG
                              : k == Qt::Key_Equal || k == Qt::Key_N ? Rbt_BN
                              : k == Qt::Key_0                       ? Rbt_BP
                                                                     : nullptr;
        if (choix != nullptr) {
            if (choix->isEnabled()) choix->setChecked(true);
            return;
        }
    }
    if (k == Qt::Key_F) {
        forfait_suivant();
        return;
    }
    QDialog::keyPressEvent(evenement);
}

void TForm_Saisie_Resultats::aller_a_la_table(int t) {
    if (t != table_courante_ && enregistrer_table(table_courante_)) table_courante_ = t;
    afficher_table(table_courante_);
    // The keys of a result go to the dialog again.
    if (gestion::est_othello(tournoi_)) {
        Ed_Nbp_noir->setFocus();
        Ed_Nbp_noir->selectAll();
    } else {
        Rbt_BG->setFocus();
    }
}

void TForm_Saisie_Resultats::Bt_PrecClick() {
    if (table_courante_ <= 0 || !enregistrer_table(table_courante_)) return;
    --table_courante_;
    afficher_table(table_courante_);
}

void TForm_Saisie_Resultats::Bt_ValiderClick() {
    if (table_courante_ >= gestion::nb_tables(tournoi_, ronde_) - 1 ||
        !enregistrer_table(table_courante_))
        return;
    ++table_courante_;
    afficher_table(table_courante_);
}

void TForm_Saisie_Resultats::Button3Click() {
    if (!enregistrer_table(table_courante_)) return;
    // "Il me manque des résultats" while a table has none; the dialog stays.
    if (!gestion::tout_verifier(tournoi_, ihm_)) return;
    emit changement();
    accept();
}

bool TForm_Saisie_Resultats::sortie_pions(QLineEdit* champ, QLineEdit* autre) {
    // Passing through a field fills nothing: only a count typed counts.
    if (!champ->isModified()) return true;
    const std::optional<int> reste = gestion::pions_restants(tournoi_, utf8(champ->text()), ihm_);
    if (!reste) {
        // The counts before come back in both fields. Giving the focus back
        // takes it from the other field, whose own leaving must not then
        // overwrite this one with its complement.
        Ed_Nbp_noir->setText(pions_noir_);
        Ed_Nbp_blanc->setText(pions_blanc_);
        retour_focus_ = true;
        champ->setFocus();
        champ->selectAll();
        retour_focus_ = false;
        return false;
    }
    champ->setModified(false);
    tape(champ) = true;
    if (!tape(autre)) autre->setText(QString::number(*reste));
    pions_noir_ = Ed_Nbp_noir->text();
    pions_blanc_ = Ed_Nbp_blanc->text();
    return true;
}

void TForm_Saisie_Resultats::reject() {
    if (table_changee()) {
        const std::string question = formater(
            "Le résultat de la table n°%d n'est pas enregistré.\n\nVoulez-vous "
            "l'enregistrer ?",
            table_courante_ + 1);
        switch (ihm_.question_annulable("Attention", std::string(question))) {
            case Ihm::Reponse::oui:
                if (!enregistrer_table(table_courante_)) return;
                break;
            case Ihm::Reponse::non:
                break;
            case Ihm::Reponse::annuler:
                return;
        }
    }
    QDialog::reject();
}

void TForm_Saisie_Resultats::Ed_Nbp_noirExit() {
    sortie_pions(Ed_Nbp_noir, Ed_Nbp_blanc);
}

void TForm_Saisie_Resultats::Ed_Nbp_blancExit() {
    sortie_pions(Ed_Nbp_blanc, Ed_Nbp_noir);
}

}  // namespace tavo::ui
