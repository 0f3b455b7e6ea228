#pragma once
// The owner's contact block, in the three forms the program uses: one text for the text
// report (each line after 48 blanks, ending in CR LF), six lines for the spreadsheet report
// (no blanks, "Fax:" directly before the number) and the one-line form of the printed window.

#include <QString>
#include <QStringList>

namespace bpd::mainwindow {

class ContactBlock {
public:
    static QString companyAndStreet();  // "Pelgro INC., ..."
    static QString cityLine();
    static QString phone();
    static QString fax();
    static QString email();
    static QString website();

    // The block as one text: 48 blanks before and CR LF after each of the six lines.
    static QString contactText();
    // The six lines in order, "Fax:" immediately followed by the number.
    static QStringList contactLines();
    // The one-line form for the window print.
    static QString contactLine();
};

}  // namespace bpd::mainwindow
