#include "VectorArtwork.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgRenderer>
#include <QXmlStreamReader>

namespace bpd::guide {

namespace {

// Applies an SVG transform list ("translate(3,4) rotate(-8 228 64)") to t, first to last.
void applyTransform(QTransform& t, const QString& list) {
    static const QRegularExpression op(QStringLiteral("(\\w+)\\s*\\(([^)]*)\\)"));
    static const QRegularExpression separator(QStringLiteral("[\\s,]+"));
    for (auto it = op.globalMatch(list); it.hasNext();) {
        const auto match = it.next();
        QList<qreal> n;
        for (const QString& v : match.captured(2).split(separator, Qt::SkipEmptyParts))
            n << v.toDouble();
        const QString name = match.captured(1);
        if (name == u"translate" && !n.isEmpty()) {
            t.translate(n[0], n.value(1));
        } else if (name == u"scale" && !n.isEmpty()) {
            t.scale(n[0], n.size() > 1 ? n[1] : n[0]);
        } else if (name == u"rotate" && !n.isEmpty()) {
            t.translate(n.value(1), n.value(2));
            t.rotate(n[0]);
            t.translate(-n.value(1), -n.value(2));
        } else if (name == u"matrix" && n.size() == 6) {
            t = QTransform(n[0], n[1], n[2], n[3], n[4], n[5]) * t;
        }
    }
}

}  // namespace

VectorArtwork::VectorArtwork(const QString& resource) {
    QFile file(resource);
    if (!file.open(QIODevice::ReadOnly)) return;
    const QByteArray svg = file.readAll();
    readTexts(svg);
    QString withoutText = QString::fromUtf8(svg);
    static const QRegularExpression text(QStringLiteral("<text\\b[^>]*>[^<]*</text>"));
    withoutText.remove(text);
    shapes_ = std::make_unique<QSvgRenderer>(withoutText.toUtf8());
    viewBox_ = shapes_->viewBoxF();
}

VectorArtwork::~VectorArtwork() = default;

bool VectorArtwork::isValid() const {
    return shapes_ && shapes_->isValid() && !viewBox_.isEmpty();
}

void VectorArtwork::readTexts(const QByteArray& svg) {
    Text inherited;  // what <svg> and <g> elements pass on to the text inside them
    inherited.family = QStringLiteral("Liberation Sans");
    inherited.colour = Qt::black;
    inherited.anchor = QStringLiteral("start");
    QList<Text> stack;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        const auto token = xml.readNext();
        if (token == QXmlStreamReader::EndElement) {
            if (!stack.isEmpty()) inherited = stack.takeLast();
            continue;
        }
        if (token != QXmlStreamReader::StartElement) continue;
        stack.append(inherited);
        const QXmlStreamAttributes attributes = xml.attributes();
        auto value = [&attributes](const char* name) {
            return attributes.value(QLatin1String(name)).toString();
        };
        if (attributes.hasAttribute(QLatin1String("transform")))
            applyTransform(inherited.transform, value("transform"));
        if (attributes.hasAttribute(QLatin1String("font-family")))
            inherited.family = value("font-family").remove(u'\'').remove(u'"');
        if (attributes.hasAttribute(QLatin1String("font-size")))
            inherited.size = value("font-size").remove(QLatin1String("px")).toDouble();
        if (attributes.hasAttribute(QLatin1String("font-style")))
            inherited.italic = value("font-style") == u"italic";
        if (attributes.hasAttribute(QLatin1String("font-weight")))
            inherited.bold = value("font-weight") == u"bold" || value("font-weight").toInt() >= 600;
        if (attributes.hasAttribute(QLatin1String("fill")))
            inherited.colour = QColor(value("fill"));
        if (attributes.hasAttribute(QLatin1String("text-anchor")))
            inherited.anchor = value("text-anchor");
        if (value("display") == u"none") inherited.hidden = true;  // as a hidden group
        if (xml.name() == u"text") {
            Text text = inherited;
            text.at = QPointF(value("x").toDouble(), value("y").toDouble());
            text.text = xml.readElementText().simplified();  // consumes the end of the element
            inherited = stack.takeLast();
            if (!text.text.isEmpty() && !text.hidden) texts_.append(text);
        }
    }
}

void VectorArtwork::paint(QPainter* painter, const QRectF& target) const {
    if (!isValid()) return;
    shapes_->render(painter, target);
    QTransform toTarget;
    toTarget.translate(target.x(), target.y());
    toTarget.scale(target.width() / viewBox_.width(), target.height() / viewBox_.height());
    toTarget.translate(-viewBox_.x(), -viewBox_.y());
    const QTransform world = painter->worldTransform();
    const qreal dpi = painter->device()->logicalDpiY();
    painter->save();
    for (const Text& text : texts_) {
        painter->setWorldTransform(text.transform * toTarget * world);
        QFont font(text.family);
        font.setPointSizeF(text.size * 72.0 / dpi);  // size in the drawing's units
        font.setItalic(text.italic);
        font.setBold(text.bold);
        painter->setFont(font);
        painter->setPen(text.colour);
        const qreal width = QFontMetricsF(font, painter->device()).horizontalAdvance(text.text);
        const qreal shift = text.anchor == u"middle" ? width / 2
                            : text.anchor == u"end"  ? width
                                                     : 0;
        painter->drawText(text.at - QPointF(shift, 0), text.text);
    }
    painter->restore();
}

}  // namespace bpd::guide
