#include "PdfInfo.h"

#include <QRegularExpression>

namespace bpd::calcsheet {

namespace {

// A text string as PDF writes any text: UTF-16, big-endian, after a byte order mark.
QByteArray textString(const QString& text) {
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + ">";
}

QString xmlEscaped(const QString& text) {
    return text.toHtmlEscaped();
}

// The same instant in both forms, in UTC, to the second.
QByteArray pdfDate(const QDateTime& when) {
    return "(D:" + when.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toLatin1() + "+00'00')";
}
QString xmpDate(const QDateTime& when) {
    return when.toUTC().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss")) + QStringLiteral("+00:00");
}

}  // namespace

QByteArray PdfInfo::xmp(const Fields& f) {
    // No author: neither the packet nor the Info dictionary names one, as PDF/A has them agree.
    const QString author = f.author.isEmpty()
                               ? QString()
                               : QStringLiteral("      <dc:creator><rdf:Seq><rdf:li>") +
                                     xmlEscaped(f.author) +
                                     QStringLiteral("</rdf:li></rdf:Seq></dc:creator>\n");
    const QString packet = QStringLiteral(
        "<?xpacket begin='' id='W5M0MpCehiHzreSzNTczkc9d'?>\n"
        "<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">\n"
        "  <rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">\n"
        "    <rdf:Description xmlns:dc=\"http://purl.org/dc/elements/1.1/\" rdf:about=\"\">\n"
        "      <dc:title><rdf:Alt><rdf:li xml:lang=\"x-default\">%1</rdf:li></rdf:Alt></dc:title>\n"
        "%2"
        "    </rdf:Description>\n"
        "    <rdf:Description xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\" rdf:about=\"\" "
        "xmp:CreatorTool=\"%3\" xmp:CreateDate=\"%5\" xmp:ModifyDate=\"%5\"/>\n"
        "    <rdf:Description xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\" rdf:about=\"\" "
        "pdf:Producer=\"%4\"/>\n"
        "    <rdf:Description xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\" rdf:about=\"\" "
        "pdfaid:part=\"1\" pdfaid:conformance=\"B\"/>\n"
        "  </rdf:RDF>\n"
        "</x:xmpmeta>\n"
        "<?xpacket end='w'?>\n");
    return packet
        .arg(xmlEscaped(f.title), author, xmlEscaped(f.creator), xmlEscaped(f.producer),
             xmpDate(f.created))
        .toUtf8();
}

QByteArray PdfInfo::withInfo(const QByteArray& pdf, const Fields& f, QString& error) {
    const QString text = QString::fromLatin1(pdf);
    const qsizetype at = text.lastIndexOf(QStringLiteral("trailer"));
    static const QRegularExpression startXref(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
    const auto start = startXref.match(text);
    if (at < 0 || !start.hasMatch()) {
        error = QStringLiteral("the PDF has no trailer");
        return {};
    }
    const QString trailer = text.mid(at, text.indexOf(QStringLiteral("startxref"), at) - at);
    static const QRegularExpression sizeKey(QStringLiteral("/Size\\s+(\\d+)"));
    static const QRegularExpression rootKey(QStringLiteral("/Root\\s+(\\d+)\\s+0\\s+R"));
    static const QRegularExpression idKey(QStringLiteral("/ID\\s*(\\[[^\\]]*\\])"));
    const auto size = sizeKey.match(trailer);
    const auto root = rootKey.match(trailer);
    if (!size.hasMatch() || !root.hasMatch()) {
        error = QStringLiteral("the PDF's trailer has no /Size or /Root");
        return {};
    }
    const int info = size.captured(1).toInt();
    // The file's identifier, from the last trailer that gives one (an update before this one
    // may have left it out).
    QRegularExpressionMatch id;
    for (auto it = idKey.globalMatch(text); it.hasNext();) id = it.next();

    QByteArray out = pdf;
    if (!out.endsWith('\n')) out += '\n';
    const qint64 offset = out.size();
    const QByteArray author =
        f.author.isEmpty() ? QByteArray() : "\n/Author " + textString(f.author);
    out += QByteArray::number(info) + " 0 obj\n<<\n/Title " + textString(f.title) + author +
           "\n/Creator " + textString(f.creator) + "\n/Producer " + textString(f.producer) +
           "\n/CreationDate " + pdfDate(f.created) + "\n/ModDate " + pdfDate(f.created) +
           "\n>>\nendobj\n";
    const qint64 xref = out.size();
    out += "xref\n0 1\n0000000000 65535 f \n" + QByteArray::number(info) + " 1\n" +
           QByteArray::number(offset).rightJustified(10, '0') + " 00000 n \n";
    out += "trailer\n<<\n/Size " + QByteArray::number(info + 1) + "\n/Root " +
           root.captured(1).toLatin1() + " 0 R\n/Info " + QByteArray::number(info) + " 0 R\n" +
           (id.hasMatch() ? "/ID " + id.captured(1).toLatin1() + "\n" : QByteArray()) + "/Prev " +
           start.captured(1).toLatin1() + "\n>>\nstartxref\n" + QByteArray::number(xref) +
           "\n%%EOF\n";
    return out;
}

}  // namespace bpd::calcsheet
