#include "ui/destination_export.h"

#include <QFileInfo>
#include <algorithm>

#include "ui/ihm.h"
#include "ui/texte_qt.h"

namespace tavo::ui {

QString extension_filtre(const QString& filtre) {
    const qsizetype debut = filtre.indexOf(QLatin1String("*.")) + 2;
    return debut < 2 ? QString()
                     : filtre.mid(debut, filtre.indexOf(QLatin1Char(')'), debut) - debut);
}

Destination accorder(const QString& nom, const QStringList& filtres, int choisi) {
    const QString suffixe = QFileInfo(nom).suffix();
    for (int type = 0; type < filtres.size(); ++type)
        if (!suffixe.isEmpty() &&
            suffixe.compare(extension_filtre(filtres[type]), Qt::CaseInsensitive) == 0)
            return {nom, type};
    return {nom + QLatin1Char('.') + extension_filtre(filtres.value(choisi)), choisi};
}

std::optional<Destination> choisir_destination(Ihm& ihm, QWidget* parent, const QString& titre,
                                               const QStringList& filtres, const QString& dossier) {
    QString filtre;
    const QString nom = ihm.fichier_a_exporter(parent, titre, filtres, dossier, filtre);
    if (nom.isEmpty()) return std::nullopt;
    const Destination d = accorder(nom, filtres, std::max<int>(0, filtres.indexOf(filtre)));
    const QFileInfo fichier(d.chemin);
    if (fichier.exists() &&
        !ihm.question_prudente(utf8(titre), utf8(QStringLiteral("Le fichier « %1 » existe "
                                                                "déjà.\n\nVoulez-vous le "
                                                                "remplacer ?")
                                                     .arg(fichier.fileName()))))
        return std::nullopt;
    return d;
}

}  // namespace tavo::ui
