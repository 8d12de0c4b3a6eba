// The desktop program: the main window (which creates the other five windows)
// and the event loop.
#include <QApplication>

#include "ui/tform1.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tavo"));
    tavo::ui::TForm1 fenetre;
    fenetre.show();
    return QApplication::exec();
}
