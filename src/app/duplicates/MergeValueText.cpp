#include "MergeValueText.h"

#include "CCardData.h"
#include "CCardStore.h"
#include "CardKinds.h"

QString MergeValueText(const CCardData &card, CCardMerge::Choice choice, const CCardStore &store)
{
    switch (choice) {
    case CCardMerge::ChooseName:
        return card.Name();
    case CCardMerge::ChooseReading:
        return card.YomiName();
    case CCardMerge::ChooseCompany:
        if (card.CompanyYomi().isEmpty())
            return card.Company();
        return card.Company() + QStringLiteral(" (") + card.CompanyYomi() + u')';
    case CCardMerge::ChooseDepartment:
        return card.Department();
    case CCardMerge::ChooseTitle:
        return card.Title();
    case CCardMerge::ChooseZipCode:
        return card.ZipCode();
    case CCardMerge::ChooseAddress:
        return card.Address().trimmed();
    case CCardMerge::ChooseUrl:
        return card.Url();
    case CCardMerge::ChooseBirthday:
        return card.BirthdayText();
    case CCardMerge::ChooseReceivedDate:
        return card.ReceivedDateText();
    case CCardMerge::ChooseGroup: {
        const QString name = store.GetGroupName(card.GroupNo());
        return name.isEmpty() ? QString::fromUtf8("グループ%1").arg(card.GroupNo() + 1) : name;
    }
    case CCardMerge::ChooseImportance:
        return ImportanceLabel(card.Importance());
    case CCardMerge::ChoosePrint:
        return QString::fromUtf8(card.Print() ? "印刷する" : "印刷しない");
    case CCardMerge::ChooseFixed:
        return QString::fromUtf8(card.Fixed() ? "修正済" : "未修正");
    case CCardMerge::ChooseCardImage:
    case CCardMerge::ChoosePersonPhoto:
    case CCardMerge::ChoiceCount:
        break;
    }
    return QString();
}

QString MergeChoiceLabel(CCardMerge::Choice choice)
{
    static const char *const labels[CCardMerge::ChoiceCount] = {
        "名前",   "ヨミ",   "会社名",   "部署名", "役職", "郵便番号", "住所",     "ホームページ",
        "誕生日", "受領日", "グループ", "重要度", "印刷", "修正済",   "名刺画像", "人物画像"};
    return choice >= 0 && choice < CCardMerge::ChoiceCount ? QString::fromUtf8(labels[choice]) : QString();
}
