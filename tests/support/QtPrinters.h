#pragma once
// Lets failing expectations print Qt texts as text.
#include <ostream>
#include <QString>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
