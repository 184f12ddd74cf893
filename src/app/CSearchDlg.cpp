#include "CSearchDlg.h"

#include "CardSearch.h"
#include "OkCancelButtons.h"
#include "ShowUserMessage.h"

#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {

// The field choices, by index (0: the row is not used).
const char *const FieldNames[SearchCondition::FieldChoiceCount] = {
    "",       "名前",    "ヨミ/名前", "会社名",         "ヨミ/会社名",
    "部署名", "役職",    "電話番号",  "メールアドレス", "郵便番号",
    "住所",   "URL",     "メモ",      "誕生日",         "受領日",
    "登録日", "更新日",  "グループ",  "チェックリスト", "印刷",
    "重要度", "修正済み"};

enum ValuePage
{
    NoValue,
    TextValue,
    DateValue,
    ChoiceValue
};

CardDate DateOf(const QDate &date)
{
    CardDate out;
    out.year = quint16(date.year());
    out.month = quint16(date.month());
    out.day = quint16(date.day());
    out.dayOfWeek = quint16(date.dayOfWeek() % 7);
    out.second = 1;
    return out;
}

QDateEdit *DatePicker(QWidget *parent)
{
    auto *picker = new QDateEdit(QDate::currentDate(), parent);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    return picker;
}

} // namespace

CSearchDlg::CSearchDlg(const QStringList &groupNames, const CheckListItems &checks, IMessageBox &messages,
                       QWidget *parent)
    : QDialog(parent), m_groupNames(groupNames), m_checks(checks), m_messages(messages),
      m_any(new QRadioButton(QString::fromUtf8("いずれかの条件に一致(OR)"), this))
{
    setWindowTitle(QString::fromUtf8("検索"));
    auto *grid = new QGridLayout;
    for (int row = 0; row < RowCount; ++row) {
        Row &r = m_rows[row];
        grid->addWidget(new QLabel(QString::fromUtf8("条件%1").arg(row + 1), this), row, 0);
        r.field = new QComboBox(this);
        for (const char *name : FieldNames)
            r.field->addItem(QString::fromUtf8(name));
        grid->addWidget(r.field, row, 1);
        r.values = new QStackedWidget(this);
        r.values->addWidget(new QWidget(r.values));
        r.text = new QLineEdit(r.values);
        r.values->addWidget(r.text);
        auto *dates = new QWidget(r.values);
        auto *datesLayout = new QHBoxLayout(dates);
        datesLayout->setContentsMargins(0, 0, 0, 0);
        r.from = DatePicker(dates);
        r.to = DatePicker(dates);
        datesLayout->addWidget(r.from);
        datesLayout->addWidget(new QLabel(QString::fromUtf8("～"), dates));
        datesLayout->addWidget(r.to);
        r.values->addWidget(dates);
        r.choice = new QComboBox(r.values);
        r.values->addWidget(r.choice);
        grid->addWidget(r.values, row, 2);
        connect(r.field, &QComboBox::currentIndexChanged, this, [this, row] { Adapt(row); });
    }
    auto *all = new QRadioButton(QString::fromUtf8("すべての条件に一致(AND)"), this);
    all->setChecked(true);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(all);
    layout->addWidget(m_any);
    layout->addWidget(OkCancelButtons(this));
    resize(520, 220);
}

void CSearchDlg::Adapt(int row)
{
    Row &r = m_rows[row];
    const int field = r.field->currentIndex();
    switch (SearchCondition::KindOf(field)) {
    case SearchCondition::Unused:
        r.values->setCurrentIndex(NoValue);
        return;
    case SearchCondition::Text:
        r.values->setCurrentIndex(TextValue);
        return;
    case SearchCondition::DateRange:
        r.values->setCurrentIndex(DateValue);
        return;
    case SearchCondition::Choice:
        break;
    }
    QStringList entries;
    if (field == 17)
        entries = m_groupNames;
    else if (field == 18)
        entries = m_checks.names;
    else if (field == 20)
        for (int importance = 0; importance < 5; ++importance)
            entries << CsvItem::ImportanceText(importance);
    else
        entries = {QString::fromUtf8("チェックあり"), QString::fromUtf8("チェックなし")};
    r.choice->clear();
    r.choice->addItems(entries);
    r.choice->setCurrentIndex(entries.isEmpty() ? -1 : 0);
    r.values->setCurrentIndex(ChoiceValue);
}

QList<SearchCondition> CSearchDlg::Conditions() const
{
    QList<SearchCondition> conditions;
    for (const Row &r : m_rows) {
        SearchCondition c;
        c.field = r.field->currentIndex();
        c.text = r.text->text();
        c.from = DateOf(r.from->date());
        c.to = DateOf(r.to->date());
        c.choice = r.choice->currentIndex();
        if (c.field == 18) // a check-list item is tested by its mark slot
            c.choice = m_checks.markSlots.value(c.choice, -1);
        conditions.append(c);
    }
    return conditions;
}

SearchCombination CSearchDlg::Combination() const
{
    return m_any->isChecked() ? SearchCombination::Any : SearchCombination::All;
}

void CSearchDlg::accept()
{
    if (!CardSearch::AnyUsed(Conditions())) {
        ShowUserMessage(m_messages, this, CardSearch::NoConditionMessage());
        return; // the dialog stays open
    }
    QDialog::accept();
}
