#include "platform/ui/ListItems.h"

#include <QComboBox>
#include <QCoreApplication>

namespace platform {

void PutItem(QComboBox& list, int index, const QString& text) {
    if (index < 0 || index >= list.count())
        throw EListError(QCoreApplication::translate("ListItems", "List index out of bounds (%1)")
                             .arg(index)
                             .toStdString());
    list.setItemText(index, text);
}

} // namespace platform
