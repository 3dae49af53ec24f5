#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "cycle/recalculation.h"

namespace volantra {

/// What a screen reader says after a bar step: "Call value 10.62" when the step ended by
/// writing the option value, nothing when it ended in a message (its box is read).
QString StepAnnouncement(OptionKind kind, const std::vector<ScreenChange>& changes);

/// Speaks a pricing screen's option value after each bar step that shows results, once,
/// on behalf of the bar that moved, so the reader says it after the bar's number.
class ResultAnnouncer : public QObject {
    Q_OBJECT

public:
    ResultAnnouncer(OptionKind kind, QObject* parent);

    /// Announces what one cycle's `changes` showed, from the `bar` that moved.
    void AfterStep(QObject* bar, const std::vector<ScreenChange>& changes);

signals:
    /// Each announcement as it is sent to the screen reader.
    void Announced(const QString& text);

private:
    OptionKind kind_;
};

}  // namespace volantra
