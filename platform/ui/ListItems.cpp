#include "platform/ui/ListItems.h"

#include <QComboBox>

namespace platform {

void PutItem(QComboBox& list, int index, const QString& text) {
    if (index < 0 || index >= list.count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    list.setItemText(index, text);
}

} // namespace platform
