#include "CupsQuery.h"

#include <cups/cups.h>

namespace CupsQuery {

QByteArray QueueName(const QString &name)
{
    return name.section(QLatin1Char('/'), 0, 0).toUtf8();
}

Destination Find(const QString &name)
{
    Destination d;
    const QByteArray queue = QueueName(name);
    const QByteArray instance = name.section(QLatin1Char('/'), 1).toUtf8();
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, queue.constData(),
                                         instance.isEmpty() ? nullptr : instance.constData());
    if (!dest)
        return d;
    auto option = [dest](const char *key) {
        return QString::fromUtf8(cupsGetOption(key, dest->num_options, dest->options));
    };
    d.found = true;
    d.deviceUri = option("device-uri");
    d.state = option("printer-state").toInt();
    const QString reasons = option("printer-state-reasons");
    if (reasons != QLatin1String("none"))
        d.reasons = reasons.split(QLatin1Char(','), Qt::SkipEmptyParts);
    cupsFreeDests(1, dest);
    return d;
}

bool JobState(int jobId, int *state, QStringList *reasons)
{
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", ippPort(), "/jobs/%d",
                     jobId);
    ipp_t *request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr, cupsUser());
    static const char *const wanted[] = {"job-state", "job-state-reasons"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr, wanted);
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    if (!response)
        return false;
    const bool ok = ippGetStatusCode(response) <= IPP_STATUS_OK_EVENTS_COMPLETE;
    if (ok) {
        ipp_attribute_t *s = ippFindAttribute(response, "job-state", IPP_TAG_ENUM);
        *state = s ? ippGetInteger(s, 0) : 0;
        reasons->clear();
        if (ipp_attribute_t *r = ippFindAttribute(response, "job-state-reasons", IPP_TAG_KEYWORD)) {
            for (int i = 0; i < ippGetCount(r); ++i) {
                const QString reason = QString::fromUtf8(ippGetString(r, i, nullptr));
                if (reason != QLatin1String("none"))
                    *reasons << reason;
            }
        }
    }
    ippDelete(response);
    return ok;
}

} // namespace CupsQuery
