#include "CCardData.h"
#include "CMailDlg.h"

#include <QListWidget>
#include <gtest/gtest.h>

namespace {

CCardData Card(const char *name, const char *address)
{
    CCardData card;
    card.SetName(QString::fromUtf8(name));
    card.SetCompany(QStringLiteral("Acme"), false);
    if (*address)
        card.SetMail(0, {QString::fromLatin1(address), MailOffice});
    return card;
}

QStringList Addresses(const QList<CMailDlg::Recipient> &rows)
{
    QStringList out;
    for (const auto &row : rows)
        out << row.address;
    return out;
}

} // namespace

TEST(MailDlgTest, RowsComeFromCardsWithAnAddressAndMoveInOrder)
{
    CCardData a = Card("甲", "a@x.jp"), b = Card("乙", ""), c = Card("丙", "c@x.jp"),
              d = Card("丁", "d@x.jp");
    CMailDlg dialog;
    dialog.AddCards(CMailDlg::To, {&a, &b, &c, &d});
    dialog.AddCards(CMailDlg::To, {&a}); // no duplicate test
    EXPECT_EQ(Addresses(dialog.Recipients(CMailDlg::To)),
              (QStringList{"a@x.jp", "c@x.jp", "d@x.jp", "a@x.jp"}));
    EXPECT_EQ(dialog.Recipients(CMailDlg::To).first().name, QString::fromUtf8("甲"));
    EXPECT_EQ(dialog.Recipients(CMailDlg::To).first().company, QStringLiteral("Acme"));

    QListWidget *to = dialog.ListWidget(CMailDlg::To);
    to->item(1)->setSelected(true);
    to->item(3)->setSelected(true);
    dialog.MoveSelected(CMailDlg::To, CMailDlg::Bcc);
    EXPECT_EQ(Addresses(dialog.Recipients(CMailDlg::To)), (QStringList{"a@x.jp", "d@x.jp"}));
    EXPECT_EQ(Addresses(dialog.Recipients(CMailDlg::Bcc)), (QStringList{"c@x.jp", "a@x.jp"}));

    to->item(0)->setSelected(true);
    dialog.RemoveSelected(CMailDlg::To);
    EXPECT_EQ(Addresses(dialog.Recipients(CMailDlg::To)), QStringList{"d@x.jp"});
}

TEST(MailDlgTest, ComposeHandsOverTheThreeListsAndEmptiesThem)
{
    CCardData a = Card("甲", "a@x.jp"), c = Card("丙", "c@x.jp");
    CMailDlg dialog;
    dialog.AddCards(CMailDlg::To, {&a});
    dialog.AddCards(CMailDlg::Cc, {&c});
    QStringList to, cc, bcc;
    QObject::connect(&dialog, &CMailDlg::ComposeRequested,
                     [&](const QList<CMailDlg::Recipient> &t, const QList<CMailDlg::Recipient> &c2,
                         const QList<CMailDlg::Recipient> &b) {
                         to = Addresses(t);
                         cc = Addresses(c2);
                         bcc = Addresses(b);
                     });
    dialog.show();
    dialog.Compose();
    EXPECT_EQ(to, QStringList{"a@x.jp"});
    EXPECT_EQ(cc, QStringList{"c@x.jp"});
    EXPECT_TRUE(bcc.isEmpty());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_TRUE(dialog.Recipients(CMailDlg::To).isEmpty());
}
