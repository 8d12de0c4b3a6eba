#include "ui/copie_secours.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>
#include <memory>

#include "gestion/fichiers.h"
#include "gestion/proprietes.h"

namespace tavo::ui {
namespace {

// Messages of the copy go to stderr only.
class Journal : public Interaction {
  public:
    void message_erreur(const std::string& texte) override {
        std::fprintf(stderr, "tavo : copie de secours : %s\n", texte.c_str());
    }
    bool question(const std::string&, const std::string&) override { return false; }
    void information(const std::string&) override {}
};

}  // namespace

QString CopieSecours::dossier() {
    QString etat = qEnvironmentVariable("XDG_STATE_HOME");
    if (etat.isEmpty()) etat = QDir::homePath() + QStringLiteral("/.local/state");
    return etat + QStringLiteral("/tavo");
}

QString CopieSecours::chemin_copie() {
    return dossier() + QStringLiteral("/secours.tavo");
}

// Beside the copy: the path of its tournament file, one line.
QString CopieSecours::chemin_fichier() {
    return dossier() + QStringLiteral("/secours.chemin");
}

void CopieSecours::ecrire(const Tournoi& t, const QString& fichier) {
    QSaveFile chemin(chemin_fichier());
    if (!QDir().mkpath(dossier()) || !chemin.open(QIODevice::WriteOnly) ||
        chemin.write(fichier.toUtf8()) < 0 || !chemin.commit()) {
        std::fprintf(stderr, "tavo : copie de secours impossible dans %s\n", qPrintable(dossier()));
        return;
    }
    Journal journal;
    gestion::ecrire_copie_secours(t, chemin_copie().toStdString(), journal);
}

void CopieSecours::effacer() {
    QFile::remove(chemin_copie());
    QFile::remove(chemin_fichier());
}

std::optional<CopieSecours::Offre> CopieSecours::a_proposer() const {
    const QFileInfo copie(chemin_copie());
    if (!copie.isFile()) return std::nullopt;
    QFile lien(chemin_fichier());
    Offre offre{copie.absoluteFilePath(), QString(), copie.lastModified(), std::string()};
    if (lien.open(QIODevice::ReadOnly)) offre.fichier = QString::fromUtf8(lien.readAll());
    const QFileInfo fichier(offre.fichier);
    if (!offre.fichier.isEmpty() && fichier.isFile() && fichier.lastModified() >= offre.faite)
        return std::nullopt;
    Journal journal;
    auto t = std::make_unique<Tournoi>();
    if (!gestion::charger_tournoi(*t, chemin_copie().toStdString(), journal)) return std::nullopt;
    offre.nom = gestion::lire_proprietes(*t).nom;
    return offre;
}

}  // namespace tavo::ui
