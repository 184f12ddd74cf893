#include "../views/RecordingMessageBox.h"
#include "CSearchDlg.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QRadioButton>
#include <gtest/gtest.h>

TEST(SearchDlg, ValueControlsFollowTheFieldAndOkNeedsACondition)
{
    RecordingMessageBox box;
    CheckListItems checks;
    checks.names = {QString::fromUtf8("展示会"), QString::fromUtf8("年賀状")};
    checks.markSlots = {4, 1};
    CSearchDlg dialog({QString::fromUtf8("取引先"), QString::fromUtf8("友人")}, checks, box);

    dialog.open();
    dialog.accept();
    EXPECT_EQ(box.Texts(), QStringList({QString::fromUtf8("検索条件が設定されていません。")}));
    EXPECT_TRUE(dialog.isVisible());

    dialog.FieldChoice(0)->setCurrentIndex(20); // 重要度
    EXPECT_TRUE(dialog.ValueChoice(0)->isVisible());
    EXPECT_EQ(dialog.ValueChoice(0)->count(), 5);
    EXPECT_EQ(dialog.ValueChoice(0)->itemText(0), QString::fromUtf8("高"));
    dialog.FieldChoice(1)->setCurrentIndex(18); // the check list, by mark slot
    dialog.ValueChoice(1)->setCurrentIndex(0);
    dialog.FieldChoice(2)->setCurrentIndex(13); // 誕生日
    EXPECT_TRUE(dialog.FromDate(2)->isVisible());
    dialog.FromDate(2)->setDate(QDate(1970, 1, 1));
    dialog.ToDate(2)->setDate(QDate(1979, 12, 31));
    dialog.AnyButton()->setChecked(true);

    const QList<SearchCondition> conditions = dialog.Conditions();
    EXPECT_EQ(conditions[0].field, 20);
    EXPECT_EQ(conditions[0].choice, 0);
    EXPECT_EQ(conditions[1].choice, 4);
    EXPECT_EQ(conditions[2].from.year, 1970);
    EXPECT_EQ(conditions[2].to.day, 31);
    EXPECT_EQ(dialog.Combination(), SearchCombination::Any);
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}
