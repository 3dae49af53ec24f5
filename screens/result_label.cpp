#include "screens/result_label.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QHelpEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QToolTip>

namespace volantra {
namespace {

// The smallest size a result is drawn at before it is elided; the tooltip and the
// accessible name still hold all of it.
constexpr qreal FLOOR_POINTS = 7;

}  // namespace

ResultLabel::ResultLabel(QWidget* parent) : QLabel(parent) {
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setFocusPolicy(Qt::NoFocus);  // labels never take the focus, also when clicked
}

void ResultLabel::SetHelp(const QString& name, const QString& description) {
    name_ = name;
    description_ = description;
    setAccessibleDescription(description);
    setToolTip(description);
}

void ResultLabel::KeepWidth() {
    ownFont_ = font();
    ownMargins_ = contentsMargins();
    // The indent a framed label takes from its font, fixed so a smaller face keeps it.
    setIndent(fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2);
    fitter_.emplace(ownFont_, FLOOR_POINTS);
}

// The name and the tooltip follow the text when they are asked for, so a cycle writes
// the text alone; a label without an accessible name of its own tells a screen reader
// that its name changed.
void ResultLabel::ShowText(const QString& text) {
    setText(text);
    Fit();
}

QString ResultLabel::SpokenText() const {
    return text().isEmpty() ? name_ : name_ + QLatin1Char(' ') + text();
}

QString ResultLabel::ToolTipText() const {
    return text().isEmpty() ? description_ : SpokenText() + QLatin1Char('\n') + description_;
}

bool ResultLabel::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), ToolTipText(), this);
        return true;
    }
    return QLabel::event(event);
}

FittedText ResultLabel::Drawn() const {
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
        // results beside it; the frame, which the margin moves too, is put back.
        drop_ = QFontMetrics(ownFont_).ascent() - QFontMetrics(drawnFont).ascent();
        setContentsMargins(ownMargins_ + QMargins(0, drop_, 0, 0));
    }
    elided_ = fitted.shown != text();
    if (elided_) {
        update();
    }
}

void ResultLabel::paintEvent(QPaintEvent* event) {
    if (elided_) {
        DrawElided();
    } else {
        QLabel::paintEvent(event);
    }
    if (drop_ > 0) {
        FrameTheWholeBox();
    }
}

// Laid out as QLabel lays out its own text: the indent on the aligned edges.
void ResultLabel::DrawElided() {
    QPainter painter(this);
    drawFrame(&painter);
    const int in = std::max(indent(), 0);
    const Qt::Alignment align = alignment();
    const QRect area = contentsRect().adjusted(
        align & Qt::AlignLeft ? in : 0, align & Qt::AlignTop ? in : 0,
        align & Qt::AlignRight ? -in : 0, align & Qt::AlignBottom ? -in : 0);
    style()->drawItemText(&painter, area, int(align), palette(), isEnabled(), Drawn().shown,
                          foregroundRole());
}

// The frame drawn at the box's edge over the one the dropped text margin moved down;
// the band it clears lies above the text.
void ResultLabel::FrameTheWholeBox() {
    QPainter painter(this);
    painter.fillRect(QRect(0, 0, width(), ownMargins_.top() + drop_),
                     palette().color(backgroundRole()));
    QStyleOptionFrame frame;
    initStyleOption(&frame);
    frame.rect = rect();
    style()->drawControl(QStyle::CE_ShapedFrame, &frame, &painter, this);
}

// A number is one word: "10.62", not the "62" a word selection stops at.
void ResultLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || text().isEmpty()) {
        QLabel::mouseDoubleClickEvent(event);
        return;
    }
    setSelection(0, static_cast<int>(text().size()));
    TakeFocusForSelection();
    event->accept();
}

void ResultLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    TakeFocusForSelection();
}

// The box takes the focus only once text is selected in it, so Ctrl+C reaches it; a
// plain click leaves the focus where it was, on the bar the user was moving.
void ResultLabel::TakeFocusForSelection() {
    if (hasSelectedText() && !hasFocus()) {
        setFocus(Qt::MouseFocusReason);
    }
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
    connect(copyAll, &QAction::triggered, this, &ResultLabel::CopyAllRequested);
    QAction* speakAll = menu.addAction(tr("Speak All Results"));
    speakAll->setShortcut(SpeakAllResultsKeys());
    connect(speakAll, &QAction::triggered, this, &ResultLabel::SpeakAllRequested);
    QAction* chart = menu.addAction(tr("Chart…"));
    chart->setShortcut(ChartKeys());
    connect(chart, &QAction::triggered, this, &ResultLabel::ChartRequested);
    menu.exec(event->globalPos());
}

}  // namespace volantra
