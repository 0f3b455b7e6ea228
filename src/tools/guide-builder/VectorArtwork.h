#pragma once
// One SVG drawing of the program's artwork, painted with its words as text.
//
// QtSvg paints the text of a drawing as outlines: in a PDF each figure then weighs a hundred
// kilobytes and its words cannot be searched or copied. This paints the drawing without its
// <text> elements and writes those with QPainter at the same places, in the same fonts, sizes
// and colours (the artwork's text is plain: x, y, font, fill and anchor, inherited from <g>
// too, with no <tspan>); text in a group with display="none" stays hidden.
//
// Usage:
//     const VectorArtwork drawing(QStringLiteral(":/artwork/preview_B1.svg"));
//     if (drawing.isValid()) drawing.paint(&painter, target);

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>
#include <QTransform>
#include <memory>

class QPainter;
class QSvgRenderer;

namespace bpd::guide {

class VectorArtwork {
public:
    explicit VectorArtwork(const QString& resource);
    ~VectorArtwork();

    bool isValid() const;
    QSizeF naturalSize() const { return viewBox_.size(); }
    // Paints the whole drawing scaled into target.
    void paint(QPainter* painter, const QRectF& target) const;

private:
    struct Text {
        QTransform transform;  // of the groups around it, in the drawing's units
        QPointF at;            // the start, middle or end of its baseline (anchor)
        QString text;
        QString family;
        qreal size = 16;
        bool italic = false;
        bool bold = false;
        QColor colour;
        QString anchor;       // start, middle or end
        bool hidden = false;  // display="none" here or on a group around it
    };
    void readTexts(const QByteArray& svg);

    std::unique_ptr<QSvgRenderer> shapes_;
    QRectF viewBox_;
    QList<Text> texts_;
};

}  // namespace bpd::guide
