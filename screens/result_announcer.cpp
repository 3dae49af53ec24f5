#include "screens/result_announcer.h"

#include <QStringList>

#include "rows/schema.h"
#include "screens/screen_reader_announcement.h"

namespace volantra {

namespace {

QString ValueName(OptionKind kind) {
    return kind == OptionKind::Call ? QStringLiteral("Call value") : QStringLiteral("Put value");
}

}  // namespace

QString AllResultsAnnouncement(OptionKind kind, const EnumArray<ResultBox, QString>& shown) {
    if (shown[ResultBox::Value].isEmpty()) {
        return QStringLiteral("No results");
    }
    QStringList parts{ValueName(kind) + QLatin1Char(' ') + shown[ResultBox::Value]};
    for (const ResultColumn& result : RESULT_COLUMNS) {
        if (result.box != ResultBox::Value) {
            parts << QString::fromLatin1(result.name.data(),
                                         static_cast<qsizetype>(result.name.size())) +
                         QLatin1Char(' ') + shown[result.box];
        }
    }
    return parts.join(QStringLiteral(", "));
}

QString StepAnnouncement(OptionKind kind, const std::vector<ScreenChange>& changes) {
    QString value;
    for (const ScreenChange& change : changes) {
        if (std::holds_alternative<ShowMessage>(change)) {
            value.clear();  // the box is spoken; only a value written after it is said
            continue;
        }
        const auto* result = std::get_if<WriteResult>(&change);
        if (result != nullptr && result->box == ResultBox::Value) {
            value = QString::fromStdString(result->text);
        }
    }
    if (value.isEmpty()) {
        return {};
    }
    return ValueName(kind) + QLatin1Char(' ') + value;
}

ResultAnnouncer::ResultAnnouncer(OptionKind kind, QObject* parent) : QObject(parent), kind_(kind) {}

void ResultAnnouncer::AfterStep(QObject* bar, const std::vector<ScreenChange>& changes) {
    const QString text = StepAnnouncement(kind_, changes);
    if (text.isEmpty()) {
        return;
    }
    Say(bar, text);
}

void ResultAnnouncer::Say(QObject* source, const QString& text) {
    AnnounceToScreenReader(source, text);
    emit Announced(text);
}

}  // namespace volantra
