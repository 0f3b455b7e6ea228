#include "ContactBlock.h"

namespace bpd::mainwindow {

// Invented sample data: reserved 555-01xx numbers and the .example domain.
QString ContactBlock::companyAndStreet() {
    return QStringLiteral("Pelgro INC., 1200 Ravelon Way");
}
QString ContactBlock::cityLine() {
    return QStringLiteral("Millbrook, OH 45999, USA");
}
QString ContactBlock::phone() {
    return QStringLiteral("(937) 555-0142");
}
QString ContactBlock::fax() {
    return QStringLiteral("(937) 555-0143");
}
QString ContactBlock::email() {
    return QStringLiteral("info@pelgro.example");
}
QString ContactBlock::website() {
    return QStringLiteral("www.pelgro.example");
}

QString ContactBlock::contactText() {
    const QString indent(48, QLatin1Char(' '));
    const QString crlf = QStringLiteral("\r\n");
    const QStringList lines = {companyAndStreet(),
                               cityLine(),
                               QStringLiteral("Phone: ") + phone(),
                               QStringLiteral("Fax: ") + fax(),
                               QStringLiteral("E-Mail: ") + email(),
                               QStringLiteral("Website: ") + website()};
    QString text;
    for (const QString& line : lines) text += indent + line + crlf;
    return text;
}

QStringList ContactBlock::contactLines() {
    return {companyAndStreet(),
            cityLine(),
            QStringLiteral("Phone: ") + phone(),
            QStringLiteral("Fax:") + fax(),
            QStringLiteral("E-Mail: ") + email(),
            QStringLiteral("Website: ") + website()};
}

QString ContactBlock::contactLine() {
    return companyAndStreet() + QLatin1Char(' ') + cityLine() + QStringLiteral(" Phone: ") +
           phone() + QStringLiteral(" Fax: ") + fax() + QStringLiteral(" E-Mail: ") + email() +
           QStringLiteral(" Website: ") + website();
}

}  // namespace bpd::mainwindow
