#include "screens/result_announcer.h"

#include "screens/screen_reader_announcement.h"

namespace volantra {

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
    const QString name =
        kind == OptionKind::Call ? QStringLiteral("Call value") : QStringLiteral("Put value");
    return name + QLatin1Char(' ') + value;
}

ResultAnnouncer::ResultAnnouncer(OptionKind kind, QObject* parent) : QObject(parent), kind_(kind) {}

void ResultAnnouncer::AfterStep(QObject* bar, const std::vector<ScreenChange>& changes) {
    const QString text = StepAnnouncement(kind_, changes);
    if (text.isEmpty()) {
        return;
    }
    AnnounceToScreenReader(bar, text);
    emit Announced(text);
}

}  // namespace volantra
