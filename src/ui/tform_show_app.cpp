#include "ui/tform_show_app.h"

#include <filesystem>

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollBar>
#include <QVBoxLayout>

#include "gestion/rapports.h"
#include "gestion/sorties.h"
#include "model/texte.h"
#include "ui/destination_export.h"
#include "ui/ihm.h"
#include "ui/texte_qt.h"

namespace tavo::ui {

namespace {

// The characters of the reports, drawn as they are: a font is fixed-pitch for
// them when they all take the same width.
bool avances_egales(const QFont& police) {
    const QFontMetrics mesures(police);
    const int largeur = mesures.horizontalAdvance(QLatin1Char('M'));
    for (const QChar c : QStringLiteral("il1.|_ *WéÉ°-(0"))
        if (mesures.horizontalAdvance(c) != largeur) return false;
    return largeur > 0;
}

}  // namespace

QFont police_fixe() {
    QFont systeme = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (avances_egales(systeme)) return systeme;
    for (const char* famille : {"DejaVu Sans Mono", "Liberation Mono", "Courier New",
                                "Nimbus Mono PS", "FreeMono", "Monospace"}) {
        QFont police(QString::fromLatin1(famille));
        police.setStyleHint(QFont::TypeWriter);
        police.setFixedPitch(true);
        if (avances_egales(police)) return police;
    }
    return systeme;
}

TForm_Show_App::TForm_Show_App(Ihm& ihm, std::function<QString()> dossier, QWidget* parent)
    : QDialog(parent), ihm_(ihm), dossier_(std::move(dossier)) {
    setObjectName(QStringLiteral("Form_Show_App"));
    setWindowTitle(QStringLiteral("Voir les appariements"));
    // It may stay open beside the other windows, and follows the tournament.
    setModal(false);
    resize(606, 371);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    QFont fixe = police_fixe();
    fixe.setPixelSize(13);
    ListBox1->setFont(fixe);
    // Long lines scroll sideways rather than being cut short: every line has
    // its own width (with sizes taken as uniform, the first line's width
    // would cut the longer ones).
    ListBox1->setTextElideMode(Qt::ElideNone);
    ListBox1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    ListBox1->setStyleSheet(QStringLiteral("QListWidget { color: black; }"));

    auto* panneau = new QWidget(this);
    panneau->setFixedHeight(31);
    Bt_Imprimer = new QPushButton(QStringLiteral("&Imprimer"), panneau);
    Bt_Imprimer->setObjectName(QStringLiteral("Bt_Imprimer"));
    Bt_Exporter = new QPushButton(QStringLiteral("&Exporter…"), panneau);
    Bt_Exporter->setObjectName(QStringLiteral("Bt_Exporter"));
    Bt_Fermer = new QPushButton(QStringLiteral("&Fermer"), panneau);
    Bt_Fermer->setObjectName(QStringLiteral("Bt_Fermer"));
    for (QPushButton* b : {Bt_Imprimer, Bt_Exporter, Bt_Fermer}) {
        b->setFixedSize(75, 25);
        b->setAutoDefault(false);
    }
    auto* bas = new QHBoxLayout(panneau);
    bas->setContentsMargins(8, 3, 8, 3);
    bas->addWidget(Bt_Imprimer);
    bas->addWidget(Bt_Exporter);
    bas->addStretch();
    bas->addWidget(Bt_Fermer);

    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(0, 0, 0, 0);
    colonne->setSpacing(0);
    colonne->addWidget(ListBox1);
    colonne->addWidget(panneau);

    connect(Bt_Imprimer, &QPushButton::clicked, this, &TForm_Show_App::Bt_ImprimerClick);
    connect(Bt_Exporter, &QPushButton::clicked, this, &TForm_Show_App::Bt_ExporterClick);
    connect(Bt_Fermer, &QPushButton::clicked, this, &QDialog::reject);
}

void TForm_Show_App::montrer(const Rapport& rapport) {
    rapport_ = rapport;
    setWindowTitle(qs(rapport.titre()));
    ListBox1->clear();
    for (const std::string& ligne : rapport.lignes()) ListBox1->addItem(qs(ligne));
    // A report opens at its first line.
    ListBox1->scrollToTop();
    ListBox1->horizontalScrollBar()->setValue(0);
}

void TForm_Show_App::actualiser(const Rapport& rapport) {
    const int ligne = ListBox1->verticalScrollBar()->value();
    const int colonne = ListBox1->horizontalScrollBar()->value();
    montrer(rapport);
    ListBox1->verticalScrollBar()->setValue(ligne);
    ListBox1->horizontalScrollBar()->setValue(colonne);
}

QStringList TForm_Show_App::lignes() const {
    QStringList resultat;
    for (int i = 0; i < ListBox1->count(); ++i) resultat << ListBox1->item(i)->text();
    return resultat;
}

void TForm_Show_App::Bt_ImprimerClick() {
    QPrinter imprimante(QPrinter::HighResolution);
    if (!ihm_.choisir_imprimante(imprimante, this)) return;
    if (!imprimer_lignes(imprimante, lignes()))
        ihm_.message_erreur("impossible d'utiliser l'imprimante");
}

void TForm_Show_App::Bt_ExporterClick() {
    const QStringList types = {QStringLiteral("Page HTML (*.html)"),
                               QStringLiteral("Tableur CSV (*.csv)"),
                               QStringLiteral("Document PDF (*.pdf)")};
    const auto destination =
        choisir_destination(ihm_, this, QStringLiteral("Exporter"), types, dossier_());
    if (!destination) return;
    const std::filesystem::path chemin(destination->chemin.toStdString());
    if (destination->type < 2) {
        gestion::exporter_rapport(
            rapport_,
            destination->type == 0 ? gestion::FormatRapport::html : gestion::FormatRapport::csv,
            chemin, ihm_);
        return;
    }
    // The PDF is written whole before it replaces the file (no half-written
    // file is left when it fails), and never over a file the program reads.
    if (!gestion::sortie_permise(chemin, {}, ihm_)) return;
    QSaveFile sortie(destination->chemin);
    bool ok = sortie.open(QIODevice::WriteOnly);
    if (ok) {
        QPdfWriter pdf(&sortie);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setResolution(300);
        pdf.setTitle(qs(rapport_.titre()));
        ok = imprimer_lignes(pdf, lignes());
    }
    ok = ok && sortie.commit();
    if (!ok) {
        sortie.cancelWriting();
        gestion::refuser_ecriture(chemin, ihm_);
    }
}

bool imprimer_lignes(QPagedPaintDevice& imprimante, const QStringList& lignes) {
    QPainter peintre;
    if (!peintre.begin(&imprimante)) return false;
    QFont fixe = police_fixe();
    fixe.setPointSize(9);
    peintre.setFont(fixe);
    peintre.setPen(Qt::black);
    const QFontMetrics mesures = peintre.fontMetrics();
    const int hauteur_ligne = mesures.lineSpacing();
    const int hauteur_page = peintre.viewport().height();
    int y = 0;
    for (const QString& ligne : lignes) {
        if (y > 0 && y + hauteur_ligne > hauteur_page) {
            if (!imprimante.newPage()) {
                peintre.end();
                return false;
            }
            y = 0;
        }
        peintre.drawText(0, y + mesures.ascent(), ligne);
        y += hauteur_ligne;
    }
    return peintre.end();
}

}  // namespace tavo::ui
