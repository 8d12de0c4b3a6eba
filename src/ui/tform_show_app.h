// The report window: the lines of the last report, in a fixed-pitch font, and
// the printing of those lines.
#pragma once

#include <QDialog>
#include <QFont>
#include <QStringList>
#include <functional>

#include "reports/rapport.h"

class QListWidget;
class QPagedPaintDevice;
class QPushButton;

namespace tavo::ui {

class Ihm;

// A font whose glyphs all have the same advance, for the report lines:
// the desktop's fixed-pitch font when its glyphs really are of one width
// (fontconfig's flag is not enough: some fonts it calls fixed are not), else
// the first such of a few common ones.
QFont police_fixe();

// Prints the lines on `imprimante` (a printer or a PDF writer), one report
// line per printed line, in the font of police_fixe(), starting a new
// page when one is full. False when the device cannot be used.
bool imprimer_lignes(QPagedPaintDevice& imprimante, const QStringList& lignes);

class TForm_Show_App : public QDialog {
    Q_OBJECT
  public:
    // `dossier` gives the folder the export's dialog opens in (by default
    // the current one).
    explicit TForm_Show_App(
        Ihm& ihm, std::function<QString()> dossier = [] { return QString(); },
        QWidget* parent = nullptr);

    // Replaces the caption and the lines with those of the report.
    void montrer(const Rapport& rapport);
    // The same report in its latest state, scrolled where the director left it.
    void actualiser(const Rapport& rapport);
    QStringList lignes() const;

    QListWidget* ListBox1;
    QPushButton* Bt_Imprimer;
    QPushButton* Bt_Exporter;
    QPushButton* Bt_Fermer;

  public slots:
    void Bt_ImprimerClick();
    // "Exporter...": the report as an HTML page, a CSV file or a PDF file,
    // the type chosen in the file dialog deciding the form.
    void Bt_ExporterClick();

  private:
    Ihm& ihm_;
    std::function<QString()> dossier_;
    Rapport rapport_;  // the report shown, for its export
};

}  // namespace tavo::ui
