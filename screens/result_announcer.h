#pragma once

#include <QObject>
#include <QString>
#include <vector>

#include "cycle/recalculation.h"

namespace volantra {

/// What a screen reader says after a bar step: "Call value 10.62" when the step ended by
/// writing the option value, nothing when it ended in a message (its box is read).
QString StepAnnouncement(OptionKind kind, const std::vector<ScreenChange>& changes);

/// What a screen reader says for every result at once: "Call value 10.45, delta 0.6368,
/// gamma 0.0188, theta -6.4135, vega 37.5200, rho 53.2309", or "No results"; `shown`
/// holds the result boxes' texts.
QString AllResultsAnnouncement(OptionKind kind, const EnumArray<ResultBox, QString>& shown);

/// Speaks a pricing screen's option value after each bar step that shows results, once,
/// on behalf of the bar that moved, so the reader says it after the bar's number; and
/// whatever else the screen has to say.
class ResultAnnouncer : public QObject {
    Q_OBJECT

public:
    ResultAnnouncer(OptionKind kind, QObject* parent);

    /// Announces what one cycle's `changes` showed, from the `bar` that moved.
    void AfterStep(QObject* bar, const std::vector<ScreenChange>& changes);

    /// Says `text` on behalf of `source`, the control that has the focus.
    void Say(QObject* source, const QString& text);

signals:
    /// Each announcement as it is sent to the screen reader.
    void Announced(const QString& text);

private:
    OptionKind kind_;
};

}  // namespace volantra
