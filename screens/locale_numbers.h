#pragma once

#include <QLocale>

#include "cycle/recalculation.h"

namespace volantra {

/// Number text in `locale`'s conventions (decimal symbol, digit grouping, signs, digits),
/// both ways, so every number written reads back the same.
NumberConventions LocaleConventions(const QLocale& locale);

}  // namespace volantra
