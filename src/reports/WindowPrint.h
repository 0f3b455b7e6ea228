#pragma once
// "Print Screen": prints a picture of the main window, dressed for paper, on one landscape page
// of the default printer, centred at its on-screen size (1440 twips per inch) and cut at the
// page edges when larger.
//
// The print dress: the results grid gives way to a still picture of itself, the two command
// buttons are hidden and the owner's contact line is shown. Every step of dressing and
// restoring is attempted on its own, so the window is always put back, also when printing
// fails. The window is captured directly (with its frame where the window system draws one);
// the clipboard is left alone. When no printer is installed the user is told so and may save
// the page as a PDF file instead; a failing printer or a job the print system refuses (queue
// not accepting jobs, printer stopped or gone) is reported, never passed off as done, and so is
// a PDF file that could not be written (the old file of that name is then kept as it was).

#include <QImage>
#include <QPointer>
#include <QRectF>
#include <QSizeF>
#include <functional>

class QWidget;

namespace bpd::platform {
class MessageService;
class PrintJob;
class PrinterService;
}  // namespace bpd::platform

namespace bpd::reports {

// The main window's widgets that take part in the print dress. Picture2 and HiddenPict are
// expected to be QLabel picture boxes; a missing widget only skips its own steps.
struct PrintDress {
    QWidget* window = nullptr;
    QWidget* MSFlexGrid1 = nullptr;
    QWidget* Picture2 = nullptr;
    QWidget* AnalyzeBtn = nullptr;
    QWidget* PrintBtn = nullptr;
    QWidget* Label7 = nullptr;
    QWidget* HiddenPict = nullptr;
};

class WindowPrint {
public:
    enum class Result { Printed, SavedAsPdf, NoPrinter, Cancelled, Failed };

    // Takes a picture of the whole window; the default grabs the screen over the window's
    // frame and falls back to the window's own rendering.
    using Capture = std::function<QImage(QWidget* window)>;

    // The page goes to `printer` (a PDF file when it has none); failures are told through
    // `messages`.
    WindowPrint(PrintDress dress, platform::PrinterService& printer,
                platform::MessageService& messages, Capture capture = {});

    // PrintBtn_Click.
    Result PrintBtn_Click();

    // Where an image of the given size (twips) stands on a printable area (twips): centred by
    // halving the differences, in single precision; negative when larger than the page.
    static QRectF placeImage(QSizeF printable, QSizeF image);
    // An image's size in twips: logical pixels at the window's dots per inch (96 dpi gives
    // 15 twips per pixel).
    static QSizeF imageTwips(QSizeF logicalPixels, double dpiX, double dpiY);
    static QImage captureWithFrame(QWidget* window);

    // The last picture taken (HiddenPict's picture).
    QImage lastImage() const { return image_; }

private:
    Result PrintWindowImage();
    Result printOn(platform::PrintJob* job);
    Result offerPdf();

    PrintDress dress_;
    platform::PrinterService& printer_;
    platform::MessageService& messages_;
    Capture capture_;
    QImage image_;
    QString error_;
};

}  // namespace bpd::reports
