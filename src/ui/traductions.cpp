#include "ui/traductions.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tavo::ui {

bool installer_traductions(QCoreApplication& application) {
    auto* traduction = new QTranslator(&application);
    const bool chargee =
        traduction->load(QLocale(QLocale::French), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath));
    if (!chargee) {
        delete traduction;
        return false;
    }
    return QCoreApplication::installTranslator(traduction);
}

}  // namespace tavo::ui
