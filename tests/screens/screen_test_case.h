#pragma once

#include <QObject>
#include <QTest>
#include <memory>

#include "modal_boxes.h"
#include "screen_driver.h"

namespace volantra::testing {

// The screens' test fixture: every test fails on a message box it did not expect, on
// an expected one that never came, on a box that is not a plain OK box, or on one
// opened inside another; and leaves no screen open behind it, nor an exit pending.
class ScreenTestCase : public QObject {
    Q_OBJECT

protected:
    ModalBoxes& boxes() { return *boxes_; }

private slots:
    void init() { boxes_ = std::make_unique<ModalBoxes>(); }
    void cleanup() {
        QVERIFY2(boxes_->unexpected().isEmpty(), qPrintable(boxes_->unexpected().join("; ")));
        QVERIFY2(boxes_->missing().isEmpty(), qPrintable(boxes_->missing().join("; ")));
        QVERIFY(boxes_->allPlain());
        QVERIFY(!boxes_->sawNestedBox());
        QVERIFY2(NestedLoopsRun(), "an exit is pending: run the program's loop around it");
        QLocale::setDefault(QLocale::c());
        CloseAll();
    }

private:
    std::unique_ptr<ModalBoxes> boxes_;
};

}  // namespace volantra::testing
