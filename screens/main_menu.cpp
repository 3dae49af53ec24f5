#include "screens/main_menu.h"

#include "screens/artwork.h"
#include "screens/focus_ring_style.h"
#include "screens/navigation.h"
#include "screens/screen_style.h"

namespace volantra {

MainMenu::MainMenu(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    ui.Image1->setPixmap(TradingFloorPicture(devicePixelRatioF()));
    ui.Label2->setText(QStringLiteral("Written by"));
    ui.Label3->setText(QStringLiteral("the Volantra team"));
    for (QWidget* red : {static_cast<QWidget*>(ui.Label1), static_cast<QWidget*>(ui.Label2),
                         static_cast<QWidget*>(ui.Label3), static_cast<QWidget*>(ui.Shape1)}) {
        SetForeground(red, CAPTION_RED);
    }
    ui.Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    SetPointSize(ui.Label1, 21.75);
    SetPointSize(ui.Command1, 12.75);
    SetPointSize(ui.Command2, 12.75);
    setTabOrder(ui.Command1, ui.Command2);
    setTabOrder(ui.Command2, ui.Command3);
    setTabOrder(ui.Command3, ui.Command4);
    PressFocusedButtonOnEnter(this);
    ShowFocusPlainly(this);

    connect(ui.Command1, &QPushButton::clicked, this, &MainMenu::Command1_Click);
    connect(ui.Command2, &QPushButton::clicked, this, &MainMenu::Command2_Click);
    connect(ui.Command3, &QPushButton::clicked, this, &MainMenu::Command3_Click);
    connect(ui.Command4, &QPushButton::clicked, this, &MainMenu::Command4_Click);
    ui.Command1->setFocus();
}

void MainMenu::Command1_Click() {
    Navigate(this, ScreenId::Call);
}
void MainMenu::Command2_Click() {
    Navigate(this, ScreenId::Put);
}
void MainMenu::Command3_Click() {
    ExitProgram();
}
void MainMenu::Command4_Click() {
    Navigate(this, ScreenId::Instructions);
}

}  // namespace volantra
