#include "CardKinds.h"

QString PhoneKindLabel(quint32 kind)
{
    static const char *const labels[PhoneKindCount] = {"携帯電話", "携帯電話(会社)", "自宅電話", "会社電話",
                                                       "TVコール", "FAX",            "一般電話"};
    return kind < PhoneKindCount ? QString::fromUtf8(labels[kind]) : QString();
}

QString MailKindLabel(quint32 kind)
{
    static const char *const labels[MailKindCount] = {"携帯電話", "自宅", "会社", "インターネット"};
    return kind < MailKindCount ? QString::fromUtf8(labels[kind]) : QString();
}

QString ImportanceLabel(int importance)
{
    static const char *const labels[ImportanceCount] = {"高", "やや高", "中", "やや低", "低"};
    return importance >= 0 && importance < ImportanceCount ? QString::fromUtf8(labels[importance]) : QString();
}
