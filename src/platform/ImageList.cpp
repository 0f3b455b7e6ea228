#include "ImageList.h"

#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

#include <cmath>
#include <cstdio>
#include <cstdlib>

// The artwork lives in the static library bpd_resources; naming its initialiser here registers
// the data and makes the linker keep it. Q_INIT_RESOURCE must be used outside any namespace.
static void initialiseArtwork() {
    Q_INIT_RESOURCE(artwork);
}

namespace bpd::platform {

namespace {

[[noreturn]] void programmingError(const QString& what) {
    std::fprintf(stderr, "bpd: %s\n", qPrintable(what));
    std::fflush(stderr);
    std::abort();
}

void ensureArtwork() {
    static const bool initialised = (initialiseArtwork(), true);
    (void)initialised;
}

qreal effectiveRatio(qreal requested) {
    if (requested > 0) return requested;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            return screen->devicePixelRatio();
    }
    return 1.0;
}

QString preview(const QString& key) {
    return QStringLiteral(":/artwork/preview_%1.svg").arg(key);
}

constexpr QSize kPreview{342, 137};
constexpr QSize kWidePreview{362, 137};  // "Vnr": its formula needs the room
constexpr QSize kSheet{449, 657};
constexpr QSize kBanner{522, 282};
constexpr QSize kOwnerLogo{44, 29};
constexpr QSize kDeveloperLogo{40, 40};
constexpr QSize kWindowIcon{32, 32};

}  // namespace

QImage renderArtwork(const QString& resource, QSize size, qreal devicePixelRatio, bool opaque) {
    ensureArtwork();
    if (!QFile::exists(resource))
        programmingError(QStringLiteral("artwork %1 is missing").arg(resource));
    QSvgRenderer renderer(resource);
    if (!renderer.isValid())
        programmingError(QStringLiteral("artwork %1 is not valid SVG").arg(resource));

    const qreal ratio = effectiveRatio(devicePixelRatio);
    const QSize pixels(qRound(size.width() * ratio), qRound(size.height() * ratio));
    QImage image(pixels, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(opaque ? Qt::white : Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    painter.end();
    image.setDevicePixelRatio(ratio);
    return image;
}

ImageList::ImageList(std::vector<Entry> entries) : entries_(std::move(entries)) {}

const ImageList& ImageList::previews() {
    // The order of the main window's image list; the sliding variants follow the ordinary ones.
    static const ImageList list([] {
        std::vector<Entry> entries;
        const char* const keys[] = {"B1", "A",   "dh",  "Es", "G",    "N",   "R",   "Sap",
                                    "SF", "Snr", "Ss",  "t",  "Var",  "Vnr", "Vap", "W1",
                                    "W2", "As",  "dhs", "ts", "Vaps", "W1s", "B1s"};
        for (const char* key : keys) {
            const QString k = QString::fromLatin1(key);
            entries.push_back({k, preview(k), k == QLatin1String("Vnr") ? kWidePreview : kPreview});
        }
        return entries;
    }());
    return list;
}

const ImageList& ImageList::banner() {
    static const ImageList list(
        {{QStringLiteral("I4"), QStringLiteral(":/artwork/banner_I4.svg"), kBanner}});
    return list;
}

const ImageList& ImageList::conditionSheets() {
    static const ImageList list({
        {QStringLiteral("I1"), QStringLiteral(":/artwork/sheet_I1.svg"), kSheet},
        {QStringLiteral("I2"), QStringLiteral(":/artwork/sheet_I2.svg"), kSheet},
        {QStringLiteral("I3"), QStringLiteral(":/artwork/sheet_I3.svg"), kSheet},
    });
    return list;
}

int ImageList::count() const {
    return static_cast<int>(entries_.size());
}

QStringList ImageList::keys() const {
    QStringList result;
    for (const Entry& e : entries_) result << e.key;
    return result;
}

int ImageList::indexOf(const QString& key) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].key == key) return static_cast<int>(i) + 1;  // exact, case-sensitive
    }
    return 0;
}

bool ImageList::contains(const QString& key) const {
    return indexOf(key) != 0;
}

const ImageList::Entry& ImageList::entry(const QString& key) const {
    const int index = indexOf(key);
    if (index == 0) {
        programmingError(QStringLiteral("image list has no picture with key \"%1\" (keys: %2)")
                             .arg(key, keys().join(QLatin1Char(' '))));
    }
    return entries_[static_cast<std::size_t>(index - 1)];
}

const ImageList::Entry& ImageList::entry(int index) const {
    if (index < 1 || index > count()) {
        programmingError(
            QStringLiteral("image list has no picture with index %1 (it holds 1 to %2)")
                .arg(index)
                .arg(count()));
    }
    return entries_[static_cast<std::size_t>(index - 1)];
}

QString ImageList::resource(const QString& key) const {
    return entry(key).resource;
}

QSize ImageList::size(const QString& key) const {
    return entry(key).size;
}

QPixmap ImageList::picture(const QString& key, qreal devicePixelRatio) const {
    entry(key);  // aborts, naming the key, when the list does not hold it
    return picture(indexOf(key), devicePixelRatio);
}

QPixmap ImageList::picture(int index, qreal devicePixelRatio) const {
    const Entry& e = entry(index);
    const qreal ratio = effectiveRatio(devicePixelRatio);
    auto& cached = cache_[{index, ratio}];
    if (cached.isNull())
        cached = QPixmap::fromImage(renderArtwork(e.resource, e.size, ratio, true));
    return cached;
}

QImage ImageList::image(const QString& key, qreal devicePixelRatio) const {
    const Entry& e = entry(key);
    return renderArtwork(e.resource, e.size, devicePixelRatio, true);
}

QPixmap ownerLogo(qreal devicePixelRatio) {
    return QPixmap::fromImage(renderArtwork(QStringLiteral(":/artwork/logo_owner.svg"), kOwnerLogo,
                                            devicePixelRatio, true));
}

QPixmap developerLogo(qreal devicePixelRatio) {
    return QPixmap::fromImage(renderArtwork(QStringLiteral(":/artwork/logo_developer.svg"),
                                            kDeveloperLogo, devicePixelRatio, true));
}

QIcon windowIcon() {
    QIcon icon;
    const QString resource = QStringLiteral(":/artwork/window_icon.svg");
    icon.addPixmap(QPixmap::fromImage(renderArtwork(resource, kWindowIcon, 1, false)));
    icon.addPixmap(QPixmap::fromImage(renderArtwork(resource, kWindowIcon, 2, false)));
    for (int side : {16, 48})
        icon.addPixmap(QPixmap::fromImage(renderArtwork(resource, {side, side}, 1, false)));
    return icon;
}

QIcon blankWindowIcon() {
    QIcon icon;
    for (int side : {16, 32}) {
        QPixmap blank(side, side);
        blank.fill(Qt::transparent);
        icon.addPixmap(blank);
    }
    return icon;
}

}  // namespace bpd::platform
