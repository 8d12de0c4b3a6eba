#include "ui/tform_publier.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "ui/ihm.h"
#include "web/adresse_reseau.h"
#include "web/code_qr.h"

namespace tavo::ui {
namespace {

// The code drawn module by module, its quiet zone included, then enlarged
// without smoothing so that it stays sharp for a camera.
QPixmap image_qr(const std::string& texte) {
    const auto code = web::coder_qr(texte);
    if (!code) return {};
    const int cote = code->cote + 2 * web::MARGE_QR;
    QImage image(cote, cote, QImage::Format_Mono);
    image.fill(1);
    for (int y = 0; y < code->cote; ++y)
        for (int x = 0; x < code->cote; ++x)
            if (code->noir(x, y)) image.setPixel(x + web::MARGE_QR, y + web::MARGE_QR, 0);
    return QPixmap::fromImage(
        image.scaled(cote * 6, cote * 6, Qt::KeepAspectRatio, Qt::FastTransformation));
}

}  // namespace

TForm_Publier::TForm_Publier(Ihm& ihm, QWidget* parent) : QDialog(parent), ihm_(ihm) {
    setObjectName(QStringLiteral("Form_Publier"));
    setWindowTitle(QStringLiteral("Publier sur le réseau"));
    Ed_Reseau = new QLineEdit(this);
    Ed_Reseau->setObjectName(QStringLiteral("Ed_Reseau"));
    Ed_Reseau->setPlaceholderText(QStringLiteral("le nom du Wi-Fi de la salle"));
    Ed_Adresse = new QLineEdit(this);
    Ed_Adresse->setObjectName(QStringLiteral("Ed_Adresse"));
    SE_Port = new QSpinBox(this);
    SE_Port->setObjectName(QStringLiteral("SE_Port"));
    SE_Port->setRange(0, 65535);
    SE_Port->setValue(8080);
    Bt_Publier = new QPushButton(this);
    Bt_Publier->setObjectName(QStringLiteral("Bt_Publier"));
    Lbl_Adresse_Pages = new QLabel(this);
    Lbl_Adresse_Pages->setObjectName(QStringLiteral("Lbl_Adresse_Pages"));
    Lbl_Adresse_Pages->setTextInteractionFlags(Qt::TextBrowserInteraction);
    Lbl_Adresse_Pages->setOpenExternalLinks(true);
    Lbl_Adresse_Pages->setWordWrap(true);
    Img_QR = new QLabel(this);
    Img_QR->setObjectName(QStringLiteral("Img_QR"));
    Img_QR->setAlignment(Qt::AlignCenter);
    Bt_Fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    Bt_Fermer->setObjectName(QStringLiteral("Bt_Fermer"));

    auto* champs = new QFormLayout;
    champs->addRow(QStringLiteral("Réseau &Wi-Fi :"), Ed_Reseau);
    champs->addRow(QStringLiteral("&Adresse :"), Ed_Adresse);
    champs->addRow(QStringLiteral("&Port :"), SE_Port);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(Bt_Publier);
    boutons->addStretch();
    boutons->addWidget(Bt_Fermer);
    auto* page = new QVBoxLayout(this);
    page->addLayout(champs);
    page->addWidget(Lbl_Adresse_Pages);
    page->addWidget(Img_QR);
    page->addLayout(boutons);

    connect(Bt_Publier, &QPushButton::clicked, this, &TForm_Publier::Bt_PublierClick);
    connect(Bt_Fermer, &QPushButton::clicked, this, &QDialog::accept);
    afficher();
}

void TForm_Publier::a_l_ouverture(const QString& fichier) {
    fichier_ = fichier;
    if (Ed_Adresse->text().isEmpty())
        Ed_Adresse->setText(QString::fromStdString(web::adresse_reseau_local()));
    afficher();
}

void TForm_Publier::Bt_PublierClick() {
    if (serveur_.en_service()) {
        serveur_.arreter();
    } else if (fichier_.isEmpty()) {
        ihm_.message_erreur("Enregistrez d'abord le tournoi : les pages montrent son fichier.");
    } else {
        serveur_.demarrer({fichier_.toStdString(), Ed_Adresse->text().trimmed().toStdString(),
                           SE_Port->value(), Ed_Reseau->text().trimmed().toStdString()},
                          ihm_);
    }
    afficher();
}

void TForm_Publier::afficher() {
    const bool actif = serveur_.en_service();
    Bt_Publier->setText(actif ? QStringLiteral("&Arrêter") : QStringLiteral("&Démarrer"));
    Ed_Reseau->setEnabled(!actif);
    Ed_Adresse->setEnabled(!actif);
    SE_Port->setEnabled(!actif);
    if (!actif) {
        Lbl_Adresse_Pages->setText(
            QStringLiteral("Les pages ne sont pas servies. Démarrez pour les ouvrir aux "
                           "téléphones de la salle."));
        Img_QR->clear();
        return;
    }
    const QString adresse = QString::fromStdString(serveur_.adresse_pages());
    Lbl_Adresse_Pages->setText(
        QStringLiteral("Pages du tournoi : <a href=\"%1\">%1</a><br>Affiche à imprimer : "
                       "<a href=\"%1affiche\">%1affiche</a>")
            .arg(adresse.toHtmlEscaped()));
    Img_QR->setPixmap(image_qr(adresse.toStdString()));
}

}  // namespace tavo::ui
