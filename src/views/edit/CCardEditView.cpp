#include "CCardEditView.h"

#include "CCardStore.h"
#include "CDesktopOpener.h"
#include "CEdit1Sheet.h"
#include "CEdit2Sheet.h"
#include "CEdit3Sheet.h"
#include "CEditAttachList.h"
#include "CEditCheckListDlg.h"
#include "CEditDateBox.h"
#include "CEditGroupDlg.h"
#include "CEditKindList.h"
#include "GroupIcons.h"
#include "IMessageBox.h"
#include "StoreError.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace {
const QString InputErrorCaption = QStringLiteral("入力エラー");
const QString PhoneError = QStringLiteral("0～9 # * - ( ) P p + 以外は入力できません。");
const QString HalfWidthError = QStringLiteral("半角英数記号以外は入力できません。");

QString DateLabel(const CardDate &date)
{
    if (date.year == 0)
        return QString();
    return QString::asprintf("%04d/%02d/%02d", date.year, date.month, date.day);
}

bool SamePhones(const CCardData &a, const CCardData &b)
{
    if (a.PhoneCount() != b.PhoneCount())
        return false;
    for (int i = 0; i < a.PhoneCount(); ++i) {
        if (a.Phone(i) != b.Phone(i) || a.PhoneKindAt(i) != b.PhoneKindAt(i))
            return false;
    }
    return true;
}

bool SameMails(const CCardData &a, const CCardData &b)
{
    if (a.MailCount() != b.MailCount())
        return false;
    for (int i = 0; i < a.MailCount(); ++i) {
        if (a.Mail(i) != b.Mail(i) || a.MailKindAt(i) != b.MailKindAt(i))
            return false;
    }
    return true;
}

quint32 KindOf(const QStringList &names, const QString &text)
{
    return quint32(qMax(0, names.indexOf(text)));
}
} // namespace

CCardEditView::CCardEditView(CCardStore *store, IMessageBox *messages, QWidget *parent)
    : QWidget(parent), m_store(store), m_messages(messages), m_open(&CDesktopOpener::Default)
{
    m_newCard = new QPushButton(QStringLiteral("新規名刺"), this);
    m_newCard->setAutoDefault(false);
    m_print = new QCheckBox(QStringLiteral("印刷"), this);
    m_fixed = new QCheckBox(QStringLiteral("修正済"), this);
    auto *top = new QHBoxLayout;
    top->addWidget(m_newCard);
    top->addStretch();
    top->addWidget(m_print);
    top->addWidget(m_fixed);

    m_tabs = new QTabWidget(this);
    m_sheet1 = new CEdit1Sheet(messages, m_tabs);
    m_sheet2 = new CEdit2Sheet(m_tabs);
    m_sheet3 = new CEdit3Sheet(m_tabs);
    // Each page scrolls when the pane is smaller than the page needs, instead of squeezing
    // its lists and boxes to nothing.
    const auto scrolled = [this](QWidget *sheet) {
        auto *area = new QScrollArea(m_tabs);
        area->setWidget(sheet);
        area->setWidgetResizable(true);
        area->setFrameShape(QFrame::NoFrame);
        return area;
    };
    m_tabs->addTab(scrolled(m_sheet1), QStringLiteral("ページ１"));
    m_tabs->addTab(scrolled(m_sheet2), QStringLiteral("ページ２"));
    m_tabs->addTab(scrolled(m_sheet3), QStringLiteral("ページ３"));

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(m_tabs, 1);

    setAcceptDrops(true);
    BindTextFields();
    ConnectControls();
    FollowStore();
    SetOptions(m_options);
    RefreshGroups();
    RefreshCheckList();
    ShowCard(nullptr);
}

void CCardEditView::BindTextFields()
{
    CEdit1Sheet *s1 = m_sheet1;
    CEdit2Sheet *s2 = m_sheet2;
    using Get = QString (CCardData::*)() const;
    using Set = bool (CCardData::*)(const QString &);
    auto plain = [this](QLineEdit *edit, Get get, Set set, const QString &error = QString()) {
        m_fields.append(TextField{edit, [get](const CCardData &c) { return (c.*get)(); },
                                  [set](CCardData &c, const QString &t) { return (c.*set)(t); }, error});
    };
    plain(s1->name, &CCardData::Name, &CCardData::SetName);
    plain(s1->yomiName, &CCardData::YomiName, &CCardData::SetYomiName);
    plain(s1->lastName, &CCardData::LastName, &CCardData::SetLastName);
    plain(s1->firstName, &CCardData::FirstName, &CCardData::SetFirstName);
    plain(s1->yomiLastName, &CCardData::YomiLastName, &CCardData::SetYomiLastName);
    plain(s1->yomiFirstName, &CCardData::YomiFirstName, &CCardData::SetYomiFirstName);
    m_fields.append(TextField{
        s1->company, [](const CCardData &c) { return c.Company(); },
        [this](CCardData &c, const QString &t) { return c.SetCompany(t, m_options.autoYomi); }, QString()});
    plain(s1->companyYomi, &CCardData::CompanyYomi, &CCardData::SetCompanyYomi);
    plain(s1->department, &CCardData::Department, &CCardData::SetDepartment);
    plain(s1->title, &CCardData::Title, &CCardData::SetTitle);
    plain(s2->zipCode, &CCardData::ZipCode, &CCardData::SetZipCode, HalfWidthError);
    plain(s2->address, &CCardData::Address, &CCardData::SetAddress);
    plain(s2->country, &CCardData::Country, &CCardData::SetCountry);
    plain(s2->prefecture, &CCardData::Prefecture, &CCardData::SetPrefecture);
    plain(s2->city, &CCardData::City, &CCardData::SetCity);
    plain(s2->street, &CCardData::Street, &CCardData::SetStreet);
    plain(s2->addressExtra, &CCardData::AddressExtra, &CCardData::SetAddressExtra);
    plain(s2->url, &CCardData::Url, &CCardData::SetUrl);
    for (int i = 0; i < m_fields.size(); ++i) {
        connect(m_fields[i].edit, &QLineEdit::editingFinished, this,
                [this, i] { OnTextEdited(m_fields[i]); });
        m_fields[i].edit->installEventFilter(this);
    }
}

void CCardEditView::ConnectControls()
{
    connect(m_newCard, &QPushButton::clicked, this, &CCardEditView::NewCard);
    connect(m_print, &QCheckBox::clicked, this, [this](bool on) {
        m_work.SetPrint(on);
        CardChanged();
    });
    connect(m_fixed, &QCheckBox::clicked, this, [this](bool on) {
        m_work.SetFixed(on);
        CardChanged();
    });
    connect(m_sheet1->yomiButton, &QPushButton::clicked, this, &CCardEditView::OnYomi);
    connect(m_sheet1->phones, &CEditKindList::RowsEdited, this, &CCardEditView::OnPhonesEdited);
    connect(m_sheet1->mails, &CEditKindList::RowsEdited, this, &CCardEditView::OnMailsEdited);
    connect(m_sheet1->mails, &CEditKindList::SendRequested, this,
            [this](const QString &address) { emit MailRequested(m_work, address); });
    connect(m_sheet2->group, &QComboBox::activated, this, &CCardEditView::OnGroupChosen);
    connect(m_sheet2->groupEdit, &QPushButton::clicked, this, &CCardEditView::EditGroups);
    connect(m_sheet2->url, &QLineEdit::textChanged, this,
            [this](const QString &url) { m_sheet2->connectButton->setEnabled(IsConnectable(url)); });
    connect(m_sheet2->connectButton, &QPushButton::clicked, this, &CCardEditView::OnConnect);
    connect(m_sheet2->birthday, &CEditDateBox::DateEdited, this, &CCardEditView::OnDateEdited);
    connect(m_sheet2->receivedDate, &CEditDateBox::DateEdited, this, &CCardEditView::OnDateEdited);
    m_sheet2->memo->installEventFilter(this);
    connect(m_sheet3->checkList, &QListWidget::itemChanged, this,
            [this](QListWidgetItem *item) { OnCheckItemChanged(m_sheet3->checkList->row(item)); });
    connect(m_sheet3->checkEdit, &QPushButton::clicked, this, &CCardEditView::EditCheckList);
    connect(m_sheet3->importance, &QComboBox::activated, this, [this](int index) {
        m_work.SetImportance(index);
        CardChanged();
    });
    connect(m_sheet3->attach, &QPushButton::clicked, this, [this] {
        const QStringList files =
            QFileDialog::getOpenFileNames(this, QString(), QString(), QStringLiteral("すべてのファイル (*)"));
        AttachFiles(files);
    });
    connect(m_sheet3->attachments, &CEditAttachList::FilesDropped, this, &CCardEditView::AttachFiles);
    connect(m_sheet3->attachments, &CEditAttachList::DeleteRequested, this, &CCardEditView::DeleteAttachment);
    connect(m_sheet3->attachDelete, &QPushButton::clicked, this, &CCardEditView::DeleteAttachment);
    connect(m_sheet3->attachments, &CEditAttachList::OpenRequested, this, &CCardEditView::OnOpenAttachment);
    // Enter moves on to the next control instead of closing anything.
    for (QWidget *w : findChildren<QWidget *>()) {
        if (qobject_cast<QComboBox *>(w) || qobject_cast<QCheckBox *>(w) ||
            qobject_cast<QAbstractSpinBox *>(w))
            w->installEventFilter(this);
    }
}

void CCardEditView::SetOptions(const OptionRecord &options)
{
    m_options = options;
    m_sheet1->SetSeparateName(options.separateName);
    m_sheet2->SetSeparateAddress(options.separateAddress);
}

bool CCardEditView::IsConnectable(const QString &url)
{
    return !url.isEmpty() && url.indexOf(u"://") >= 3;
}

void CCardEditView::ShowCard(CCardData *stored)
{
    // While its own change is being stored, the list may pass other cards by
    // (the stored card leaving the tab): this view stays on the card being edited.
    if (m_storingNow && !m_forgotten)
        return;
    m_stored = stored;
    m_work = stored ? *stored : CCardData();
    Fill();
}

void CCardEditView::FollowStore()
{
    if (!m_store)
        return;
    // Whoever changed the card, this view shows what the file now holds.
    // The card pointer goes at once, even in the middle of storing a change.
    const auto forget = [this] {
        m_forgotten = true; // a card shown after this is the file's, even mid-store
        m_stored = nullptr;
        m_work = CCardData();
        Fill();
    };
    connect(m_store, &CCardStore::AboutToReset, this, forget);
    connect(m_store, &CCardStore::CardReplaced, this, [this](CCardData *card) {
        if (card == m_stored) {
            m_work = *card;
            Fill();
        }
    });
    connect(m_store, &CCardStore::CardDeleted, this, [this, forget](CCardData *card) {
        if (card == m_stored)
            forget();
    });
    connect(m_store, &CCardStore::GroupsChanged, this, &CCardEditView::RefreshGroups);
    connect(m_store, &CCardStore::CheckListChanged, this, &CCardEditView::RefreshCheckList);
}

void CCardEditView::CardChanged()
{
    // The image pane turns pictures behind this view's back; never write an old turn over a new one.
    if (m_stored)
        m_work.SetImageRotation(m_stored->ImageRotation());
    m_storingNow = true;
    m_forgotten = false;
    CCardData *result = m_stored ? m_store->Replace(m_work, m_stored) : m_store->AddCard(m_work);
    m_storingNow = false;
    if (!result) {
        ShowStoreError();
        // A stored card shows again what the file holds; a new one keeps what was typed.
        if (m_stored) {
            m_work = *m_stored;
            Fill();
        }
        return;
    }
    m_stored = result;
    m_work = *result; // takes the identity and dates the store stamped
    Fill();
    emit CardStored(result);
}

void CCardEditView::NewCard()
{
    CCardData *added = m_store->AddCard(CCardData());
    if (!added) {
        ShowStoreError();
        return;
    }
    ShowCard(added);
    emit CardStored(added);
}

void CCardEditView::ShowStoreError()
{
    m_messages->Show(this, StoreErrorText(m_store->LastError()), QStringLiteral("名刺の保存"),
                     QMessageBox::Warning);
}

void CCardEditView::Fill()
{
    for (const TextField &field : std::as_const(m_fields)) {
        const QString value = field.get(m_work);
        // A field the user is typing in keeps its text until it is stored itself.
        if (field.edit->hasFocus() && field.edit->isModified())
            continue;
        if (field.edit->text() != value)
            field.edit->setText(value);
    }
    {
        const QSignalBlocker block(m_sheet2->memo);
        if (m_sheet2->memo->toPlainText() != m_work.Memo())
            m_sheet2->memo->setPlainText(m_work.Memo());
    }
    m_print->setChecked(m_work.Print());
    m_fixed->setChecked(m_work.Fixed());
    m_sheet2->connectButton->setEnabled(IsConnectable(m_work.Url()));
    m_sheet2->group->setCurrentIndex(
        m_work.GroupNo() >= 0 && m_work.GroupNo() < m_sheet2->group->count() ? m_work.GroupNo() : 0);
    m_sheet2->birthday->SetDate(m_work.Birthday());
    m_sheet2->receivedDate->SetDate(m_work.ReceivedDate());
    m_sheet2->registeredDate->setText(DateLabel(m_work.RegisteredDate()));
    m_sheet2->updatedDate->setText(DateLabel(m_work.UpdatedDate()));
    m_sheet3->importance->setCurrentIndex(qBound(0, m_work.Importance(), ImportanceCount - 1));
    {
        const QSignalBlocker block(m_sheet3->checkList);
        for (int row = 0; row < m_sheet3->checkList->count(); ++row) {
            QListWidgetItem *item = m_sheet3->checkList->item(row);
            item->setCheckState(m_work.CheckMark(item->data(Qt::UserRole).toInt()) ? Qt::Checked
                                                                                   : Qt::Unchecked);
        }
    }
    FillLists();
}

void CCardEditView::FillLists()
{
    const QStringList phoneKinds = m_sheet1->phones->KindNames();
    QList<CEditKindList::Row> phones;
    for (int i = 0; i < m_work.PhoneCount(); ++i)
        phones.append({phoneKinds.value(int(m_work.PhoneKindAt(i))), m_work.Phone(i)});
    m_sheet1->phones->SetRows(phones);
    const QStringList mailKinds = m_sheet1->mails->KindNames();
    QList<CEditKindList::Row> mails;
    for (int i = 0; i < m_work.MailCount(); ++i)
        mails.append({mailKinds.value(int(m_work.MailKindAt(i))), m_work.Mail(i)});
    m_sheet1->mails->SetRows(mails);
    m_sheet3->attachments->SetFiles(m_work.AttachedFiles());
}

void CCardEditView::OnTextEdited(const TextField &field)
{
    field.edit->setModified(false); // its text is taken now; Fill may show the cleaned value
    const QString text = field.edit->text();
    if (text == field.get(m_work))
        return;
    const bool clean = field.set(m_work, text);
    if (!clean && !field.error.isEmpty())
        ShowInputError(field.error);
    CardChanged();
    Fill();
}

void CCardEditView::OnMemoEdited()
{
    const QString text = m_sheet2->memo->toPlainText();
    if (text == m_work.Memo())
        return;
    m_work.SetMemo(text);
    CardChanged();
    Fill();
}

void CCardEditView::OnPhonesEdited()
{
    const CCardData before = m_work;
    const QStringList kinds = m_sheet1->phones->KindNames();
    bool clean = true;
    int next = 0;
    for (const CEditKindList::Row &row : m_sheet1->phones->Rows()) {
        if (row.text.isEmpty())
            continue;
        clean = m_work.SetPhone(next, {row.text, PhoneKind(KindOf(kinds, row.kindText))}) && clean;
        if (m_work.PhoneCount() > next) // a number that cleaned to nothing takes no place
            ++next;
    }
    while (m_work.PhoneCount() > next)
        m_work.SetPhone(next, {QString(), PhoneMobile});
    if (!clean)
        ShowInputError(PhoneError);
    if (!SamePhones(before, m_work))
        CardChanged();
    FillLists();
}

void CCardEditView::OnMailsEdited()
{
    const CCardData before = m_work;
    const QStringList kinds = m_sheet1->mails->KindNames();
    bool clean = true;
    int next = 0;
    for (const CEditKindList::Row &row : m_sheet1->mails->Rows()) {
        if (row.text.isEmpty())
            continue;
        clean = m_work.SetMail(next, {row.text, MailKind(KindOf(kinds, row.kindText))}) && clean;
        if (m_work.MailCount() > next)
            ++next;
    }
    while (m_work.MailCount() > next)
        m_work.SetMail(next, {QString(), MailMobile});
    if (!clean)
        ShowInputError(HalfWidthError);
    if (!SameMails(before, m_work))
        CardChanged();
    FillLists();
}

void CCardEditView::OnYomi()
{
    const CCardData before = m_work;
    if (m_options.separateName || !m_work.FirstName().isEmpty()) {
        m_work.SetYomiLastName(m_work.LastName());
        m_work.SetYomiFirstName(m_work.FirstName());
    } else {
        m_work.SetYomiName(m_work.Name());
    }
    if (m_work.YomiName() != before.YomiName() || m_work.YomiLastName() != before.YomiLastName() ||
        m_work.YomiFirstName() != before.YomiFirstName())
        CardChanged();
    Fill();
}

void CCardEditView::OnGroupChosen(int index)
{
    if (index == m_work.GroupNo())
        return;
    m_work.SetGroupNo(index);
    CardChanged();
}

void CCardEditView::OnCheckItemChanged(int row)
{
    QListWidgetItem *item = m_sheet3->checkList->item(row);
    if (!item)
        return;
    m_work.SetCheckMark(item->data(Qt::UserRole).toInt(), item->checkState() == Qt::Checked);
    CardChanged();
}

void CCardEditView::OnDateEdited()
{
    m_work.SetBirthdayDate(m_sheet2->birthday->Date());
    m_work.SetReceivedDate(m_sheet2->receivedDate->Date());
    CardChanged();
}

void CCardEditView::AttachFiles(const QStringList &paths)
{
    QStringList files = m_work.AttachedFiles();
    const int before = files.size();
    for (const QString &path : paths) {
        if (!path.isEmpty() && QFileInfo::exists(path))
            files << QFileInfo(path).absoluteFilePath();
    }
    if (files.size() == before)
        return;
    m_work.SetAttachedFiles(files);
    CardChanged();
    FillLists();
}

void CCardEditView::DeleteAttachment()
{
    const int row = m_sheet3->attachments->currentRow();
    QStringList files = m_work.AttachedFiles();
    if (row < 0 || row >= files.size())
        return;
    if (m_messages->Show(this, QStringLiteral("選択中の添付ファイルを削除してよろしいですか？"),
                         QStringLiteral("添付ファイル削除"), QMessageBox::Question,
                         QMessageBox::Yes | QMessageBox::No, QMessageBox::No) != QMessageBox::Yes)
        return;
    files.removeAt(row); // only the reference goes; the file itself stays where it is
    m_work.SetAttachedFiles(files);
    CardChanged();
    FillLists();
}

void CCardEditView::OnOpenAttachment(int row)
{
    const QString path = m_work.AttachedFiles().value(row);
    if (path.isEmpty())
        return;
    if (!m_open(QUrl::fromLocalFile(path)))
        m_messages->Show(this, QStringLiteral("このファイルは開けません。"), QString(), QMessageBox::Warning);
}

void CCardEditView::OnConnect()
{
    if (IsConnectable(m_work.Url()))
        CDesktopOpener::OpenOrWarn(m_open, QUrl(m_work.Url(), QUrl::TolerantMode), *m_messages, this,
                                   QStringLiteral("接続"));
}

void CCardEditView::RefreshGroups()
{
    QComboBox *group = m_sheet2->group;
    const QSignalBlocker block(group);
    group->clear();
    for (int n = 0; n < CCardStore::GroupCount(); ++n)
        group->addItem(GroupIcons::Icon(m_store->GetGroupIcon(n)), m_store->GetGroupName(n));
    group->setCurrentIndex(qBound(0, m_work.GroupNo(), group->count() - 1));
}

void CCardEditView::RefreshCheckList()
{
    // Applying the check list may have changed the marks of the stored card.
    if (m_stored)
        m_work = *m_stored;
    QListWidget *list = m_sheet3->checkList;
    {
        const QSignalBlocker block(list);
        list->clear();
        const CCheckArray &checks = m_store->GetCheckList();
        for (int position = 0; position < checks.Count(); ++position) {
            const int slot = checks.SlotAt(position);
            auto *item = new QListWidgetItem(checks.GetItemName(slot), list);
            item->setData(Qt::UserRole, slot);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        }
    }
    Fill();
}

void CCardEditView::EditGroups()
{
    CEditGroupDlg dialog(m_store, this);
    if (dialog.exec() == QDialog::Accepted)
        emit GroupsEdited();
}

void CCardEditView::EditCheckList()
{
    CEditCheckListDlg dialog(m_store, m_messages, this);
    if (dialog.exec() == QDialog::Accepted)
        emit CheckListEdited();
}

void CCardEditView::ShowInputError(const QString &text)
{
    m_messages->Show(this, text, InputErrorCaption, QMessageBox::Warning);
}

bool CCardEditView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_sheet2->memo && event->type() == QEvent::FocusOut)
        OnMemoEdited();
    if (event->type() == QEvent::KeyPress && watched != m_sheet2->memo) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        auto *combo = qobject_cast<QComboBox *>(watched);
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !(combo && combo->view()->isVisible())) {
            focusNextChild();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void CCardEditView::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CCardEditView::dropEvent(QDropEvent *event)
{
    QStringList paths;
    for (const QUrl &url : event->mimeData()->urls()) {
        if (url.isLocalFile())
            paths << url.toLocalFile();
    }
    event->acceptProposedAction();
    AttachFiles(paths);
}
