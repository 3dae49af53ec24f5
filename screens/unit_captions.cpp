#include "screens/unit_captions.h"

#include <QLabel>

namespace volantra {

QString UnitInWords(const QString& caption) {
    if (caption == QLatin1String("$")) {
        return QStringLiteral("in dollars");
    }
    if (caption == QLatin1String("%")) {
        return QStringLiteral("in percent");
    }
    if (caption == QLatin1String("days")) {
        return QStringLiteral("in days");
    }
    return {};
}

bool IsUnitCaption(const QWidget* widget) {
    const auto* label = qobject_cast<const QLabel*>(widget);
    return label != nullptr && !UnitInWords(label->text()).isEmpty();
}

QString WithUnit(const QString& description, const QWidget* caption) {
    const auto* label = qobject_cast<const QLabel*>(caption);
    const QString unit = label != nullptr ? UnitInWords(label->text()) : QString();
    return unit.isEmpty() ? description : description + QStringLiteral(", ") + unit;
}

}  // namespace volantra
