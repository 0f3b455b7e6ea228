#include "CupsQueue.h"

#include <cups/cups.h>

namespace bpd::platform {

namespace {

QString lastErrorText() {
    return QString::fromUtf8(cupsLastErrorString());
}

}  // namespace

CupsQueue::CupsQueue(const QString& printerName) {
    const qsizetype slash = printerName.indexOf(u'/');
    name_ = slash < 0 ? printerName : printerName.left(slash);
    instance_ = slash < 0 ? QString() : printerName.mid(slash + 1);
}

QString CupsQueue::refusal() const {
    const QByteArray name = name_.toUtf8();
    const QByteArray instance = instance_.toUtf8();
    cups_dest_t* dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (!dest)
        return QStringLiteral("The printer \"%1\" is not known to the print system (%2).")
            .arg(name_, lastErrorText());
    auto option = [dest](const char* key) {
        return QString::fromUtf8(cupsGetOption(key, dest->num_options, dest->options));
    };
    const bool accepting = option("printer-is-accepting-jobs") != u"false";
    const bool stopped = option("printer-state").toInt() == IPP_PSTATE_STOPPED;
    QString why;
    if (!accepting || stopped) {
        const QByteArray uri = option("printer-uri-supported").toUtf8();
        const QString message = uri.isEmpty() ? QString() : stateMessage(uri.constData());
        why = (!accepting ? QStringLiteral("The printer \"%1\" is not accepting jobs")
                          : QStringLiteral("The printer \"%1\" is stopped"))
                  .arg(name_) +
              (message.isEmpty() ? QString() : QStringLiteral(": ") + message) + u'.';
    }
    cupsFreeDests(1, dest);
    return why;
}

QString CupsQueue::lastJobRefusal() const {
    if (cupsLastError() < IPP_STATUS_ERROR_BAD_REQUEST) return {};
    return QStringLiteral("The print system refused the job for \"%1\": %2")
        .arg(name_, lastErrorText());
}

QString CupsQueue::stateMessage(const char* printerUri) {
    ipp_t* request = ippNewRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, printerUri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "printer-state-message");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");  // frees the request
    QString message;
    if (ipp_attribute_t* attribute =
            ippFindAttribute(response, "printer-state-message", IPP_TAG_TEXT))
        message = QString::fromUtf8(ippGetString(attribute, 0, nullptr)).trimmed();
    ippDelete(response);
    return message;
}

}  // namespace bpd::platform
