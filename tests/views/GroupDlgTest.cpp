#include "CCardStore.h"
#include "CEditGroupDlg.h"
#include "CGroupIconDlg.h"
#include "GroupIcons.h"
#include "TempDir.h"
#include "Utf8.h"

#include <QImage>
#include <QListWidget>
#include <gtest/gtest.h>

TEST(GroupDlgTest, ListsGroupsOneToFifteenAndAppliesNamesAndIconsOnOk)
{
    TempDir dir;
    StoreSettings settings = StoreSettings::Defaults();
    CCardStore store(&settings);
    ASSERT_TRUE(store.CreateNew(dir.File(QStringLiteral("cards.ovd"))));
    CEditGroupDlg dialog(&store);
    ASSERT_EQ(dialog.List()->count(), 15);
    EXPECT_EQ(dialog.List()->item(0)->text(), U("ｸﾞﾙｰﾌﾟ1"));

    QListWidgetItem *third = dialog.List()->item(2);
    third->setText(U("取引先"));
    third->setText(QString()); // refused: the name stays
    EXPECT_EQ(third->text(), U("取引先"));
    dialog.List()->item(3)->setText(U("あいうえおかきくけこさしすせそたちつ"));
    EXPECT_EQ(dialog.List()->item(3)->text().size(), CEditGroupDlg::MaxNameLength);
    dialog.List()->setCurrentRow(2);
    dialog.SetIcon(20);
    EXPECT_EQ(store.GetGroupName(3), U("ｸﾞﾙｰﾌﾟ3")); // nothing before OK

    dialog.Apply();
    EXPECT_EQ(store.GetGroupName(3), U("取引先"));
    EXPECT_EQ(store.GetGroupIcon(3), 20);
    EXPECT_EQ(store.GetGroupName(4).size(), 16);
    EXPECT_EQ(store.GetGroupName(0), U("ｸﾞﾙｰﾌﾟなし"));
    EXPECT_EQ(settings.groupNames.value(3), U("取引先"));
}

TEST(GroupDlgTest, IconGridOffersTwentyDistinctIconsWithTheCurrentSelected)
{
    CGroupIconDlg dialog(7);
    EXPECT_EQ(dialog.Grid()->count(), GroupIcons::Count);
    EXPECT_EQ(dialog.Chosen(), 7);
    dialog.Grid()->setCurrentRow(11);
    EXPECT_EQ(dialog.Chosen(), 12);

    QList<QImage> seen;
    for (int n = 1; n <= GroupIcons::Count; ++n) {
        const QImage image = GroupIcons::Pixmap(n).toImage();
        EXPECT_EQ(image.size(), QSize(16, 16));
        EXPECT_FALSE(seen.contains(image)) << n;
        seen.append(image);
    }
    const QImage none = GroupIcons::Pixmap(0).toImage();
    EXPECT_EQ(none.pixelColor(8, 8).alpha(), 0);
}
