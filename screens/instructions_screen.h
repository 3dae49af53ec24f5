#pragma once

#include <QWidget>

#include "ui_instructions_screen.h"

namespace volantra {

/// The instructions screen Form1: fixed text and the way back to the menu.
class InstructionsScreen : public QWidget {
    Q_OBJECT

public:
    explicit InstructionsScreen(QWidget* parent = nullptr);

private:
    void Command1_Click();

    Ui::InstructionsScreen ui;
};

}  // namespace volantra
