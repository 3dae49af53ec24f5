#include "screens/instructions_screen.h"

#include "screens/navigation.h"
#include "screens/screen_style.h"

namespace volantra {

InstructionsScreen::InstructionsScreen(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    PressFocusedButtonOnEnter(this);
    connect(ui.Command1, &QPushButton::clicked, this, &InstructionsScreen::Command1_Click);
    ui.Command1->setFocus();
}

void InstructionsScreen::Command1_Click() {
    Navigate(this, ScreenId::Menu);
}

}  // namespace volantra
