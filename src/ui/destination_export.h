// Where an export goes: the name typed in the file dialog and the type chosen
// there made to agree, and the question before an existing file is replaced.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace tavo::ui {

class Ihm;

struct Destination {
    QString chemin;
    int type = 0;  // index of the type in the dialog's filters
};

// The extension of a filter of the file dialog: "csv" for "Tableur CSV (*.csv)".
QString extension_filtre(const QString& filtre);

// A name ending with the extension of one of `filtres` ("x.csv") is of that
// type, whatever type was chosen; any other name ("classement",
// "classement.2027") is of the type chosen and gets its extension.
Destination accorder(const QString& nom, const QStringList& filtres, int choisi);

// The export's file dialog, opened in `dossier`; then name and type made to
// agree and, when that file exists, the question before replacing it (Enter
// answers Non). std::nullopt when the director cancelled.
std::optional<Destination> choisir_destination(Ihm& ihm, QWidget* parent, const QString& titre,
                                               const QStringList& filtres, const QString& dossier);

}  // namespace tavo::ui
