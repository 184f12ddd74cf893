#include "OverwriteConfText.h"

#include "CCardData.h"

QString OverwriteConfText::Caption(const QString &sourceName)
{
    QString caption = QString::fromUtf8("上書き確認");
    if (!sourceName.isEmpty())
        caption += QStringLiteral(" - ") + sourceName;
    return caption;
}

QString OverwriteConfText::Question()
{
    return QString::fromUtf8(
        "同じ名前で電話番号の異なるデータが存在します。現在のデータに新しいデータを上書きしますか？");
}

QString OverwriteConfText::CurrentHeading()
{
    return QString::fromUtf8("現在の名刺データ");
}

QString OverwriteConfText::NewHeading()
{
    return QString::fromUtf8("新しい名刺データ");
}

QString OverwriteConfText::KindName(quint32 kind)
{
    static const char *const names[] = {"携帯電話\t", "携帯電話(会社)", "自宅電話\t", "会社電話\t",
                                        "TVコール\t", "FAX\t\t",        "一般電話\t"};
    return kind < std::size(names) ? QString::fromUtf8(names[kind]) : QString();
}

QList<OverwriteConfText::Line> OverwriteConfText::Pane(const CCardData &card, const CCardData &other)
{
    QList<Line> lines;
    lines.append(Line{card.Name(), {}, {}});
    lines.append(Line{card.YomiName(), {}, {}});
    for (int i = 0; i < card.PhoneCount(); ++i) {
        const QString number = card.Phone(i);
        bool otherHasNumber = false;
        bool otherHasSameKind = false;
        for (int j = 0; j < other.PhoneCount(); ++j) {
            if (other.Phone(j) == number) {
                otherHasNumber = true;
                otherHasSameKind = otherHasSameKind || other.PhoneKindAt(j) == card.PhoneKindAt(i);
            }
        }
        Line line;
        line.lead = QStringLiteral("[%1] ").arg(i + 1);
        line.kind = KindName(card.PhoneKindAt(i));
        line.number = QString::fromUtf8("： ") + number;
        line.kindBold = !otherHasSameKind;
        line.numberBold = !otherHasNumber;
        lines.append(line);
    }
    const struct
    {
        const char *label;
        QString (*value)(const CCardData &);
    } labelled[] = {{"会社名： ", [](const CCardData &c) { return c.Company(); }},
                    {"部署名： ", [](const CCardData &c) { return c.Department(); }},
                    {"E-mail： ", [](const CCardData &c) { return c.Mail(0); }}};
    for (const auto &item : labelled) {
        const QString mine = item.value(card);
        const QString theirs = item.value(other);
        if (mine.isEmpty() && theirs.isEmpty())
            continue;
        Line line;
        line.lead = QString::fromUtf8(item.label);
        line.number = mine;
        line.numberBold = mine != theirs;
        lines.append(line);
    }
    return lines;
}
