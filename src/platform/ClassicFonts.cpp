#include "ClassicFonts.h"

#include <QStringList>

namespace bpd::platform {

void ClassicFonts::installSubstitutes() {
    QFont::insertSubstitutions(QString::fromLatin1(kFamily),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                                QStringLiteral("DejaVu Sans")});
}

QFont ClassicFonts::msSansSerif(bool bold) {
    installSubstitutes();  // idempotent; keeps the font right when a caller forgot
    QFont font(QString::fromLatin1(kFamily));
    font.setPixelSize(kPixelSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

}  // namespace bpd::platform
