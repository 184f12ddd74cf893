#include "DuplicateGroup.h"

#include <QStringList>

QString DuplicateReason::Text() const
{
    const char *what = "";
    switch (rule) {
    case DuplicateRule::SameName:
        what = "名前が同じ";
        break;
    case DuplicateRule::SameReadingAndCompany:
        what = "ヨミと会社名が同じ";
        break;
    case DuplicateRule::SamePhone:
        what = "電話番号が同じ";
        break;
    case DuplicateRule::SameMail:
        what = "E-mailが同じ";
        break;
    }
    return QString::fromUtf8(what) + u'「' + value + u'」';
}

QString DuplicateGroup::ReasonsText() const
{
    QStringList texts;
    for (const DuplicateReason &reason : reasons)
        texts << reason.Text();
    return texts.join(u'、');
}
