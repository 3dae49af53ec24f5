#include "screens/instructions_screen.h"

#include <QFontInfo>

#include "screens/focus_ring_style.h"
#include "screens/navigation.h"
#include "screens/screen_style.h"

namespace volantra {

InstructionsScreen::InstructionsScreen(QWidget* parent) : QWidget(parent) {
    ui.setupUi(this);
    // The wider substitute face is narrowed to the width of the one it stands for, so
    // each line of the text fits its label.
    if (QFontInfo(font()).family() != QLatin1String("MS Sans Serif")) {
        QFont narrowed = font();
        narrowed.setStretch(94);
        setFont(narrowed);
    }
    PressFocusedButtonOnEnter(this);
    ShowFocusPlainly(this);
    connect(ui.Command1, &QPushButton::clicked, this, &InstructionsScreen::Command1_Click);
    ui.Command1->setFocus();
}

void InstructionsScreen::Command1_Click() {
    Navigate(this, ScreenId::Menu);
}

}  // namespace volantra
