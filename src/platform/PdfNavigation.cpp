#include "PdfNavigation.h"

#include <QMap>
#include <QRegularExpression>

namespace bpd::platform {

namespace {

QByteArray number(qreal value) {
    return QByteArray::number(value, 'f', 2);
}
QByteArray reference(int object) {
    return QByteArray::number(object) + " 0 R";
}

// A text string as PDF writes any text: UTF-16, big-endian, after a byte order mark.
QByteArray textString(const QString& text) {
    QByteArray hex = "<FEFF";
    for (const QChar c : text)
        hex += QByteArray::number(c.unicode(), 16).rightJustified(4, '0').toUpper();
    return hex + ">";
}

class Reader {
public:
    explicit Reader(const QByteArray& pdf) : text_(QString::fromLatin1(pdf)) {}

    // The text of the last definition of an object, between "obj" and "endobj".
    QString object(int number) const {
        const QRegularExpression definition(
            QStringLiteral("(?:^|\\s)%1 0 obj(.*?)endobj").arg(number),
            QRegularExpression::DotMatchesEverythingOption);
        QString body;
        for (auto it = definition.globalMatch(text_); it.hasNext();) body = it.next().captured(1);
        return body.trimmed();
    }
    static int referenceAfter(const QString& dictionary, const QString& key) {
        const QRegularExpression ref(QStringLiteral("/%1\\s+(\\d+)\\s+0\\s+R").arg(key));
        const auto match = ref.match(dictionary);
        return match.hasMatch() ? match.captured(1).toInt() : -1;
    }
    static QList<int> referencesIn(const QString& array) {
        QList<int> refs;
        static const QRegularExpression ref(QStringLiteral("(\\d+)\\s+0\\s+R"));
        for (auto it = ref.globalMatch(array); it.hasNext();) refs << it.next().captured(1).toInt();
        return refs;
    }
    QString trailer() const {
        const qsizetype at = text_.lastIndexOf(QStringLiteral("trailer"));
        if (at < 0) return {};
        const qsizetype end = text_.indexOf(QStringLiteral(">>"), at);
        return end < 0 ? QString() : text_.mid(at, end - at);
    }
    qint64 startXref() const {
        static const QRegularExpression start(QStringLiteral("startxref\\s+(\\d+)\\s+%%EOF\\s*$"));
        const auto match = start.match(text_);
        return match.hasMatch() ? match.captured(1).toLongLong() : -1;
    }

private:
    QString text_;
};

// The inside of a dictionary: what stands between its outermost << and >>.
QString dictionaryInside(const QString& object) {
    const qsizetype open = object.indexOf(QStringLiteral("<<"));
    const qsizetype close = object.lastIndexOf(QStringLiteral(">>"));
    return open < 0 || close < open ? QString() : object.mid(open + 2, close - open - 2);
}

}  // namespace

QByteArray PdfNavigation::withNavigation(const QByteArray& pdf, const QList<Bookmark>& bookmarks,
                                         const QList<Link>& links, QString& error) {
    const Reader reader(pdf);
    const QString trailer = reader.trailer();
    const qint64 previousXref = reader.startXref();
    static const QRegularExpression sizeKey(QStringLiteral("/Size\\s+(\\d+)"));
    const auto size = sizeKey.match(trailer);
    const int root = Reader::referenceAfter(trailer, QStringLiteral("Root"));
    const int info = Reader::referenceAfter(trailer, QStringLiteral("Info"));
    const QString catalog = dictionaryInside(reader.object(root));
    const QString pagesTree =
        reader.object(Reader::referenceAfter(catalog, QStringLiteral("Pages")));
    const qsizetype kids = pagesTree.indexOf(QStringLiteral("/Kids"));
    const QList<int> pages =
        kids < 0 ? QList<int>()
                 : Reader::referencesIn(pagesTree.mid(kids, pagesTree.indexOf(u']', kids) - kids));
    if (!size.hasMatch() || previousXref < 0 || root < 0 || catalog.isEmpty() || pages.isEmpty() ||
        catalog.contains(QStringLiteral("/Outlines"))) {
        error = QStringLiteral("not a PDF as QPdfWriter writes it (trailer, catalog or page tree)");
        return {};
    }
    auto destination = [&pages](const Destination& to) {
        return "[" + reference(pages.value(to.page)) + " /XYZ " + number(to.x) + " " +
               number(to.y) + " null]";
    };
    for (const auto& target : bookmarks)
        if (target.to.page < 0 || target.to.page >= pages.size()) error = target.title;
    for (const auto& link : links)
        if (link.page < 0 || link.page >= pages.size() || link.to.page < 0 ||
            link.to.page >= pages.size())
            error = QStringLiteral("a link");
    if (!error.isEmpty()) {
        error = QStringLiteral("%1 leads to a page the PDF does not have").arg(error);
        return {};
    }

    QByteArray out = pdf;
    if (!out.endsWith('\n')) out += '\n';
    QMap<int, qint64> offsets;
    auto write = [&out, &offsets](int object, const QByteArray& body) {
        offsets[object] = out.size();
        out += QByteArray::number(object) + " 0 obj\n" + body + "\nendobj\n";
    };
    int next = size.captured(1).toInt();

    // The outline: level-1 bookmarks under the root, level-2 ones under the level-1 before them.
    const int outlines = next++;
    QList<int> numbers, parents;
    QList<QList<int>> children(bookmarks.size());
    QList<int> top;
    int lastTop = -1;
    for (qsizetype i = 0; i < bookmarks.size(); ++i) {
        numbers << next++;
        if (bookmarks[i].level <= 1 || lastTop < 0) {
            top << int(i);
            lastTop = int(i);
            parents << outlines;
        } else {
            children[lastTop] << int(i);
            parents << numbers[lastTop];
        }
    }
    auto siblings = [&](const QList<int>& group, qsizetype at) {
        QByteArray links;
        if (at > 0) links += " /Prev " + reference(numbers[group[at - 1]]);
        if (at + 1 < group.size()) links += " /Next " + reference(numbers[group[at + 1]]);
        return links;
    };
    for (const QList<int>* group : [&] {
             QList<const QList<int>*> all{&top};
             for (const auto& c : children) all << &c;
             return all;
         }()) {
        for (qsizetype at = 0; at < group->size(); ++at) {
            const int i = group->at(at);
            QByteArray body = "<< /Title " + textString(bookmarks[i].title) + " /Parent " +
                              reference(parents[i]) + siblings(*group, at);
            if (!children[i].isEmpty())
                body += " /First " + reference(numbers[children[i].first()]) + " /Last " +
                        reference(numbers[children[i].last()]) + " /Count " +
                        QByteArray::number(children[i].size());
            write(numbers[i], body + " /Dest " + destination(bookmarks[i].to) + " >>");
        }
    }
    write(outlines, top.isEmpty() ? QByteArray("<< /Type /Outlines /Count 0 >>")
                                  : "<< /Type /Outlines /First " + reference(numbers[top.first()]) +
                                        " /Last " + reference(numbers[top.last()]) + " /Count " +
                                        QByteArray::number(bookmarks.size()) + " >>");

    // The links, each added to its page's annotation array.
    QMap<int, QByteArray> addedTo;  // page -> references of its new annotations
    for (const auto& link : links) {
        const int annotation = next++;
        write(annotation, "<< /Type /Annot /Subtype /Link /Rect [" + number(link.rect.left()) +
                              " " + number(link.rect.top()) + " " + number(link.rect.right()) +
                              " " + number(link.rect.bottom()) + "] /Border [0 0 0] /Dest " +
                              destination(link.to) + " >>");
        addedTo[link.page] += " " + reference(annotation);
    }
    for (auto it = addedTo.cbegin(); it != addedTo.cend(); ++it) {
        const int array =
            Reader::referenceAfter(reader.object(pages[it.key()]), QStringLiteral("Annots"));
        const QString existing = reader.object(array);
        if (array < 0 || !existing.startsWith(u'[') || !existing.endsWith(u']')) {
            error = QStringLiteral("page %1 has no annotation array of its own").arg(it.key() + 1);
            return {};
        }
        write(array, existing.chopped(1).toLatin1() + it.value() + " ]");
    }
    write(root, "<<" + catalog.toLatin1() + " /Outlines " + reference(outlines) +
                    " /PageMode /UseOutlines >>");

    const qint64 xref = out.size();
    out += "xref\n";
    for (auto it = offsets.cbegin(); it != offsets.cend();) {
        auto run = it;
        int count = 0;
        while (run != offsets.cend() && run.key() == it.key() + count) ++run, ++count;
        out += QByteArray::number(it.key()) + " " + QByteArray::number(count) + "\n";
        for (; it != run; ++it)
            out += QByteArray::number(it.value()).rightJustified(10, '0') + " 00000 n \n";
    }
    out += "trailer\n<< /Size " + QByteArray::number(next) + " /Root " + reference(root) +
           (info >= 0 ? " /Info " + reference(info) : QByteArray()) + " /Prev " +
           QByteArray::number(previousXref) + " >>\nstartxref\n" + QByteArray::number(xref) +
           "\n%%EOF\n";
    return out;
}

}  // namespace bpd::platform
