#pragma once

#include <QKeySequence>
#include <QLabel>
#include <optional>

#include "screens/text_fit.h"

namespace volantra {

/// The keys that copy every result from anywhere on a pricing screen.
inline QKeySequence CopyAllResultsKeys() {
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C);
}

/// The keys that have a screen reader say every result of a pricing screen.
inline QKeySequence SpeakAllResultsKeys() {
    return QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R);
}

/// The keys that open a pricing screen's chart of the whole bar.
inline QKeySequence ChartKeys() {
    return QKeySequence(Qt::CTRL | Qt::Key_G);
}

/// A box that shows a result or a bar's percentage: selectable with the mouse (a
/// double-click selects the whole number, Ctrl+C copies a selection), with "Copy" and
/// "Copy All Results" in its context menu, and its full text always in its
/// tooltip and its accessible name, also where the box is too narrow to show it whole.
/// Its accessible interface (screens/accessibility.h) reads SpokenText().
class ResultLabel : public QLabel {
    Q_OBJECT

public:
    explicit ResultLabel(QWidget* parent = nullptr);

    /// The box's name ("Delta"), read before its text, and the help its tooltip gives.
    void SetHelp(const QString& name, const QString& description);

    /// Keeps the box's width: a text too wide for it is drawn smaller, or elided.
    void KeepWidth();

    /// Shows `text` (empty for a blank box).
    void ShowText(const QString& text);

    /// How the current text is drawn.
    [[nodiscard]] FittedText Drawn() const;

    /// The name and the full text, as a screen reader reads them: "Delta 0.6368".
    [[nodiscard]] QString SpokenText() const;

    /// The tooltip: the spoken text over the help.
    [[nodiscard]] QString ToolTipText() const;

signals:
    /// The user asked for every result at once.
    void CopyAllRequested();

    /// The user asked to hear every result at once.
    void SpeakAllRequested();

    /// The user asked for the chart of the whole bar.
    void ChartRequested();

protected:
    bool event(QEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    [[nodiscard]] int TextWidth() const;
    void Fit();
    void DrawElided();
    void FrameTheWholeBox();
    void TakeFocusForSelection();

    QString name_;
    QString description_;
    std::optional<TextFitter> fitter_;  // set while the box keeps its width
    QFont ownFont_;
    QMargins ownMargins_;
    int drop_ = 0;  // how far a smaller text is moved down to the box's own baseline
    bool elided_ = false;
};

}  // namespace volantra
