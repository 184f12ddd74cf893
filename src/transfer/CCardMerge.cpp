#include "CCardMerge.h"

#include "CCardData.h"
#include "CCardImageFiles.h"
#include "CardKinds.h"
#include "CardRecency.h"
#include "DuplicateKeys.h"

#include <QSet>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

// The persisted fields each choice takes over.
const std::vector<int> &FieldsOf(CCardMerge::Choice choice)
{
    static const std::vector<int> fields[CCardMerge::ChoiceCount] = {
        {FieldName, FieldLastName, FieldFirstName},
        {FieldYomiName, FieldYomiLastName, FieldYomiFirstName},
        {FieldCompany, FieldCompanyYomi},
        {FieldDepartment},
        {FieldTitle},
        {FieldZipCode},
        {FieldAddress, FieldCountry, FieldPrefecture, FieldCity, FieldStreet, FieldAddressExtra},
        {FieldUrl},
        {FieldBirthday},
        {FieldReceivedDate},
        {FieldGroupNo},
        {FieldImportance},
        {FieldPrint},
        {FieldFixed},
        {},
        {}};
    return fields[choice];
}

// The same phone number or address however it is written; text that gives no key stands for itself.
QString PhoneIdentity(const QString &number)
{
    const QString key = DuplicateKeys::PhoneKey(number);
    return key.isEmpty() ? QStringLiteral("=") + number.trimmed() : key;
}

QString MailIdentity(const QString &address)
{
    const QString key = DuplicateKeys::MailKey(address);
    return key.isEmpty() ? QStringLiteral("=") + address.trimmed() : key;
}

} // namespace

CCardMerge::CCardMerge(const QList<CCardData *> &cards, const CCardImageFiles &images) : m_cards(cards)
{
    std::stable_sort(m_cards.begin(), m_cards.end(), [](const CCardData *a, const CCardData *b) {
        return CardRecency::Of(*a) > CardRecency::Of(*b);
    });
    for (const CCardData *card : std::as_const(m_cards))
        m_pictures.append({images.Exists(card->Id(), CCardImageFiles::CardImage),
                           images.Exists(card->Id(), CCardImageFiles::PersonPhoto)});
    for (int c = 0; c < ChoiceCount; ++c)
        m_chosen[c] = DefaultChoice(Choice(c));
    Collect(false, false);
}

bool CCardMerge::HasPicture(int index, int picture) const
{
    return index >= 0 && index < m_pictures.size() && picture >= 0 && picture < 2 &&
           m_pictures[index][picture];
}

void CCardMerge::SetMain(int index)
{
    if (index >= 0 && index < CardCount())
        m_main = index;
}

void CCardMerge::SetChosen(Choice choice, int index)
{
    if (choice >= 0 && choice < ChoiceCount && index >= 0 && index < CardCount())
        m_chosen[choice] = index;
}

bool CCardMerge::HasValue(Choice choice, int index) const
{
    const CCardData *card = Card(index);
    if (!card)
        return false;
    switch (choice) {
    case ChooseName:
        return !card->Name().isEmpty();
    case ChooseReading:
        return !card->YomiName().isEmpty();
    case ChooseCompany:
        return !card->Company().isEmpty() || !card->CompanyYomi().isEmpty();
    case ChooseDepartment:
        return !card->Department().isEmpty();
    case ChooseTitle:
        return !card->Title().isEmpty();
    case ChooseZipCode:
        return !card->ZipCode().isEmpty();
    case ChooseAddress:
        return !card->Address().trimmed().isEmpty();
    case ChooseUrl:
        return !card->Url().isEmpty();
    case ChooseBirthday:
        return card->Birthday().IsSet();
    case ChooseReceivedDate:
        return card->ReceivedDate().IsSet();
    case ChooseCardImage:
        return HasPicture(index, CCardImageFiles::CardImage);
    case ChoosePersonPhoto:
        return HasPicture(index, CCardImageFiles::PersonPhoto);
    case ChooseGroup:
    case ChooseImportance:
    case ChoosePrint:
    case ChooseFixed:
    case ChoiceCount:
        break;
    }
    return true; // marks and numbers always have a value
}

int CCardMerge::DefaultChoice(Choice choice) const
{
    for (int i = 0; i < CardCount(); ++i) {
        if (HasValue(choice, i))
            return i;
    }
    return 0;
}

void CCardMerge::Collect(bool keepMemo, bool keepMarks)
{
    m_phones.clear();
    m_mails.clear();
    QSet<QString> phones, mails, memos;
    QStringList memoLines;
    QList<bool> marks(CheckMarkCount, false);
    for (int c = 0; c < CardCount(); ++c) {
        const CCardData *card = m_cards[c];
        for (int i = 0; i < card->PhoneCount(); ++i) {
            const QString identity = PhoneIdentity(card->Phone(i));
            if (!phones.contains(identity)) {
                phones.insert(identity);
                m_phones.append({card->Phone(i), card->PhoneKindAt(i), c, !m_dropped.contains(identity)});
            }
        }
        for (int i = 0; i < card->MailCount(); ++i) {
            const QString identity = MailIdentity(card->Mail(i));
            if (!mails.contains(identity)) {
                mails.insert(identity);
                m_mails.append({card->Mail(i), card->MailKindAt(i), c, !m_dropped.contains(identity)});
            }
        }
        const QString memo = card->Memo().trimmed();
        if (!memo.isEmpty() && !memos.contains(memo)) {
            memos.insert(memo);
            memoLines << memo;
        }
        for (int slot = 0; slot < CheckMarkCount; ++slot)
            marks[slot] = marks[slot] || card->CheckMark(slot);
    }
    if (!keepMemo)
        m_memo = memoLines.join(u'\n');
    if (!keepMarks)
        m_marks = marks;
}

void CCardMerge::SetPhoneKept(int entry, bool keep)
{
    if (entry < 0 || entry >= m_phones.size())
        return;
    m_phones[entry].keep = keep;
    const QString identity = PhoneIdentity(m_phones[entry].text);
    m_dropped.removeAll(identity);
    if (!keep)
        m_dropped << identity;
}

void CCardMerge::SetMailKept(int entry, bool keep)
{
    if (entry < 0 || entry >= m_mails.size())
        return;
    m_mails[entry].keep = keep;
    const QString identity = MailIdentity(m_mails[entry].text);
    m_dropped.removeAll(identity);
    if (!keep)
        m_dropped << identity;
}

void CCardMerge::SetMemo(const QString &memo)
{
    m_memo = memo;
    m_memoEdited = true;
}

void CCardMerge::SetCheckMark(int slot, bool mark)
{
    if (slot < 0 || slot >= m_marks.size())
        return;
    m_marks[slot] = mark;
    m_marksEdited = true;
}

void CCardMerge::Remove(int index)
{
    if (index < 0 || index >= CardCount())
        return;
    m_cards.removeAt(index);
    m_pictures.removeAt(index);
    if (m_main == index)
        m_main = 0;
    else if (m_main > index)
        --m_main;
    for (int c = 0; c < ChoiceCount; ++c) {
        if (m_chosen[c] == index)
            m_chosen[c] = DefaultChoice(Choice(c));
        else if (m_chosen[c] > index)
            --m_chosen[c];
    }
    Collect(m_memoEdited, m_marksEdited);
}

CCardStore::Merge CCardMerge::Plan() const
{
    CCardStore::Merge plan;
    if (CardCount() < 1)
        return plan;
    plan.main = m_cards[m_main];
    CCardData &data = plan.data;
    data = *plan.main;
    for (int c = 0; c < ChoiceCount; ++c) {
        for (int field : FieldsOf(Choice(c)))
            data.CopyField(*m_cards[m_chosen[c]], field);
    }

    const CCardData none;
    data.CopyField(none, FieldPhones);
    for (const ListEntry &phone : m_phones) {
        if (phone.keep)
            data.SetPhone(data.PhoneCount(), {phone.text, PhoneKind(phone.kind)});
    }
    data.CopyField(none, FieldMails);
    for (const ListEntry &mail : m_mails) {
        if (mail.keep)
            data.SetMail(data.MailCount(), {mail.text, MailKind(mail.kind)});
    }
    data.SetMemo(m_memo);
    for (int slot = 0; slot < m_marks.size(); ++slot)
        data.SetCheckMark(slot, m_marks[slot]);

    // Attached files are only references: every one of them stays.
    QStringList files;
    CardDate registered = data.RegisteredDate();
    for (const CCardData *card : m_cards) {
        for (const QString &file : card->AttachedFiles()) {
            if (!files.contains(file))
                files << file;
        }
        // The person has been in the file since the first of the cards came.
        const CardDate date = card->RegisteredDate();
        if (date.year > 0 && std::tie(date.year, date.month, date.day, date.hour, date.minute, date.second,
                                      date.milliseconds) <
                                 std::tie(registered.year, registered.month, registered.day, registered.hour,
                                          registered.minute, registered.second, registered.milliseconds))
            registered = date;
    }
    data.SetAttachedFiles(files);
    data.SetRegisteredDateValue(registered);

    // Each picture keeps the turn it has on the card it comes from.
    quint32 rotation = quint32(data.ImageRotation());
    for (int picture : {CCardImageFiles::CardImage, CCardImageFiles::PersonPhoto}) {
        const int from =
            m_chosen[picture == CCardImageFiles::CardImage ? ChooseCardImage : ChoosePersonPhoto];
        const quint32 mask = quint32(0xF) << (4 * picture);
        rotation = (rotation & ~mask) | (quint32(m_cards[from]->ImageRotation()) & mask);
        CCardData *source = m_cards[from];
        if (picture == CCardImageFiles::CardImage)
            plan.cardImageFrom = source == plan.main ? nullptr : source;
        else
            plan.photoFrom = source == plan.main ? nullptr : source;
    }
    data.SetImageRotation(qint32(rotation));

    for (CCardData *card : m_cards) {
        if (card != plan.main)
            plan.others << card;
    }
    return plan;
}
