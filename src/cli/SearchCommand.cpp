#include "CCardStore.h"
#include "CardSearch.h"
#include "CliImportSupport.h"
#include "CliRegistry.h"
#include "CliStore.h"

#include <QDate>

namespace {

int Usage(QTextStream &err)
{
    err << "usage: tessaly-cli search FILE.ovd --cond FIELD:VALUE [--cond ...] [--or]\n"
           "  FIELD 1-12 text, 13-16 dates FROM..TO (YYYY-MM-DD), 17-21 choice position\n";
    return 2;
}

bool ReadDay(const QString &text, CardDate *date)
{
    const QDate day = QDate::fromString(text, QStringLiteral("yyyy-MM-dd"));
    if (!day.isValid())
        return false;
    date->year = quint16(day.year());
    date->month = quint16(day.month());
    date->day = quint16(day.day());
    date->dayOfWeek = quint16(day.dayOfWeek() % 7);
    date->second = 1;
    return true;
}

bool ParseCondition(const QString &text, SearchCondition *condition)
{
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    bool ok = false;
    condition->field = text.left(colon).toInt(&ok);
    if (colon < 0 || !ok)
        return false;
    const QString value = text.mid(colon + 1);
    switch (SearchCondition::KindOf(condition->field)) {
    case SearchCondition::Text:
        condition->text = value;
        return true;
    case SearchCondition::DateRange: {
        const QStringList range = value.split(QStringLiteral(".."));
        return range.size() == 2 && ReadDay(range[0], &condition->from) && ReadDay(range[1], &condition->to);
    }
    case SearchCondition::Choice:
        condition->choice = value.toInt(&ok);
        return ok;
    case SearchCondition::Unused:
        break;
    }
    return false;
}

int RunSearch(const QStringList &args, QTextStream &out, QTextStream &err)
{
    QString path;
    QList<SearchCondition> conditions;
    SearchCombination combination = SearchCombination::All;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--cond") && i + 1 < args.size()) {
            SearchCondition condition;
            if (!ParseCondition(args[++i], &condition))
                return Usage(err);
            conditions << condition;
        } else if (args[i] == QLatin1String("--or")) {
            combination = SearchCombination::Any;
        } else if (path.isEmpty() && !args[i].startsWith(QLatin1String("--"))) {
            path = args[i];
        } else {
            return Usage(err);
        }
    }
    if (path.isEmpty())
        return Usage(err);
    if (!CardSearch::AnyUsed(conditions)) {
        CliPrintMessage(CardSearch::NoConditionMessage(), err);
        return 2;
    }
    CCardStore store;
    if (!CliOpenStore(store, path, err))
        return 1;
    if (CardSearch::RunSearch(store, conditions, combination) == 0) {
        CliPrintMessage(CardSearch::NotFoundMessage(), err);
        return 1;
    }
    // The search-result tab of the first row, as the list shows it.
    for (const CCardData *card : store.TabCopy(0, 12))
        CliPrintCard(store, *card, out);
    return 0;
}

} // namespace

TESSALY_CLI_COMMAND(search, "search",
                    "search FILE.ovd --cond FIELD:VALUE [--cond ...] [--or]   print the matching cards",
                    RunSearch);
