#pragma once

#include <QObject>
#include <QString>

class QScrollBar;

namespace volantra {

/// The bar's tooltip: the percentage it stands at, on hover and while it moves, so the
/// user sees the position the next recalculation uses even where its value label is
/// blank or shows an older number.
class PercentTip : public QObject {
    Q_OBJECT

public:
    /// Tips `bar`, named `name` ("Volatility"), whose top holds the larger percentage.
    PercentTip(QScrollBar* bar, const QString& name);

    /// The tip's text now: "Volatility: 20%" over the bar's help.
    [[nodiscard]] QString Text() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowWhileMoving();

    QScrollBar* bar_;
    QString name_;
};

}  // namespace volantra
