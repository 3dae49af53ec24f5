#include "screens/result_label.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace volantra {
namespace {

// The smallest size a result is drawn at before it is elided; the tooltip and the
// accessible name still hold all of it.
constexpr qreal kFloorPoints = 7;

}  // namespace

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent) {
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setFocusPolicy(Qt::NoFocus);  // labels never take the focus, also when clicked
}

void ResultLabel::setHelp(const QString& name, const QString& description) {
    name_ = name;
    description_ = description;
    setAccessibleDescription(description);
    setToolTip(description);
}

void ResultLabel::keepWidth() {
    ownFont_ = font();
    ownMargins_ = contentsMargins();
    // The indent a framed label takes from its font, fixed so a smaller face keeps it.
    setIndent(fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2);
    fitter_.emplace(ownFont_, kFloorPoints);
}

// The name and the tooltip follow the text when they are asked for, so a cycle writes
// the text alone; a label without an accessible name of its own tells a screen reader
// that its name changed.
void ResultLabel::showText(const QString& text) {
    setText(text);
    Fit();
}

QString ResultLabel::spokenText() const {
    return text().isEmpty() ? name_ : name_ + QLatin1Char(' ') + text();
}

QString ResultLabel::toolTipText() const {
    return text().isEmpty() ? description_ : spokenText() + QLatin1Char('\n') + description_;
}

bool ResultLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), toolTipText(), this);
        return true;
    }
    return QLabel::event(event);
}

FittedText ResultLabel::drawn() const {
    if (!fitter_) {
        return {font().pointSizeF(), text()};
    }
    return fitter_->Fit(text(), TextWidth());
}

int ResultLabel::TextWidth() const {
    return contentsRect().width() - std::max(indent(), 0);
}

// A text that fits keeps the box's own face, found without measuring it; one that does
// not is drawn at a smaller size of the same face.
void ResultLabel::Fit() {
    if (!fitter_) {
        return;
    }
    const FittedText fitted = fitter_->Fit(text(), TextWidth());
    if (fitted.pointSize != font().pointSizeF()) {
        QFont drawnFont = ownFont_;
        drawnFont.setPointSizeF(fitted.pointSize);
        setFont(drawnFont);
        // A smaller text sits on the baseline of the box's own face, level with the
        // results beside it.
        const int drop = QFontMetrics(ownFont_).ascent() - QFontMetrics(drawnFont).ascent();
        setContentsMargins(ownMargins_ + QMargins(0, drop, 0, 0));
    }
    elided_ = fitted.shown != text();
    if (elided_) {
        update();
    }
}

void ResultLabel::paintEvent(QPaintEvent* event) {
    if (!elided_) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    const QRect area = contentsRect().adjusted(std::max(indent(), 0), 0, 0, 0);
    style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), drawn().shown,
                          foregroundRole());
}

void ResultLabel::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    QAction* copy = menu.addAction(tr("Copy"));
    copy->setEnabled(!text().isEmpty());
    connect(copy, &QAction::triggered, this, [this] {
        QApplication::clipboard()->setText(hasSelectedText() ? selectedText() : text());
    });
    QAction* copyAll = menu.addAction(tr("Copy All Results"));
    copyAll->setShortcut(CopyAllResultsKeys());  // the screen's own shortcut, shown here
    connect(copyAll, &QAction::triggered, this, &ResultLabel::copyAllRequested);
    menu.exec(event->globalPos());
}

}  // namespace volantra
