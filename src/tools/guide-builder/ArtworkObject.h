#pragma once
// Draws the program's artwork in a text document as vector drawings: an <img> whose source
// is "artwork:NAME" shows the SVG resource :/artwork/NAME.svg, scaled to the image's width
// and height (CSS pixels of 1/96 in.; a missing one follows the drawing's proportions).
//
// Usage (before the document is laid out):
//     ArtworkObject::install(document);   // the object belongs to the document
//
// Printed to a PDF writer the drawings stay lines and text. allArtworkExists finds the images
// that name no drawing (the guide builder stops on them; they would be drawn as grey boxes).

#include <QObject>
#include <QTextObjectInterface>

class QTextDocument;

namespace bpd::guide {

class ArtworkObject : public QObject, public QTextObjectInterface {
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)
public:
    static void install(QTextDocument& document);
    // True when every "artwork:" image of the document names a drawing that exists; missing
    // lists the names that do not.
    static bool allArtworkExists(const QTextDocument& document, QStringList& missing);

    QSizeF intrinsicSize(QTextDocument* document, int positionInDocument,
                         const QTextFormat& format) override;
    void drawObject(QPainter* painter, const QRectF& rect, QTextDocument* document,
                    int positionInDocument, const QTextFormat& format) override;

private:
    using QObject::QObject;
};

}  // namespace bpd::guide
