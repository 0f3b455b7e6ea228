#pragma once
// The bridge between the window's texts and the engine's: locale separators and string types.

#include <QLocale>
#include <QString>
#include <optional>
#include <string>
#include <string_view>

#include "NumberFormat.h"

namespace bpd::mainwindow {

// The decimal and group separators of a locale (the default locale when none is given).
NumberLocale numberLocale(const QLocale& locale = QLocale());

inline std::string toEngine(const QString& text) {
    return text.toStdString();
}
inline QString fromEngine(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The number a text reads as under the default locale, if any.
std::optional<double> readNumber(const QString& text);

}  // namespace bpd::mainwindow
