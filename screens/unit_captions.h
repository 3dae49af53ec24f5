#pragma once

#include <QString>

class QWidget;

// The "$", "%" and "days" captions beside the boxes: a screen reader meets them only in
// the description of the box they belong to.
namespace volantra {

/// The unit a caption shows, in words ("in dollars" for "$"); empty for any other text.
QString UnitInWords(const QString& caption);

/// Whether `widget` is a label showing only a unit, which a screen reader skips.
bool IsUnitCaption(const QWidget* widget);

/// `description` ended with the unit of `caption`: "Price of the asset, in dollars".
QString WithUnit(const QString& description, const QWidget* caption);

}  // namespace volantra
