#pragma once

#include <QCheckBox>

namespace volantra {

/// A check box without a text whose whole square takes a click, not only the indicator
/// the style draws at its left.
class WholeSquareCheckBox : public QCheckBox {
    Q_OBJECT

public:
    using QCheckBox::QCheckBox;

protected:
    [[nodiscard]] bool hitButton(const QPoint& pos) const override;
};

}  // namespace volantra
