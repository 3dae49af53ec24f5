#include "screens/instructions_screen.h"

#include <QFontInfo>
#include <QStringList>

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
    // The text takes no focus: the button that has it when the screen opens carries it,
    // so a screen reader reads it there without a review of the screen.
    QStringList lines;
    for (const QLabel* line : {ui.Label1, ui.Label2, ui.Label3, ui.Label4, ui.Label5, ui.Label6,
                               ui.Label7, ui.Label8, ui.Label9}) {
        lines << line->text().simplified();
    }
    ui.Command1->setAccessibleDescription(lines.join(QLatin1Char(' ')));
    ui.Command1->setFocus();
}

void InstructionsScreen::Command1_Click() {
    Navigate(this, ScreenId::Menu);
}

}  // namespace volantra
