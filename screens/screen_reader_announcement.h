#pragma once

#include <QString>

class QObject;

// A message a screen reader speaks at once, without moving the focus.
namespace volantra {

/// Asks the screen reader to say `text` on behalf of `source`, a control of a shown
/// screen; does nothing when no assistive technology listens.
void AnnounceToScreenReader(QObject* source, const QString& text);

}  // namespace volantra
