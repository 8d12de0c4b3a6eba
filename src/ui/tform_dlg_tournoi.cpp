#include "ui/tform_dlg_tournoi.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

#include "model/texte.h"
#include "standings/departages.h"
#include "ui/controles.h"
#include "ui/ihm.h"
#include "ui/texte_qt.h"

namespace tavo::ui {

namespace {

QToolButton* fleche(QWidget* parent, const char* nom, Qt::ArrowType sens) {
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(nom));
    b->setArrowType(sens);
    b->setFixedSize(25, 25);
    return b;
}

}  // namespace

TForm_Dlg_Tournoi::TForm_Dlg_Tournoi(Tournoi& tournoi, Ihm& ihm, QWidget* parent)
    : QDialog(parent), tournoi_(tournoi), ihm_(ihm) {
    setObjectName(QStringLiteral("Form_Dlg_Tournoi"));
    setWindowTitle(QStringLiteral("Propriétés d'un tournoi"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));

    // Page "Général". The text fields hold at most what their header field
    // holds: date 14, name 49, game 20 characters.
    auto* general = new QWidget;
    Ed_Date = champ_texte(general, "Ed_Date", Limites1998::date);
    Ed_Nom = champ_texte(general, "Ed_Nom", Limites1998::nom_tournoi);
    Ed_nb_rondes = champ_texte(general, "Ed_nb_rondes", 6);
    Ed_nb_rondes->setText(QStringLiteral("5"));
    Chk_Multi_jeux = new QCheckBox(QStringLiteral("&Multi Jeux"), general);
    Chk_Multi_jeux->setObjectName(QStringLiteral("Chk_Multi_jeux"));
    Combo_Jeux = new QComboBox(general);
    Combo_Jeux->setObjectName(QStringLiteral("Combo_Jeux"));
    Combo_Jeux->setEditable(true);
    Combo_Jeux->setInsertPolicy(QComboBox::NoInsert);
    Combo_Jeux->addItems({QStringLiteral("Echecs"), QStringLiteral("Dames"),
                          QStringLiteral("Othello"), QStringLiteral("Quarto")});
    Combo_Jeux->setCurrentIndex(-1);
    Combo_Jeux->setEditText(QString());
    Combo_Jeux->lineEdit()->setValidator(new ValidateurTexte(Combo_Jeux));
    limiter_champ(Combo_Jeux->lineEdit(), Limites1998::jeu, true);

    SE_Demi_Points_Max = new QSpinBox(general);
    SE_Demi_Points_Max->setObjectName(QStringLiteral("SE_Demi_Points_Max"));
    SE_Dernieres_Rondes_Sans_Demi = new QSpinBox(general);
    SE_Dernieres_Rondes_Sans_Demi->setObjectName(QStringLiteral("SE_Dernieres_Rondes_Sans_Demi"));
    for (QSpinBox* s : {SE_Demi_Points_Max, SE_Dernieres_Rondes_Sans_Demi}) {
        s->setRange(0, 99);
        s->setValue(2);
    }

    auto* formulaire = new QFormLayout(general);
    formulaire->addRow(QStringLiteral("Da&te"), Ed_Date);
    formulaire->addRow(QStringLiteral("N&om"), Ed_Nom);
    formulaire->addRow(QStringLiteral("Nombre de &rondes"), Ed_nb_rondes);
    formulaire->addRow(QString(), Chk_Multi_jeux);
    formulaire->addRow(QStringLiteral("&Jeu"), Combo_Jeux);
    formulaire->addRow(QStringLiteral("Absences à ½ point par jo&ueur"), SE_Demi_Points_Max);
    formulaire->addRow(QStringLiteral("Aucune dans &les dernières rondes"),
                       SE_Dernieres_Rondes_Sans_Demi);
    PageControl1->addTab(general, QStringLiteral("&Général"));

    // Page "Départage".
    auto* departage = new QWidget;
    ListBox1 = new QListWidget(departage);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    for (const std::string& nom : noms_departages()) ListBox1->addItem(qs(nom));
    // The names are read whole in the desktop's font.
    const int largeur = ListBox1->sizeHintForColumn(0) + 2 * ListBox1->frameWidth() + 8;
    ListBox1->setMinimumWidth(largeur);
    ListBox2 = new QListWidget(departage);
    ListBox2->setObjectName(QStringLiteral("ListBox2"));
    ListBox2->setMinimumWidth(largeur);
    SpeedButton3 = fleche(departage, "SpeedButton3", Qt::RightArrow);
    SpeedButton4 = fleche(departage, "SpeedButton4", Qt::LeftArrow);
    SpeedButton2 = fleche(departage, "SpeedButton2", Qt::UpArrow);
    SpeedButton1 = fleche(departage, "SpeedButton1", Qt::DownArrow);
    SpeedButton3->setToolTip(QStringLiteral("Ajouter le système (Entrée)"));
    SpeedButton4->setToolTip(QStringLiteral("Retirer le système (Suppr)"));
    SpeedButton2->setToolTip(QStringLiteral("Monter (Ctrl+Haut)"));
    SpeedButton1->setToolTip(QStringLiteral("Descendre (Ctrl+Bas)"));
    ListBox1->installEventFilter(this);
    ListBox2->installEventFilter(this);

    auto* grille = new QGridLayout(departage);
    // Alt+P and Alt+S reach the two lists from the keyboard.
    auto* proposes = new QLabel(QStringLiteral("Systèmes &proposés"), departage);
    proposes->setBuddy(ListBox1);
    auto* selectionnes = new QLabel(QStringLiteral("Systèmes &sélectionnés"), departage);
    selectionnes->setBuddy(ListBox2);
    grille->addWidget(proposes, 0, 0);
    grille->addWidget(selectionnes, 0, 2);
    grille->addWidget(ListBox1, 1, 0, 4, 1);
    grille->addWidget(SpeedButton3, 2, 1);
    grille->addWidget(SpeedButton4, 3, 1);
    grille->addWidget(ListBox2, 1, 2, 4, 1);
    grille->addWidget(SpeedButton2, 2, 3);
    grille->addWidget(SpeedButton1, 3, 3);
    grille->setRowStretch(1, 1);
    grille->setRowStretch(4, 1);
    PageControl1->addTab(departage, QStringLiteral("&Départage"));
    PageControl1->setCurrentIndex(0);

    Bt_Valider = new QPushButton(QStringLiteral("&Valider"), this);
    Bt_Valider->setObjectName(QStringLiteral("Bt_Valider"));
    Bt_Valider->setDefault(true);
    Bt_Annuler = new QPushButton(QStringLiteral("&Annuler"), this);
    Bt_Annuler->setObjectName(QStringLiteral("Bt_Annuler"));
    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(Bt_Valider);
    bas->addWidget(Bt_Annuler);
    auto* colonne = new QVBoxLayout(this);
    colonne->addWidget(PageControl1);
    colonne->addLayout(bas);

    // 435 by 306, or more when the desktop's font needs it; not resizable.
    setFixedSize(sizeHint().expandedTo(QSize(435, 306)));

    connect(SpeedButton3, &QToolButton::clicked, this, &TForm_Dlg_Tournoi::SpeedButton3Click);
    connect(SpeedButton4, &QToolButton::clicked, this, &TForm_Dlg_Tournoi::SpeedButton4Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TForm_Dlg_Tournoi::SpeedButton2Click);
    connect(SpeedButton1, &QToolButton::clicked, this, &TForm_Dlg_Tournoi::SpeedButton1Click);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TForm_Dlg_Tournoi::SpeedButton3Click);
    connect(ListBox2, &QListWidget::itemDoubleClicked, this, &TForm_Dlg_Tournoi::SpeedButton4Click);
    connect(Bt_Valider, &QPushButton::clicked, this, &TForm_Dlg_Tournoi::Bt_ValiderClick);
    connect(Bt_Annuler, &QPushButton::clicked, this, &QDialog::reject);
}

// The tie-breaks chosen by keyboard: Enter on a proposed system adds it,
// Delete on a selected one removes it, Ctrl+Up and Ctrl+Down move it. Enter
// is kept from the dialog, whose default button would otherwise validate.
bool TForm_Dlg_Tournoi::eventFilter(QObject* objet, QEvent* evenement) {
    if (evenement->type() != QEvent::KeyPress) return QDialog::eventFilter(objet, evenement);
    const auto* touche = static_cast<QKeyEvent*>(evenement);
    const bool entree = touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter;
    const bool ctrl = touche->modifiers() & Qt::ControlModifier;
    if (objet == ListBox1 && entree) {
        SpeedButton3Click();
    } else if (objet == ListBox2 &&
               (touche->key() == Qt::Key_Delete || touche->key() == Qt::Key_Backspace)) {
        SpeedButton4Click();
    } else if (objet == ListBox2 && ctrl && touche->key() == Qt::Key_Up) {
        SpeedButton2Click();
    } else if (objet == ListBox2 && ctrl && touche->key() == Qt::Key_Down) {
        SpeedButton1Click();
    } else {
        return QDialog::eventFilter(objet, evenement);
    }
    return true;
}

void TForm_Dlg_Tournoi::SpeedButton3Click() {
    const QListWidgetItem* propose = ListBox1->currentItem();
    if (propose != nullptr) {
        if (ListBox2->findItems(propose->text(), Qt::MatchExactly).isEmpty())
            ListBox2->addItem(propose->text());
    }
    ListBox1->setFocus();
}

void TForm_Dlg_Tournoi::SpeedButton4Click() {
    const int i = ListBox2->currentRow();
    if (i >= 0) delete ListBox2->takeItem(i);
}

void TForm_Dlg_Tournoi::SpeedButton2Click() {
    const int i = ListBox2->currentRow();
    if (i > 0) {
        ListBox2->insertItem(i - 1, ListBox2->takeItem(i));
        ListBox2->setCurrentRow(i - 1);
    }
}

void TForm_Dlg_Tournoi::SpeedButton1Click() {
    const int i = ListBox2->currentRow();
    if (i >= 0 && i < ListBox2->count() - 1) {
        ListBox2->insertItem(i + 1, ListBox2->takeItem(i));
        ListBox2->setCurrentRow(i + 1);
    }
}

void TForm_Dlg_Tournoi::Bt_ValiderClick() {
    const gestion::Proprietes p = proprietes();
    const bool valides = pour_tournoi_existant_
                             ? gestion::valider_proprietes(tournoi_, p, ihm_)
                             : gestion::verifier_proprietes(p, ihm_, limites_1998_);
    if (valides) accept();
}

void TForm_Dlg_Tournoi::remplir(const gestion::Proprietes& p, bool limites_1998) {
    pour_tournoi_existant_ = true;
    limites_1998_ = limites_1998;
    limiter_champ(Ed_Date, Limites1998::date, limites_1998);
    limiter_champ(Ed_Nom, Limites1998::nom_tournoi, limites_1998);
    limiter_champ(Combo_Jeux->lineEdit(), Limites1998::jeu, limites_1998);
    Ed_Date->setText(qs(p.date));
    Ed_Nom->setText(qs(p.nom));
    Ed_nb_rondes->setText(QString::number(p.nb_rondes));
    Combo_Jeux->setEditText(qs(p.jeu));
    SE_Demi_Points_Max->setValue(p.demi_points_max);
    SE_Dernieres_Rondes_Sans_Demi->setValue(p.dernieres_rondes_sans_demi);
    for (QSpinBox* s : {SE_Demi_Points_Max, SE_Dernieres_Rondes_Sans_Demi})
        s->setEnabled(!limites_1998);
    ListBox2->clear();
    for (const int id : p.departages)
        if (id >= 0 && id < ListBox1->count()) ListBox2->addItem(ListBox1->item(id)->text());
    // The first page, with the keyboard in its first field: nothing typed is
    // lost.
    PageControl1->setCurrentIndex(0);
    Ed_Date->setFocus();
}

void TForm_Dlg_Tournoi::preparer_nouveau_tournoi(bool limites_1998) {
    // A new tournament starts from an empty form, not from the last one.
    remplir(gestion::Proprietes{}, limites_1998);
    pour_tournoi_existant_ = false;
}

gestion::Proprietes TForm_Dlg_Tournoi::proprietes() const {
    gestion::Proprietes p;
    p.date = utf8(Ed_Date->text());
    p.nom = utf8(Ed_Nom->text());
    p.nb_rondes = lire_entier(utf8(Ed_nb_rondes->text()));
    p.jeu = utf8(Combo_Jeux->currentText());
    p.demi_points_max = SE_Demi_Points_Max->value();
    p.dernieres_rondes_sans_demi = SE_Dernieres_Rondes_Sans_Demi->value();
    // A system's id is its place in the proposed list.
    for (int i = 0; i < ListBox2->count(); ++i) {
        const auto trouves = ListBox1->findItems(ListBox2->item(i)->text(), Qt::MatchExactly);
        if (!trouves.isEmpty()) p.departages.push_back(ListBox1->row(trouves.constFirst()));
    }
    return p;
}

}  // namespace tavo::ui
