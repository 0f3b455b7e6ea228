// The image lists: every key of every table at its exact size and place, the sliding variants,
// that every picture really draws something, and that a missing key stops the program.

#include "ImageList.h"

#include <QGuiApplication>
#include <QProcess>
#include <QSet>
#include <QtTest>

#include <cstring>

using bpd::platform::ImageList;

namespace {

// The previews of the main window, in the order of its image list.
const QStringList kPreviewKeys = {"B1", "A",   "dh",  "Es", "G",    "N",   "R",   "Sap",
                                  "SF", "Snr", "Ss",  "t",  "Var",  "Vnr", "Vap", "W1",
                                  "W2", "As",  "dhs", "ts", "Vaps", "W1s", "B1s"};

// True when the image holds more than one colour.
bool hasContent(const QImage& image) {
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const QRgb first = rgb.pixel(0, 0);
    for (int y = 0; y < rgb.height(); ++y) {
        for (int x = 0; x < rgb.width(); ++x) {
            if (rgb.pixel(x, y) != first) return true;
        }
    }
    return false;
}

int differingPixels(const QImage& a, const QImage& b) {
    const QImage ra = a.convertToFormat(QImage::Format_RGB32);
    const QImage rb = b.convertToFormat(QImage::Format_RGB32);
    int count = 0;
    for (int y = 0; y < ra.height(); ++y) {
        for (int x = 0; x < ra.width(); ++x) count += ra.pixel(x, y) != rb.pixel(x, y);
    }
    return count;
}

// Runs this test program again as a child that asks for a picture and must die of it.
struct ChildRun {
    bool crashed = false;
    int exitCode = 0;
    QString errors;
};

ChildRun runChild(const QString& mode, const QString& argument) {
    QProcess child;
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QStringLiteral("--imagelist-child"), mode, argument});
    child.start();
    child.waitForFinished(60000);
    return {child.exitStatus() == QProcess::CrashExit, child.exitCode(),
            QString::fromLocal8Bit(child.readAllStandardError())};
}

}  // namespace

class TestImageList : public QObject {
    Q_OBJECT

private slots:
    void previewKeysInTableOrder() {
        QCOMPARE(ImageList::previews().keys(), kPreviewKeys);
        QCOMPARE(ImageList::previews().count(), 23);
        QCOMPARE(ImageList::conditionSheets().keys(), (QStringList{"I1", "I2", "I3"}));
        QCOMPARE(ImageList::banner().keys(), QStringList{"I4"});
    }

    void everyPicture_data() {
        QTest::addColumn<QString>("list");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("index");
        QTest::addColumn<QSize>("size");
        for (int i = 0; i < kPreviewKeys.size(); ++i) {
            const QString& key = kPreviewKeys[i];
            const QSize size = key == "Vnr" ? QSize(362, 137) : QSize(342, 137);
            QTest::addRow("preview %s", qPrintable(key)) << "previews" << key << i + 1 << size;
        }
        for (int i = 1; i <= 3; ++i) {
            QTest::addRow("sheet I%d", i)
                << "sheets" << QStringLiteral("I%1").arg(i) << i << QSize(449, 657);
        }
        QTest::addRow("banner I4") << "banner"
                                   << "I4" << 1 << QSize(522, 282);
    }

    // Each picture: its declared and rendered size, its index, and that it draws something.
    void everyPicture() {
        QFETCH(QString, list);
        QFETCH(QString, key);
        QFETCH(int, index);
        QFETCH(QSize, size);
        const ImageList& images = list == "previews" ? ImageList::previews()
                                  : list == "sheets" ? ImageList::conditionSheets()
                                                     : ImageList::banner();
        QVERIFY(images.contains(key));
        QCOMPARE(images.indexOf(key), index);
        QCOMPARE(images.size(key), size);

        const QPixmap byKey = images.picture(key, 1);
        QCOMPARE(byKey.size(), size);
        QCOMPARE(byKey.deviceIndependentSize().toSize(), size);
        QVERIFY2(hasContent(byKey.toImage()), "the picture is a single colour");
        QCOMPARE(images.picture(index, 1).toImage(), byKey.toImage());
    }

    // On a high-density screen the logical size stays the natural one and the pixels double.
    void highDensityKeepsLogicalSize() {
        const QPixmap sharp = ImageList::previews().picture("W1", 2);
        QCOMPARE(sharp.size(), QSize(684, 274));
        QCOMPARE(sharp.devicePixelRatio(), 2.0);
        QCOMPARE(sharp.deviceIndependentSize().toSize(), QSize(342, 137));
        const QPixmap wide = ImageList::previews().picture("Vnr", 1.5);
        QCOMPARE(wide.deviceIndependentSize().toSize(), QSize(362, 137));
    }

    void keysAreCaseSensitive() {
        const ImageList& previews = ImageList::previews();
        QVERIFY(previews.contains("W1"));
        QVERIFY(!previews.contains("w1"));
        QVERIFY(!previews.contains("b1"));
        QVERIFY(!previews.contains("T"));
        QVERIFY(!previews.contains("VAP"));
        QVERIFY(!previews.contains("W1 "));
        QVERIFY(!previews.contains(""));
        QCOMPARE(previews.indexOf("w2"), 0);
        QCOMPARE(previews.indexOf("W2"), 17);
    }

    // The six sliding keys are the six ordinary input keys plus "s", each a different picture.
    void slidingVariants_data() {
        QTest::addColumn<QString>("ordinary");
        for (const char* key : {"W1", "B1", "t", "A", "dh", "Vap"})
            QTest::newRow(key) << QString::fromLatin1(key);
    }

    void slidingVariants() {
        QFETCH(QString, ordinary);
        const ImageList& previews = ImageList::previews();
        const QString sliding = ordinary + QLatin1Char('s');
        QVERIFY(previews.contains(sliding));
        QVERIFY(previews.indexOf(sliding) > 17);  // after the 17 ordinary pictures
        QCOMPARE(previews.size(sliding), previews.size(ordinary));
        const QImage plain = previews.image(ordinary);
        const QImage slide = previews.image(sliding);
        const int changed = differingPixels(plain, slide);
        QVERIFY2(changed > 150, qPrintable(QStringLiteral("only %1 pixels differ").arg(changed)));
        // Same picture with a layer added: most of it stays as it was.
        QVERIFY2(changed < plain.width() * plain.height() / 5,
                 qPrintable(QStringLiteral("%1 pixels differ").arg(changed)));
        // The added layer is blue.
        int blue = 0;
        for (int y = 0; y < slide.height(); ++y) {
            for (int x = 0; x < slide.width(); ++x) {
                const QColor c = slide.pixelColor(x, y);
                blue += c.blue() > 150 && c.red() < 100 && plain.pixelColor(x, y) != c;
            }
        }
        QVERIFY2(blue > 100, qPrintable(QStringLiteral("only %1 new blue pixels").arg(blue)));
    }

    // Every ordinary key but the formulas' has a sliding partner; no other key ends in a stray "s".
    void onlyInputPicturesSlide() {
        const QStringList keys = ImageList::previews().keys();
        QSet<QString> sliding;
        for (const QString& key : keys) {
            if (keys.indexOf(key) >= 17) sliding.insert(key);
        }
        QCOMPARE(sliding, (QSet<QString>{"As", "dhs", "ts", "Vaps", "W1s", "B1s"}));
    }

    void vapDrawingsCarryRedArrow() {
        for (const char* key : {"Vap", "Vaps"}) {
            const QImage image = ImageList::previews().image(key);
            int red = 0;
            for (int y = 0; y < image.height(); ++y) {
                for (int x = 0; x < image.width(); ++x) {
                    const QColor c = image.pixelColor(x, y);
                    red += c.red() > 180 && c.green() < 60 && c.blue() < 60;
                }
            }
            QVERIFY2(red > 100, key);
        }
    }

    void logosAndIcon() {
        const QPixmap owner = bpd::platform::ownerLogo(1);
        QCOMPARE(owner.size(), QSize(44, 29));
        QVERIFY(hasContent(owner.toImage()));
        const QPixmap developer = bpd::platform::developerLogo(1);
        QCOMPARE(developer.size(), QSize(40, 40));
        QVERIFY(hasContent(developer.toImage()));
        QCOMPARE(bpd::platform::ownerLogo(2).deviceIndependentSize().toSize(), QSize(44, 29));

        const QIcon icon = bpd::platform::windowIcon();
        QVERIFY(!icon.isNull());
        QVERIFY(icon.availableSizes().contains(QSize(32, 32)));
        const QImage image = icon.pixmap(32, 32).toImage();
        QCOMPARE(image.size(), QSize(32, 32));
        QVERIFY(hasContent(image));
    }

    // Asking for a key or index that a list does not hold ends the program, naming the key.
    void missingKeyAborts_data() {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("argument");
        QTest::addColumn<QString>("named");
        QTest::newRow("lower-case key") << "key"
                                        << "w1"
                                        << "\"w1\"";
        QTest::newRow("unknown key") << "key"
                                     << "Vnrs"
                                     << "\"Vnrs\"";
        QTest::newRow("size of unknown key") << "size"
                                             << "Ts"
                                             << "\"Ts\"";
        QTest::newRow("index 0") << "index"
                                 << "0"
                                 << "index 0";
        QTest::newRow("index past the end") << "index"
                                            << "24"
                                            << "index 24";
    }

    void missingKeyAborts() {
        QFETCH(QString, mode);
        QFETCH(QString, argument);
        QFETCH(QString, named);
        const ChildRun run = runChild(mode, argument);
        QVERIFY2(run.crashed, qPrintable(run.errors));
        QVERIFY2(run.errors.contains(named), qPrintable(run.errors));
    }

    // The child must really fail on the bad key, not on everything: a good key lives.
    void childWithGoodKeyLives() {
        const ChildRun run = runChild("key", "Vaps");
        QVERIFY2(!run.crashed, qPrintable(run.errors));
        QCOMPARE(run.exitCode, 0);
    }
};

// The child mode: look one picture up and exit 0; a missing key aborts before that.
static int runImageListChild(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QString mode = QString::fromLocal8Bit(argv[2]);
    const QString argument = QString::fromLocal8Bit(argv[3]);
    const ImageList& previews = ImageList::previews();
    if (mode == "key") previews.picture(argument, 1);
    if (mode == "size") previews.size(argument);
    if (mode == "index") previews.picture(argument.toInt(), 1);
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--imagelist-child") == 0)
        return runImageListChild(argc, argv);
    QGuiApplication app(argc, argv);
    TestImageList test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_imagelist.moc"
