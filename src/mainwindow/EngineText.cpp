#include "EngineText.h"

namespace bpd::mainwindow {

NumberLocale numberLocale(const QLocale& locale) {
    NumberLocale result;
    result.decimalSeparator = locale.decimalPoint().toStdString();
    result.groupSeparator = locale.groupSeparator().toStdString();
    return result;
}

std::optional<double> readNumber(const QString& text) {
    return parseNumber(toEngine(text), numberLocale());
}

}  // namespace bpd::mainwindow
