#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace volantra::testing {

// Watches for modal message boxes while a test runs: closes each one with OK, records
// it, and tells the expected ones from those nobody expected.
class ModalBoxes : public QObject {
public:
    ModalBoxes() {
        timer_.setInterval(2);
        connect(&timer_, &QTimer::timeout, this, &ModalBoxes::Poll);
        timer_.start();
    }

    void expect(const QString& text) { expected_.append(text); }

    /// Runs while the next box is open, before it is closed.
    void whileShown(std::function<void()> action) { whileShown_ = std::move(action); }

    [[nodiscard]] const QStringList& shown() const { return shown_; }
    [[nodiscard]] const QStringList& unexpected() const { return unexpected_; }
    [[nodiscard]] const QStringList& missing() const { return expected_; }
    [[nodiscard]] bool sawNestedBox() const { return nested_; }
    [[nodiscard]] bool allPlain() const { return plain_; }

private:
    void Poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box->property("volantraSeen").toBool()) {
            return;
        }
        box->setProperty("volantraSeen", true);
        nested_ = nested_ || open_ > 0;
        ++open_;
        plain_ = plain_ && box->icon() == QMessageBox::NoIcon &&
                 box->windowTitle() == QStringLiteral("Volantra") && box->buttons().size() == 1 &&
                 box->button(QMessageBox::Ok) != nullptr;
        shown_.append(box->text());
        if (!expected_.isEmpty() && expected_.front() == box->text()) {
            expected_.pop_front();
        } else {
            unexpected_.append(box->text());
        }
        if (whileShown_) {
            auto action = std::move(whileShown_);
            whileShown_ = nullptr;
            action();
        }
        --open_;
        box->button(QMessageBox::Ok)->click();
    }

    QTimer timer_;
    QStringList expected_;
    QStringList shown_;
    QStringList unexpected_;
    std::function<void()> whileShown_;
    int open_ = 0;
    bool nested_ = false;
    bool plain_ = true;
};

}  // namespace volantra::testing
