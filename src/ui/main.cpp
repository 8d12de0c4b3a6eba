// The desktop program: the main window (which creates the other windows) and
// the event loop. `tavo FICHIER.pxi` opens that tournament.
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <exception>

#include "ui/tform1.h"
#include "ui/traductions.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavo"));
    tavo::ui::installer_traductions(application);
    try {
        tavo::ui::TForm1 fenetre;
        // Where it was when last closed, else centred on the screen.
        const QScreen* ecran = QGuiApplication::primaryScreen();
        if (!fenetre.reprendre_geometrie() && ecran != nullptr)
            fenetre.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                                    fenetre.size(), ecran->availableGeometry()));
        fenetre.show();
        // A recovery copy taken back replaces the file it was made from.
        const QStringList arguments = QApplication::arguments();
        if (!fenetre.proposer_reprise() && arguments.size() > 1) fenetre.ouvrir(arguments.at(1));
        return QApplication::exec();
    } catch (const std::exception& erreur) {
        // What escapes the windows is shown, then the program ends.
        QMessageBox::critical(nullptr, QStringLiteral("Erreur"), QString::fromUtf8(erreur.what()));
    }
    return 0;
}
