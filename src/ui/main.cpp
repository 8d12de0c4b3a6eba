// The desktop program: the main window (which creates the other five windows)
// and the event loop.
#include <QApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStyle>
#include <exception>

#include "ui/tform1.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavo"));
    try {
        tavo::ui::TForm1 fenetre;
        // Centred on the screen.
        if (const QScreen* ecran = QGuiApplication::primaryScreen())
            fenetre.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter,
                                                    fenetre.size(), ecran->availableGeometry()));
        fenetre.show();
        return QApplication::exec();
    } catch (const std::exception& erreur) {
        // What escapes the windows is shown, then the program ends.
        QMessageBox::critical(nullptr, QStringLiteral("Erreur"), QString::fromUtf8(erreur.what()));
    }
    return 0;
}
