#include "VCardCardWriter.h"

#include "CCardData.h"
#include "CCardImageFiles.h"
#include "KanaWidth.h"
#include "VCardLineWriter.h"

#include <QFile>

#include <cstdio>

namespace {

using L = QLatin1StringView;

// TEL heads by PhoneKind (携帯電話, 携帯電話(会社), 自宅電話, 会社電話, TVコール, FAX, 一般電話).
// 2.1 uses the parameters this program's import tells every kind apart by.
const L Phone30[PhoneKindCount] = {
    L("TEL;TYPE=CELL"),  L("TEL;TYPE=CELL,WORK"), L("TEL;TYPE=HOME,VOICE"), L("TEL;TYPE=WORK,VOICE"),
    L("TEL;TYPE=VIDEO"), L("TEL;TYPE=FAX"),       L("TEL;TYPE=VOICE")};
const L Phone21[PhoneKindCount] = {L("TEL;CELL"),       L("TEL;CELL;WORK"), L("TEL;HOME;VOICE"),
                                   L("TEL;WORK;VOICE"), L("TEL;VIDEO"),     L("TEL;FAX"),
                                   L("TEL;VOICE")};
// EMAIL heads by MailKind (携帯電話, 自宅, 会社, インターネット).
const L Mail30[MailKindCount] = {L("EMAIL;TYPE=INTERNET,CELL"), L("EMAIL;TYPE=INTERNET,HOME"),
                                 L("EMAIL;TYPE=INTERNET,WORK"), L("EMAIL;TYPE=INTERNET")};
const L Mail21[MailKindCount] = {L("EMAIL;INTERNET;CELL"), L("EMAIL;INTERNET;HOME"), L("EMAIL;INTERNET;WORK"),
                                 L("EMAIL;INTERNET")};

const QString MarkerStart = QStringLiteral("OV-Original");
const QString MarkerNoPrint = QStringLiteral("OV-NoPrint");
const QString MarkerCheckList = QStringLiteral("OV-CheckList");
const QString MarkerEndCheckList = QStringLiteral("OV-EndCheckList");

L PhoneHead(VCardForm form, quint32 kind)
{
    const L *heads = form == VCardForm::V30 ? Phone30 : Phone21;
    return heads[kind < quint32(PhoneKindCount) ? kind : quint32(PhoneGeneral)];
}

L MailHead(VCardForm form, quint32 kind)
{
    const L *heads = form == VCardForm::V30 ? Mail30 : Mail21;
    return heads[kind < quint32(MailKindCount) ? kind : quint32(MailInternet)];
}

// "NAME:YYYY-MM-DD" (3.0) or "NAME:YYYYMMDD" (2.1).
void DateLine(VCardLineWriter &writer, const char *name, const CardDate &date)
{
    char line[32];
    std::snprintf(line, sizeof line,
                  writer.Form() == VCardForm::V30 ? "%s:%04u-%02u-%02u" : "%s:%04u%02u%02u", name,
                  unsigned(date.year % 10000), unsigned(date.month % 100), unsigned(date.day % 100));
    writer.Line(L(line));
}

// "REV:YYYYMMDDTHHMMSSZ": the updated date is kept in UTC; its second field only
// marks the date as set, so the seconds are written as 00.
void RevisionLine(VCardLineWriter &writer, const CardDate &date)
{
    char line[32];
    std::snprintf(line, sizeof line, "REV:%04u%02u%02uT%02u%02u00Z", unsigned(date.year % 10000),
                  unsigned(date.month % 100), unsigned(date.day % 100), unsigned(date.hour % 100),
                  unsigned(date.minute % 100));
    writer.Line(L(line));
}

bool HasAddressParts(const CCardData &card)
{
    return !card.AddressExtra().isEmpty() || !card.Street().isEmpty() || !card.City().isEmpty() ||
           !card.Prefecture().isEmpty() || !card.Country().isEmpty();
}

// The memo without one final line break: this program's import ends every note
// line with one, so a memo that ends in a line break comes back as it was.
QString MemoLines(const QString &memo)
{
    return memo.endsWith(QLatin1String("\r\n")) ? memo.chopped(2) : memo;
}

} // namespace

VCardCardWriter::VCardCardWriter(VCardForm form, bool photos, const CardExportContext &context)
    : m_form(form), m_photos(photos), m_context(context)
{
}

const char *VCardCardWriter::PictureType(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xD8\xFF"))
        return "JPEG";
    if (bytes.startsWith("\x89PNG\r\n\x1A\n"))
        return "PNG";
    if (bytes.startsWith("GIF87a") || bytes.startsWith("GIF89a"))
        return "GIF";
    if (bytes.startsWith("BM"))
        return "BMP";
    return nullptr;
}

bool VCardCardWriter::Write(const CCardData &card, QByteArray &out) const
{
    const qsizetype start = out.size();
    if (m_form == VCardForm::V30)
        Write30(card, out);
    else
        Write21(card, out);
    if (m_photos && !WritePictures(card, out)) {
        out.truncate(start);
        return false;
    }
    out.append("END:VCARD\r\n");
    return true;
}

QStringList VCardCardWriter::MarkedItems(const CCardData &card) const
{
    QStringList items;
    const CheckListItems &checks = m_context.checks;
    for (qsizetype i = 0; i < checks.names.size() && i < checks.markSlots.size(); ++i) {
        if (!checks.names[i].isEmpty() && card.CheckMark(checks.markSlots[i]))
            items.append(checks.names[i]);
    }
    return items;
}

void VCardCardWriter::Write30(const CCardData &card, QByteArray &out) const
{
    VCardLineWriter w(VCardForm::V30, out);
    w.Line(L("BEGIN:VCARD"));
    w.Line(L("VERSION:3.0"));
    // FN must come before TEL and EMAIL: this program's import reads TYPE lists only after it.
    const QString name = card.Name();
    w.Text(L("FN"), name.isEmpty() ? card.Company() : name);
    w.Components(L("N"), {card.LastName(), card.FirstName(), {}, {}, {}});
    const QString yomiLast = card.YomiLastName();
    const QString yomiFirst = card.YomiFirstName();
    if (!yomiLast.isEmpty())
        w.Text(L("X-PHONETIC-LAST-NAME"), KanaWidth::ToFullWidthKatakana(yomiLast));
    if (!yomiFirst.isEmpty())
        w.Text(L("X-PHONETIC-FIRST-NAME"), KanaWidth::ToFullWidthKatakana(yomiFirst));
    if (!yomiLast.isEmpty() || !yomiFirst.isEmpty()) {
        w.Text(L("SORT-STRING"), KanaWidth::ToFullWidthKatakana(card.YomiName()));
        w.Components(L("SOUND;TYPE=X-IRMC-N"), {yomiLast, yomiFirst, {}, {}, {}});
    }
    const QString company = card.Company();
    const QString department = card.Department();
    if (!department.isEmpty())
        w.Components(L("ORG"), {company, department});
    else if (!company.isEmpty())
        w.Components(L("ORG"), {company});
    const QString companyYomi = card.CompanyYomi();
    if (!companyYomi.isEmpty())
        w.Text(L("X-PHONETIC-ORG"), KanaWidth::ToFullWidthKatakana(companyYomi));
    const QString title = card.Title();
    if (!title.isEmpty())
        w.Text(L("TITLE"), title);
    for (int i = 0; i < card.PhoneCount(); ++i)
        w.Raw(PhoneHead(m_form, card.PhoneKindAt(i)), card.Phone(i));
    for (int i = 0; i < card.MailCount(); ++i)
        w.Text(MailHead(m_form, card.MailKindAt(i)), card.Mail(i));
    const bool parts = HasAddressParts(card);
    const QString zip = card.ZipCode();
    if (parts || !zip.isEmpty())
        w.Components(
            L("ADR;TYPE=WORK"),
            {{}, card.AddressExtra(), card.Street(), card.City(), card.Prefecture(), zip, card.Country()});
    const QString address = card.Address();
    if (!parts && !address.isEmpty())
        w.Text(L("LABEL;TYPE=WORK"), address);
    const QString url = card.Url();
    if (!url.isEmpty())
        w.Raw(L("URL"), url);
    const QString memo = card.Memo();
    if (!memo.isEmpty())
        w.Text(L("NOTE"), memo);
    if (card.Birthday().IsSet())
        DateLine(w, "BDAY", card.Birthday());
    QStringList categories = MarkedItems(card);
    const int group = card.GroupNo();
    if (group > 0 && group < m_context.groupNames.size() && !m_context.groupNames[group].isEmpty())
        categories.prepend(m_context.groupNames[group]);
    if (!categories.isEmpty())
        w.List(L("CATEGORIES"), categories);
    if (card.UpdatedDate().IsSet())
        RevisionLine(w, card.UpdatedDate());
    const QString id = card.Id();
    if (!id.isEmpty())
        w.Raw(L("UID"), id);
}

QStringList VCardCardWriter::MarkerBlock(const CCardData &card) const
{
    QStringList block;
    if (!card.Print())
        block.append(MarkerNoPrint);
    const QStringList items = MarkedItems(card);
    if (!items.isEmpty()) {
        block.append(MarkerCheckList);
        block.append(items);
        block.append(MarkerEndCheckList);
    }
    // After the items, so that an item named like a date does not stand for it.
    const CardDate received = card.ReceivedDate();
    if (received.IsSet())
        block.append(QString::asprintf("%04u/%02u/%02u", unsigned(received.year % 10000),
                                       unsigned(received.month % 100), unsigned(received.day % 100)));
    if (!block.isEmpty())
        block.prepend(MarkerStart);
    return block;
}

void VCardCardWriter::Write21(const CCardData &card, QByteArray &out) const
{
    using W = VCardLineWriter;
    W w(VCardForm::V21, out);
    w.Line(L("BEGIN:VCARD"));
    w.Line(L("VERSION:2.1"));
    w.Components(L("N"), {card.LastName(), card.FirstName(), {}, {}, {}}, W::Quotable);
    // Always, even empty: a reading that is there replaces the one the import would derive.
    w.Components(L("SOUND;X-IRMC-N"), {card.YomiLastName(), card.YomiFirstName(), {}, {}, {}});
    for (int i = 0; i < card.PhoneCount(); ++i)
        w.Raw(PhoneHead(m_form, card.PhoneKindAt(i)), card.Phone(i), W::Quotable);
    for (int i = 0; i < card.MailCount(); ++i)
        w.Raw(MailHead(m_form, card.MailKindAt(i)), card.Mail(i), W::Quotable);
    const QString zip = card.ZipCode();
    if (HasAddressParts(card) || !zip.isEmpty()) {
        w.Components(
            L("ADR;WORK"),
            {{}, card.AddressExtra(), card.Street(), card.City(), card.Prefecture(), zip, card.Country()},
            W::Quotable);
    } else if (!card.Address().isEmpty()) {
        // A one-line address without parts goes out in the parts the card's own rule gives it.
        CCardData split;
        split.SetAddress(card.Address());
        w.Components(
            L("ADR;WORK"),
            {{}, split.AddressExtra(), split.Street(), split.City(), split.Prefecture(), {}, split.Country()},
            W::Quotable);
    }
    const QString company = card.Company();
    const QString companyYomi = card.CompanyYomi();
    const QString department = card.Department();
    const QString organisation =
        companyYomi.isEmpty() ? company : company + QLatin1Char('<') + companyYomi + QLatin1Char('>');
    if (!department.isEmpty())
        w.Components(L("ORG"), {organisation, department});
    else if (!organisation.isEmpty())
        w.Components(L("ORG"), {organisation});
    const QString title = card.Title();
    if (!title.isEmpty())
        w.Text(L("TITLE"), title);
    const QString url = card.Url();
    if (!url.isEmpty())
        w.Raw(L("URL"), url);
    const QString memo = card.Memo();
    const QStringList block = MarkerBlock(card);
    if (!memo.isEmpty() || !block.isEmpty()) {
        QString note;
        if (!memo.isEmpty())
            note = MemoLines(memo) + (block.isEmpty() ? QString() : QStringLiteral("\r\n"));
        note += block.join(QLatin1String("\r\n"));
        // Its line breaks make it quoted-printable: the import splits only a decoded note into lines.
        w.Text(L("NOTE"), note, W::Quotable);
    }
    if (card.Birthday().IsSet())
        DateLine(w, "BDAY", card.Birthday());
    if (card.UpdatedDate().IsSet())
        RevisionLine(w, card.UpdatedDate());
}

bool VCardCardWriter::WritePictures(const CCardData &card, QByteArray &out) const
{
    const CCardImageFiles images(m_context.imageFolder);
    const int order21[] = {CCardImageFiles::CardImage, CCardImageFiles::PersonPhoto};
    const int order30[] = {CCardImageFiles::PersonPhoto, CCardImageFiles::CardImage};
    const int *order = m_form == VCardForm::V30 ? order30 : order21;
    VCardLineWriter w(m_form, out);
    for (int k = 0; k < 2; ++k) {
        const int picture = order[k];
        const QString path = images.PathOf(card.Id(), picture);
        if (path.isEmpty() || !QFile::exists(path))
            continue;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return false;
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            return false;
        const char *type = PictureType(bytes);
        if (!type)
            continue; // not a picture a vCard can name
        QByteArray head;
        if (m_form == VCardForm::V30)
            head = (picture == CCardImageFiles::PersonPhoto ? "PHOTO" : "LOGO") +
                   QByteArray(";ENCODING=b;TYPE=");
        else
            head = "PHOTO;ENCODING=BASE64;TYPE=";
        head += type;
        w.Binary(L(head), bytes);
    }
    return true;
}
