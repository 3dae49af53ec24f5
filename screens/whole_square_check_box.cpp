#include "screens/whole_square_check_box.h"

namespace volantra {

bool WholeSquareCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

}  // namespace volantra
