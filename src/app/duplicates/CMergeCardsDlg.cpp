#include "CMergeCardsDlg.h"

#include "CCardData.h"
#include "CCardImageFiles.h"
#include "CCardStore.h"
#include "CCheckArray.h"
#include "CardKinds.h"
#include "IMessageBox.h"
#include "MergeValueText.h"
#include "StoreError.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTransform>
#include <QVBoxLayout>

namespace {

const char Caption[] = "名刺の結合";
constexpr int ColumnWidth = 210;
const QSize PictureSize(180, 112);

// The rows of values, in the order of the edit pages; the pictures come last.
const CCardMerge::Choice ValueRows[] = {
    CCardMerge::ChooseName,         CCardMerge::ChooseReading, CCardMerge::ChooseCompany,
    CCardMerge::ChooseDepartment,   CCardMerge::ChooseTitle,   CCardMerge::ChooseZipCode,
    CCardMerge::ChooseAddress,      CCardMerge::ChooseUrl,     CCardMerge::ChooseBirthday,
    CCardMerge::ChooseReceivedDate, CCardMerge::ChooseGroup,   CCardMerge::ChooseImportance,
    CCardMerge::ChoosePrint,        CCardMerge::ChooseFixed};

QString DateLine(const CCardData &card)
{
    if (card.ReceivedDate().IsSet())
        return QString::fromUtf8("受領日 %1").arg(card.ReceivedDateText());
    return QString::fromUtf8("登録日 %1")
        .arg(card.RegisteredDate().IsSet() ? card.RegisteredDateText() : QString());
}

QLabel *RowLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return label;
}

} // namespace

CMergeCardsDlg::CMergeCardsDlg(CCardStore &store, const QList<CCardData *> &cards, IMessageBox &messages,
                               QWidget *parent)
    : QDialog(parent), m_store(store), m_messages(messages),
      m_merge(std::make_unique<CCardMerge>(cards, store.Images()))
{
    setWindowTitle(QString::fromUtf8(Caption));
    // Every card pointer goes with a reread of the file: the window has nothing left to merge.
    connect(&m_store, &CCardStore::AboutToReset, this, [this] {
        m_cardsGone = true;
        reject();
    });

    auto *intro = new QLabel(QString::fromUtf8("結合後に残す値を、項目ごとに名刺の列から選んでください"
                                               "（新しい名刺の値が選ばれています）。\n"
                                               "「この名刺に結合」の名刺が結合した内容で書き換えられ、"
                                               "ほかの名刺は画像とともに削除されます。"),
                             this);
    intro->setWordWrap(true);

    m_scroll = new QScrollArea(this);
    m_scroll->setWidgetResizable(true);
    m_scroll->setFrameShape(QFrame::StyledPanel);

    m_phones = new QListWidget(this);
    m_mails = new QListWidget(this);
    connect(m_phones, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        m_merge->SetPhoneKept(m_phones->row(item), item->checkState() == Qt::Checked);
    });
    connect(m_mails, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        m_merge->SetMailKept(m_mails->row(item), item->checkState() == Qt::Checked);
    });
    m_memo = new QPlainTextEdit(this);
    m_memo->setTabChangesFocus(true);
    m_memoCount = new QLabel(this);
    connect(m_memo, &QPlainTextEdit::textChanged, this, [this] {
        if (m_memo->toPlainText() != m_merge->Memo())
            m_merge->SetMemo(m_memo->toPlainText());
        UpdateState();
    });

    auto *phoneBox = new QGroupBox(QString::fromUtf8("電話番号（チェックしたものを残す）"), this);
    (new QVBoxLayout(phoneBox))->addWidget(m_phones);
    auto *mailBox = new QGroupBox(QString::fromUtf8("E-mail（チェックしたものを残す）"), this);
    (new QVBoxLayout(mailBox))->addWidget(m_mails);
    auto *memoBox = new QGroupBox(QString::fromUtf8("メモ"), this);
    auto *memoLayout = new QVBoxLayout(memoBox);
    memoLayout->addWidget(m_memo);
    memoLayout->addWidget(m_memoCount);

    auto *marksBox = new QGroupBox(QString::fromUtf8("チェックリスト"), this);
    auto *marksLayout = new QVBoxLayout(marksBox);
    const CCheckArray &checks = m_store.GetCheckList();
    for (int position = 0; position < checks.Count(); ++position) {
        const int slot = checks.SlotAt(position);
        auto *mark = new QCheckBox(checks.GetItemName(slot), marksBox);
        mark->setChecked(m_merge->CheckMark(slot));
        connect(mark, &QCheckBox::toggled, this, [this, slot](bool on) { m_merge->SetCheckMark(slot, on); });
        mark->setProperty("slot", slot);
        m_marks << mark;
        marksLayout->addWidget(mark);
    }
    if (m_marks.isEmpty())
        marksLayout->addWidget(new QLabel(QString::fromUtf8("（項目なし）"), marksBox));
    m_files = new QLabel(marksBox);
    m_files->setWordWrap(true);
    marksLayout->addWidget(m_files);
    marksLayout->addStretch();

    auto *merged = new QHBoxLayout;
    merged->addWidget(phoneBox, 4);
    merged->addWidget(mailBox, 5);
    merged->addWidget(memoBox, 4);
    merged->addWidget(marksBox, 2);
    for (QGroupBox *box : {phoneBox, mailBox, memoBox, marksBox})
        box->setMaximumHeight(200);

    m_note = new QLabel(this);
    m_note->setWordWrap(true);
    auto *buttons = new QDialogButtonBox(this);
    m_mergeButton = buttons->addButton(QString::fromUtf8("結合"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QString::fromUtf8("キャンセル"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &CMergeCardsDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CMergeCardsDlg::reject);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(m_note, 1);
    bottom->addWidget(buttons);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(m_scroll, 1);
    layout->addLayout(merged);
    layout->addLayout(bottom);

    BuildColumns();
    FillLists();
    resize(1100, 860);
}

CMergeCardsDlg::~CMergeCardsDlg() = default;

QRadioButton *CMergeCardsDlg::ChoiceButton(CCardMerge::Choice choice, int card) const
{
    return choice >= 0 && choice < CCardMerge::ChoiceCount ? m_choiceButtons[choice].value(card) : nullptr;
}

void CMergeCardsDlg::BuildColumns()
{
    m_mainButtons.clear();
    m_removeButtons.clear();
    for (auto &buttons : m_choiceButtons)
        buttons.clear();

    auto *grid = new QWidget;
    auto *layout = new QGridLayout(grid);
    layout->setHorizontalSpacing(12);
    layout->setVerticalSpacing(4);
    const int cards = m_merge->CardCount();
    auto *mains = new QButtonGroup(grid);
    int row = 0;
    for (int c = 0; c < cards; ++c) {
        const CCardData &card = *m_merge->Card(c);
        auto *head = new QLabel(QString::fromUtf8("<b>名刺 %1</b>%2<br>%3")
                                    .arg(c + 1)
                                    .arg(c == 0 ? QString::fromUtf8("（最新）") : QString())
                                    .arg(DateLine(card).toHtmlEscaped()),
                                grid);
        head->setMinimumWidth(ColumnWidth);
        layout->addWidget(head, 0, c + 1);
        auto *main = new QRadioButton(QString::fromUtf8("この名刺に結合"), grid);
        main->setChecked(c == m_merge->Main());
        mains->addButton(main);
        connect(main, &QRadioButton::toggled, this, [this, c](bool on) {
            if (on)
                m_merge->SetMain(c);
        });
        m_mainButtons << main;
        layout->addWidget(main, 1, c + 1);
        auto *remove = new QPushButton(QString::fromUtf8("グループから外す"), grid);
        remove->setAutoDefault(false);
        remove->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
        connect(remove, &QPushButton::clicked, this, [this, c] { TakeOut(c); });
        m_removeButtons << remove;
        layout->addWidget(remove, 2, c + 1, Qt::AlignLeft);
    }
    row = 3;
    // A field that no card of the group fills offers nothing to choose.
    const auto anyValue = [this, cards](CCardMerge::Choice choice) {
        for (int c = 0; c < cards; ++c) {
            if (m_merge->HasValue(choice, c))
                return true;
        }
        return false;
    };
    for (const CCardMerge::Choice choice : ValueRows) {
        if (!anyValue(choice))
            continue;
        layout->addWidget(RowLabel(MergeChoiceLabel(choice), grid), row, 0);
        auto *group = new QButtonGroup(grid);
        for (int c = 0; c < cards; ++c) {
            const QString value = MergeValueText(*m_merge->Card(c), choice, m_store);
            const QString shown = value.isEmpty() ? QString::fromUtf8("（なし）") : value;
            auto *button = new QRadioButton(grid);
            button->setText(button->fontMetrics().elidedText(shown, Qt::ElideRight, ColumnWidth - 30));
            button->setToolTip(value);
            button->setChecked(m_merge->Chosen(choice) == c);
            if (!m_merge->HasValue(choice, c)) {
                QPalette palette = button->palette();
                palette.setColor(QPalette::WindowText,
                                 palette.color(QPalette::Disabled, QPalette::WindowText));
                button->setPalette(palette);
            }
            group->addButton(button);
            connect(button, &QRadioButton::toggled, this, [this, choice, c](bool on) {
                if (on)
                    m_merge->SetChosen(choice, c);
            });
            m_choiceButtons[choice] << button;
            layout->addWidget(button, row, c + 1);
        }
        ++row;
    }
    for (int picture : {CCardImageFiles::CardImage, CCardImageFiles::PersonPhoto}) {
        const CCardMerge::Choice choice = picture == CCardImageFiles::CardImage
                                              ? CCardMerge::ChooseCardImage
                                              : CCardMerge::ChoosePersonPhoto;
        if (!anyValue(choice))
            continue;
        layout->addWidget(RowLabel(MergeChoiceLabel(choice), grid), row, 0);
        auto *group = new QButtonGroup(grid);
        for (int c = 0; c < cards; ++c) {
            auto *button = new QRadioButton(grid);
            button->setIconSize(PictureSize);
            if (m_merge->HasPicture(c, picture)) {
                const CCardData &card = *m_merge->Card(c);
                QImageReader reader(m_store.Images().PathOf(card.Id(), picture));
                reader.setAutoTransform(true);
                QImage image = reader.read();
                if (!image.isNull()) {
                    image = image.transformed(QTransform().rotate(90 * card.ImageRotationOf(picture)));
                    button->setIcon(QPixmap::fromImage(
                        image.scaled(PictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
                } else {
                    button->setText(QString::fromUtf8("（表示できない画像）"));
                }
            } else {
                button->setText(QString::fromUtf8("（画像なし）"));
            }
            button->setChecked(m_merge->Chosen(choice) == c);
            group->addButton(button);
            connect(button, &QRadioButton::toggled, this, [this, choice, c](bool on) {
                if (on)
                    m_merge->SetChosen(choice, c);
            });
            m_choiceButtons[choice] << button;
            layout->addWidget(button, row, c + 1);
        }
        ++row;
    }
    layout->setColumnStretch(cards + 1, 1);
    layout->setRowStretch(row, 1);
    m_scroll->setWidget(grid); // the old columns go with the old widget
}

void CMergeCardsDlg::FillLists()
{
    const auto fill = [this](QListWidget *list, const QList<CCardMerge::ListEntry> &entries, bool phones) {
        const QSignalBlocker block(list);
        list->clear();
        for (const CCardMerge::ListEntry &entry : entries) {
            const QString kind = phones ? PhoneKindLabel(entry.kind) : MailKindLabel(entry.kind);
            auto *item = new QListWidgetItem(
                QString::fromUtf8("%1: %2（名刺%3）").arg(kind, entry.text).arg(entry.fromCard + 1), list);
            item->setToolTip(item->text());
            item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
            item->setCheckState(entry.keep ? Qt::Checked : Qt::Unchecked);
        }
    };
    fill(m_phones, m_merge->Phones(), true);
    fill(m_mails, m_merge->Mails(), false);
    {
        const QSignalBlocker block(m_memo);
        m_memo->setPlainText(m_merge->Memo());
    }
    for (QCheckBox *mark : std::as_const(m_marks)) {
        const QSignalBlocker block(mark);
        mark->setChecked(m_merge->CheckMark(mark->property("slot").toInt()));
    }
    QStringList files;
    for (int c = 0; c < m_merge->CardCount(); ++c) {
        for (const QString &file : m_merge->Card(c)->AttachedFiles()) {
            if (!files.contains(file))
                files << file;
        }
    }
    m_files->setText(files.isEmpty()
                         ? QString()
                         : QString::fromUtf8("添付ファイル %1 件はすべて残ります。").arg(files.size()));
    UpdateState();
}

void CMergeCardsDlg::UpdateState()
{
    const int length = int(m_merge->Memo().size());
    m_memoCount->setText(QString::fromUtf8("%1/%2文字").arg(length).arg(CCardMerge::MemoLimit));
    QString note;
    if (m_merge->CardCount() < 2)
        note = QString::fromUtf8("結合するには名刺が2件以上必要です。");
    else if (!m_merge->MemoFits())
        note = QString::fromUtf8("メモが%1文字を超えています。短くしてください。").arg(CCardMerge::MemoLimit);
    m_note->setText(note);
    m_mergeButton->setEnabled(m_merge->CanMerge());
    for (QPushButton *remove : std::as_const(m_removeButtons))
        remove->setEnabled(m_merge->CardCount() > 1);
}

void CMergeCardsDlg::TakeOut(int card)
{
    m_merge->Remove(card);
    BuildColumns();
    FillLists();
}

void CMergeCardsDlg::accept()
{
    if (m_cardsGone || !m_merge->CanMerge())
        return;
    const CCardStore::Merge plan = m_merge->Plan();
    const QString question =
        QString::fromUtf8("%1件の名刺を1件に結合します。\n\n"
                          "「%2」の名刺を選んだ内容で書き換え、ほかの%3件の名刺を画像とともに削除します。\n"
                          "よろしいですか？")
            .arg(m_merge->CardCount())
            .arg(plan.main->Name())
            .arg(plan.others.size());
    if (m_messages.Show(this, question, QString::fromUtf8(Caption), QMessageBox::Question,
                        QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    if (m_store.MergeCards(plan)) {
        QDialog::accept();
        return;
    }
    // A refused merge leaves every card as it was; after a reread there is nothing left here.
    m_messages.Show(this, StoreErrorText(m_store.LastError()), QString::fromUtf8(Caption),
                    QMessageBox::Warning);
    if (m_cardsGone)
        QDialog::reject();
}
