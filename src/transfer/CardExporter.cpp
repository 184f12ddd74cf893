#include "CardExporter.h"

#include "CCardData.h"
#include "CCardStore.h"
#include "Csv.h"
#include "CsvItem.h"

#include <QDir>

QList<const CCardData *> CardExporter::AllCards(const CCardStore &store)
{
    QList<const CCardData *> cards;
    cards.reserve(store.Count());
    for (int slot = 0; slot < store.Count(); ++slot) {
        const CCardData *card = store.CardAt(slot);
        if (card && !card->Id().isEmpty())
            cards.append(card);
    }
    return cards;
}

bool CardExporter::WriteFile(const QString &path, const QList<const CCardData *> &cards,
                             const ExportMapping &mapping, const CheckListItems &checks)
{
    Csv csv(path);
    bool ok = true;
    if (mapping.firstRowIsHeader) {
        QStringList names;
        for (int id : mapping.columns)
            names.append(id < 0 ? QString() : CsvItem::Name(id, checks));
        ok = csv.WriteRow(names);
    }
    QStringList row;
    for (qsizetype i = 0; ok && i < cards.size(); ++i) {
        row.clear();
        for (int id : mapping.columns)
            row.append(id < 0 ? QString() : CsvItem::Text(*cards[i], id, checks));
        ok = csv.WriteRow(row);
    }
    return csv.Close() && ok;
}

namespace {
QString FileNamePart(QString text)
{
    text.replace(QLatin1Char('/'), QLatin1Char('_'));
    text.replace(QChar(0), QLatin1Char('_'));
    return text;
}
} // namespace

QString CardExporter::SeparateFileName(const QString &folder, const CCardData &card, bool nameCompany,
                                       bool nameDate, const QString &extension)
{
    QString name = FileNamePart(card.Name());
    if (nameCompany)
        name += QLatin1Char('-') + FileNamePart(card.Company());
    if (nameDate)
        name += QLatin1Char('-') + card.UpdatedDateText();
    return QDir(folder).filePath(name + QLatin1Char('.') + extension);
}

bool CardExporter::WriteSeparately(const QString &folder, const QList<const CCardData *> &cards,
                                   const ExportMapping &mapping, const CheckListItems &checks,
                                   bool nameCompany, bool nameDate)
{
    QStringList used;
    for (const CCardData *card : cards) {
        const QString path = DistinctFileName(SeparateFileName(folder, *card, nameCompany, nameDate), used);
        if (!WriteFile(path, {card}, mapping, checks))
            return false;
    }
    return true;
}

QString CardExporter::DistinctFileName(const QString &path, QStringList &used)
{
    QString name = path;
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.')); // every separate file has an extension
    const QString stem = path.left(dot);
    const QString extension = path.mid(dot);
    for (int n = 2; used.contains(name); ++n)
        name = stem + QStringLiteral("(%1)").arg(n) + extension;
    used.append(name);
    return name;
}

UserMessage CardExporter::NothingToExportMessage()
{
    return {QString::fromUtf8("エクスポート"), QString::fromUtf8("エクスポートするデータがありません。"),
            UserMessage::Warning};
}

UserMessage CardExporter::DoneMessage(int cards, const QString &target)
{
    return {QString::fromUtf8("エクスポート"),
            QString::fromUtf8("%1 件の名刺データをエクスポートしました。\n\n%2").arg(cards).arg(target),
            UserMessage::Information};
}

UserMessage CardExporter::FailedMessage()
{
    return {QString::fromUtf8("エクスポート"), QString::fromUtf8("エクスポートに失敗しました。"),
            UserMessage::Warning};
}

UserMessage CardExporter::NoColumnsMessage()
{
    return {QString::fromUtf8("エクスポート"), QString::fromUtf8("項目が設定されていません。"),
            UserMessage::Warning};
}
