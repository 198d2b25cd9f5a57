#pragma once
// Texts between the core (8-bit std::string) and Qt (QString).

#include <QString>
#include <string>

namespace zelvo::qt {

inline QString Q(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString Q(const char* text) {
    return QString::fromLocal8Bit(text);
}
inline std::string S(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

}  // namespace zelvo::qt
