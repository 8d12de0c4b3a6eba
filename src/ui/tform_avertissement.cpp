#include "ui/tform_avertissement.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tavo::ui {

TForm__Avertissement::TForm__Avertissement(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form__Avertissement"));
    setWindowTitle(QStringLiteral("Avertissement"));
    // Fixed single border, no title-bar buttons.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    setModal(true);

    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFrameShape(QFrame::Box);
    ListBox1->addItems({QStringLiteral("Limites du système Suisse :"), QString(),
                        QStringLiteral("Le nombre minimal de rondes doit être de 1/3 du nombre "
                                       "de joueurs"),
                        QStringLiteral("Le nombre maximal de rondes doit être de 1/2 du nombre "
                                       "de joueurs")});
    // Read, not used: no selection, no focus, but drawn in the normal colours
    // (a disabled list would grey its text out).
    ListBox1->setSelectionMode(QAbstractItemView::NoSelection);
    ListBox1->setFocusPolicy(Qt::NoFocus);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setMinimumWidth(ListBox1->sizeHintForColumn(0) + 2 * ListBox1->frameWidth() + 8);
    ListBox1->setFixedHeight(4 * ListBox1->sizeHintForRow(0) + 2 * ListBox1->frameWidth() + 4);

    Bt_Fermer = new QPushButton(QStringLiteral("&Fermer"), this);
    Bt_Fermer->setObjectName(QStringLiteral("Bt_Fermer"));
    connect(Bt_Fermer, &QPushButton::clicked, this, &QDialog::accept);

    auto* bas = new QHBoxLayout;
    bas->addStretch();
    bas->addWidget(Bt_Fermer);
    bas->addStretch();
    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(6, 6, 6, 6);
    colonne->addWidget(ListBox1);
    colonne->addLayout(bas);
    // 363 by 119, or more when the desktop's font needs it; not resizable.
    setFixedSize(sizeHint().expandedTo(QSize(363, 119)));
}

}  // namespace tavo::ui
