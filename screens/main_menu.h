#pragma once

#include <QWidget>

#include "ui_main_menu.h"

namespace volantra {

/// The main menu frmGiris: the program's title over a trading-floor picture and the
/// way to the call, put and instructions screens.
class MainMenu : public QWidget {
    Q_OBJECT

public:
    explicit MainMenu(QWidget* parent = nullptr);

private:
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    Ui::MainMenu ui;
};

}  // namespace volantra
