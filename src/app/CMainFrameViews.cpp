#include "CCardEditView.h"
#include "CCardImageView.h"
#include "CCardListModel.h"
#include "CCardListView.h"
#include "CDesktopOpener.h"
#include "CEditCheckListDlg.h"
#include "CEditGroupDlg.h"
#include "CImageFrame.h"
#include "CMailDlg.h"
#include "CMainFrame.h"

#include "CCardStore.h"
#include "CConnect.h"
#include "CCsvImport.h"
#include "CDropImport.h"
#include "CExportCommand.h"
#include "CExportFormatDlg.h"
#include "CExportMappingDlg.h"
#include "CImportMappingDlg.h"
#include "CMemoryCardDlg.h"
#include "CMemoryCardImport.h"
#include "COptionPage1.h"
#include "COptionSheet.h"
#include "CPortTable.h"
#include "CSearchBar.h"
#include "CSearchDlg.h"
#include "CSettings.h"
#include "CSkin.h"
#include "CTabView.h"
#include "CThumbnailCache.h"
#include "CardExportContext.h"
#include "CardExporter.h"
#include "CardSearch.h"
#include "CheckListColumns.h"
#include "IMessageBox.h"
#include "ImportMapping.h"
#include "ImportOptions.h"
#include "MailComposer.h"
#include "MappingFile.h"
#include "SerialPortChoice.h"
#include "ShowUserMessage.h"

#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>
#include <QProgressDialog>
#include <QSplitter>
#include <QUrl>

// The detail and image panes, the options, group and check-list dialogs and mail.

namespace {
MailOptions MailOptionsOf(const OptionRecord &options)
{
    MailOptions m;
    m.company = options.mailCompany;
    m.department = options.mailDepartment;
    m.name = options.mailName;
    m.honorific = options.mailHonorific;
    return m;
}

QList<MailerInfo> MailersOf(const QList<CMailDlg::Recipient> &rows)
{
    QList<MailerInfo> mailers;
    for (const CMailDlg::Recipient &r : rows)
        mailers.append({r.address, r.name, r.company, r.department});
    return mailers;
}
} // namespace

void CMainFrame::AttachPanes(const QString &settingsPath)
{
    m_settingsPath = settingsPath;
    m_editView = new CCardEditView(m_store, &m_messages);
    m_editView->SetOptions(m_settings.options);
    m_imageView = new CCardImageView(m_store, &m_messages);
    m_imageFrame = new CImageFrame(m_imageView);
    m_imageFrame->SetToolBarPos(m_settings.imageToolBarPos);

    // The new panes take the placeholders' places, sizes and visibility.
    for (QWidget **pane : {&m_edit, &m_image}) {
        QWidget *view = pane == &m_edit ? static_cast<QWidget *>(m_editView) : m_imageFrame;
        view->setMinimumHeight((*pane)->minimumHeight());
        view->setVisible(!(*pane)->isHidden());
        delete m_right->replaceWidget(m_right->indexOf(*pane), view);
        *pane = view;
    }
    KeepEditHeightOnResize();
    if (!m_sizesPending)
        ApplyRightSizes();
    ConnectViews();
    BindImageCommands();
    ShowFocusedCard(m_list->CurrentCard());
    UpdateStatus(); // the commands that follow the selection take its state
}

void CMainFrame::ConnectViews()
{
    connect(m_list, &CCardListView::CurrentCardChanged, this, &CMainFrame::ShowFocusedCard);
    m_searchBar->ShowHistory(m_settings.searchHistory);
    connect(m_searchBar, &CSearchBar::FindRequested, this, &CMainFrame::OnQuickFind);
    connect(m_list, &CCardListView::ImportRequested, this,
            [this](const QStringList &vcards, const QString &csv) {
                if (!vcards.isEmpty()) {
                    RunImport([this, &vcards](const ImportOptions &options) {
                        CDropImport::Run(this, *m_store, options, m_messages, vcards);
                    });
                } else if (!csv.isEmpty()) {
                    ImportCsv(csv);
                }
            });
    connect(m_editView, &CCardEditView::CardStored, this, &CMainFrame::ShowStoredCard);
    // The names are the settings', not the management file's: written as soon as they are confirmed.
    connect(m_editView, &CCardEditView::GroupsEdited, this, &CMainFrame::WriteSettings);
    connect(m_editView, &CCardEditView::CheckListEdited, this, &CMainFrame::WriteSettings);
    connect(m_editView, &CCardEditView::MailRequested, this,
            [this](const CCardData &card, const QString &address) {
                OpenMail(MailComposer::ForEditView(MailerInfo::FromCard(card), address,
                                                   MailOptionsOf(m_settings.options)));
            });
    connect(m_imageView, &CCardImageView::CardCreated, this, [this](CCardData *card) {
        m_editView->ShowCard(card);
        ShowStoredCard(card);
    });

    connect(Action(MainAction::Options), &QAction::triggered, this, &CMainFrame::ShowOptions);
    connect(Action(MainAction::Groups), &QAction::triggered, this, &CMainFrame::EditGroups);
    connect(Action(MainAction::CheckList), &QAction::triggered, this, &CMainFrame::EditCheckList);
    connect(Action(MainAction::MailSend), &QAction::triggered, this, &CMainFrame::OnMailSend);
    connect(Action(MainAction::MailTo), &QAction::triggered, this, [this] { OnMailDialog(CMailDlg::To); });
    connect(Action(MainAction::MailCc), &QAction::triggered, this, [this] { OnMailDialog(CMailDlg::Cc); });
    connect(Action(MainAction::MailBcc), &QAction::triggered, this, [this] { OnMailDialog(CMailDlg::Bcc); });
    for (MainAction key : {MainAction::Options, MainAction::Groups, MainAction::CheckList,
                           MainAction::MailSend, MainAction::MailTo, MainAction::MailCc, MainAction::MailBcc})
        Action(key)->setEnabled(true);
}

void CMainFrame::BindImageCommands()
{
    // The menu items stand for the image pane's own commands and follow their state.
    static const struct
    {
        MainAction key;
        CCardImageView::Command command;
    } bindings[] = {{MainAction::CardImage, CCardImageView::ShowCardImage},
                    {MainAction::PhotoImage, CCardImageView::ShowPersonPhoto},
                    {MainAction::ZoomIn, CCardImageView::ZoomIn},
                    {MainAction::ZoomOut, CCardImageView::ZoomOut},
                    {MainAction::ZoomFit, CCardImageView::FitWhole},
                    {MainAction::Rotate, CCardImageView::Rotate},
                    {MainAction::SwapImages, CCardImageView::SwapPictures},
                    {MainAction::AddImage, CCardImageView::AddOrChange},
                    {MainAction::DeleteImage, CCardImageView::DeletePicture}};
    for (const auto &b : bindings) {
        QAction *menu = Action(b.key);
        QAction *own = m_imageView->Action(b.command);
        auto follow = [menu, own] {
            menu->setEnabled(own->isEnabled());
            if (menu->isCheckable())
                menu->setChecked(own->isChecked());
        };
        follow();
        connect(own, &QAction::changed, menu, follow);
        connect(menu, &QAction::triggered, own, [own, follow] {
            own->trigger();
            follow();
        });
    }
}

void CMainFrame::ShowFocusedCard(CCardData *card)
{
    // The list reselects the card the edit view just stored; reloading it would disturb typing.
    if (card != m_editView->StoredCard() || !card)
        m_editView->ShowCard(card);
    m_imageView->ShowCard(card);
}

void CMainFrame::ShowOptions()
{
    OptionRecord values = m_settings.options;
    values.hideConnectConf = m_settings.ConnectConfHidden();
    const bool wasHidden = values.hideConnectConf;
    COptionSheet sheet(
        values,
        [this, &values, wasHidden] {
            m_settings.options = values;
            // Only a changed box overrides the per-operation choices.
            if (values.hideConnectConf != wasHidden)
                m_settings.SetConnectConfHidden(values.hideConnectConf);
            return WriteSettings();
        },
        &m_messages, m_window);
    // The serial port list names the ports this machine has now.
    CPortTable::RefreshPorts();
    sheet.Page()->SetSerialPortTexts(SerialPortChoice::Texts(CPortTable::Ports()));
    connect(&sheet, &COptionSheet::Applied, this, [this](const OptionRecord &applied) {
        m_editView->SetOptions(applied);
        CSkin::Apply(applied.SkinColorFor(applied.skinColorType));
    });
    connect(&sheet, &COptionSheet::ThumbnailSizeChanged, this, [this](int pixels) {
        m_list->ThumbnailCache()->Reset();
        m_list->SetThumbnailSize(QSize(pixels, pixels));
    });
    sheet.exec();
}

void CMainFrame::EditGroups()
{
    CEditGroupDlg dialog(m_store, m_window);
    if (dialog.exec() == QDialog::Accepted)
        WriteSettings();
}

void CMainFrame::EditCheckList()
{
    CEditCheckListDlg dialog(m_store, &m_messages, m_window);
    if (dialog.exec() == QDialog::Accepted)
        WriteSettings();
}

bool CMainFrame::WriteSettings()
{
    if (m_settingsPath.isEmpty())
        return true;
    SaveState();
    if (m_settings.WriteAll(m_settingsPath))
        return true;
    m_messages.Show(m_window, QString::fromUtf8("設定ファイルを保存できませんでした。"), QString(),
                    QMessageBox::Warning);
    return false;
}

void CMainFrame::OnMailSend()
{
    QList<MailerInfo> mailers;
    for (const CCardData *card : m_list->SelectedCards())
        mailers.append(MailerInfo::FromCard(*card));
    OpenMail(MailComposer::ForSelection(mailers, MailOptionsOf(m_settings.options)));
}

void CMainFrame::OnMailDialog(int list)
{
    if (!m_mailDlg) {
        m_mailDlg = new CMailDlg(m_window);
        connect(m_mailDlg, &CMailDlg::ComposeRequested, this,
                [this](const QList<CMailDlg::Recipient> &to, const QList<CMailDlg::Recipient> &cc,
                       const QList<CMailDlg::Recipient> &bcc) {
                    OpenMail(MailComposer::ForRecipients(MailersOf(to), MailersOf(cc), MailersOf(bcc),
                                                         MailOptionsOf(m_settings.options)));
                });
    }
    m_mailDlg->AddCards(static_cast<CMailDlg::List>(list), m_list->SelectedCards());
    m_mailDlg->show();
    m_mailDlg->raise();
    m_mailDlg->activateWindow();
}

void CMainFrame::OpenMail(const QString &address)
{
    if (!address.isEmpty())
        CDesktopOpener::OpenOrWarn(m_open, QUrl(address, QUrl::TolerantMode), m_messages, m_window,
                                   QString::fromUtf8("メール送信"));
}

void CMainFrame::RunImport(const std::function<void(const ImportOptions &)> &import)
{
    ImportOptions options;
    options.autoYomi = m_settings.options.autoYomi;
    options.skipCheckFixedData = m_settings.options.skipCheckFixedData;
    // The import lets the views go while its worker owns the store; they follow the store back.
    import(options);
}

void CMainFrame::OnMemoryCard()
{
    RunImport([this](const ImportOptions &options) {
        CMemoryCardImport::Run(m_window, *m_store, options, m_messages, [this](const QStringList &folders) {
            CMemoryCardDlg dialog(folders, m_messages, m_window);
            return dialog.exec() == QDialog::Accepted ? dialog.Chosen() : -1;
        });
    });
}

void CMainFrame::OnPhone()
{
    if (!m_connect)
        m_connect = new CConnect(
            m_window, *m_store, m_settings, m_messages, [this] { return WriteSettings(); }, this);
    m_connect->Run();
}

void CMainFrame::OnExport(ExportKind kind)
{
    QList<const CCardData *> cards;
    if (kind == ExportAll) {
        cards = CardExporter::AllCards(*m_store);
    } else if (kind == ExportShown) {
        const CCardData *shown = m_editView->StoredCard();
        if (shown && !shown->Id().isEmpty())
            cards.append(shown);
    } else {
        for (const CCardData *card : m_list->SelectedCards())
            cards.append(card);
    }
    const CardExportContext context = CardExportContext::Of(*m_store);
    const QString title = QString::fromUtf8("エクスポート:表示中のデータ/すべてのデータ");
    CExportCommand::Questions ask;
    ask.chooseFormat = [this](ExportFormat &format) {
        static ExportFormat last; // the choice is offered again for the rest of the session
        CExportFormatDlg dialog(last, m_window);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        format = last = dialog.Format();
        return true;
    };
    ask.editMapping = [this, &context](ExportMapping &mapping) {
        CExportMappingDlg dialog(mapping, context.checks, m_messages, &CMainFrame::ChooseMappingFile,
                                 m_window);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        mapping = dialog.Mapping();
        return true;
    };
    ask.chooseFile = [this, &title](const ExportFormat &format) {
        const bool vcard = format.IsVCard();
        QFileDialog dialog(m_window, title, QString::fromUtf8("名刺"),
                           QString::fromUtf8(vcard ? "vCardファイル (*.vcf);;すべてのファイル (*)"
                                                   : "CSVファイル (*.csv);;すべてのファイル (*)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(QString::fromLatin1(format.Extension()));
        return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
    };
    ask.chooseFolder = [this, &title] { return QFileDialog::getExistingDirectory(m_window, title); };
    CExportCommand::Run(cards, kind == ExportSelectedSeparately, context,
                        m_settings.options.exportNameCompany, m_settings.options.exportNameDate, m_messages,
                        m_window, ask);
}

QString CMainFrame::ChooseMappingFile(bool save)
{
    QFileDialog dialog(nullptr, QString(), QString(), MappingFileFilter());
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(QStringLiteral("cor"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

void CMainFrame::OnImport()
{
    const QString path = QFileDialog::getOpenFileName(
        m_window, QString(), QString(), QString::fromUtf8("CSVファイル (*.csv);;名刺ファイル (*.vcf)"));
    if (path.isEmpty())
        return;
    if (path.endsWith(QStringLiteral(".vcf"), Qt::CaseInsensitive)) {
        RunImport([this, &path](const ImportOptions &options) {
            CDropImport::Run(m_window, *m_store, options, m_messages, {path});
        });
        return;
    }
    ImportCsv(path);
}

void CMainFrame::ImportCsv(const QString &path)
{
    QStringList first;
    QStringList second;
    bool hasSecond = false;
    bool read = false;
    {
        QProgressDialog busy(QString(), QString(), 0, 0, m_window);
        busy.setWindowTitle(QString::fromUtf8("処理中..."));
        busy.setCancelButton(nullptr);
        busy.show();
        QApplication::processEvents();
        QApplication::setOverrideCursor(Qt::WaitCursor);
        read = ImportMapping::ReadFirstRows(path, first, second, hasSecond);
        QApplication::restoreOverrideCursor();
    }
    if (!read) {
        m_messages.Show(m_window, QString::fromUtf8("ファイルが読み込めませんでした。"),
                        QString::fromUtf8("インポート"), QMessageBox::Warning);
        return;
    }
    const CheckListItems checks = CheckListColumns(m_store->GetCheckList());
    CImportMappingDlg dialog(first, second, hasSecond, checks, m_messages, &CMainFrame::ChooseMappingFile,
                             m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    RunImport([&](const ImportOptions &options) {
        CCsvImport::Run(m_window, *m_store, options, m_messages, path, dialog.Columns(),
                        dialog.FirstRowIsHeader());
    });
}

void CMainFrame::OnSearch()
{
    CSearchDlg dialog(GroupNames(), CheckListColumns(m_store->GetCheckList()), m_messages, m_window);
    if (dialog.exec() != QDialog::Accepted)
        return;
    int found = 0;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        found = CardSearch::RunSearch(*m_store, dialog.Conditions(), dialog.Combination());
        QApplication::restoreOverrideCursor();
    }
    // The list shows the search results: the last tab of every row.
    m_tabs->SelectPosition(m_tabs->TabCount() - 1);
    m_list->SetTab(m_tabs->Row(), m_tabs->StoreTab());
    UpdateStatus();
    if (found == 0)
        ShowUserMessage(m_messages, m_window, CardSearch::NotFoundMessage());
}

void CMainFrame::OnQuickFind(const QString &word)
{
    if (word.isEmpty())
        return;
    CardSearch::RememberWord(m_settings.searchHistory, word);
    m_searchBar->ShowHistory(m_settings.searchHistory);
    const QList<CCardData *> cards = m_list->CurrentSequence();
    const int at = CardSearch::QuickFind(cards, int(cards.indexOf(m_list->CurrentCard())), word);
    if (at < 0) {
        ShowUserMessage(m_messages, m_window, CardSearch::QuickFindNotFoundMessage(word));
        return;
    }
    m_list->SelectCard(cards[at]);
}
