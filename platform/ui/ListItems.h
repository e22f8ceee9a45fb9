#pragma once
// Item access on list controls with the framework's bounds checking: an index
// outside the list is an error, never a silent no-op.
#include <QString>
#include <stdexcept>

class QComboBox;

namespace platform {

class EListError : public std::runtime_error {
public:
    explicit EListError(const std::string& message) : std::runtime_error(message) {}
};

// Replaces the text of entry `index`; raises "List index out of bounds (%d)".
void PutItem(QComboBox& list, int index, const QString& text);

} // namespace platform
