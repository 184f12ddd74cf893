#include "CPrintDlg.h"

#include "CCardData.h"
#include "CLengthEdit.h"
#include "CPageSpin.h"
#include "CPrintFontDlg.h"
#include "CPrintJobRunner.h"
#include "CPrintMarginConfirmDlg.h"
#include "CPrintPreviewFrame.h"
#include "CPrintSetListPage.h"
#include "CPrintSetSealPage.h"
#include "CPrintingDialog.h"
#include "IMessageBox.h"
#include "IPrintTarget.h"
#include "IPrinterDevice.h"
#include "JobStatus.h"
#include "PrintFieldRules.h"
#include "PrintSettings.h"
#include "PrintTexts.h"
#include "PrinterStatus.h"

#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QPushButton *Button(const char *text)
{
    auto *b = new QPushButton(QString::fromUtf8(text));
    b->setAutoDefault(false);
    return b;
}

} // namespace

CPrintDlg::CPrintDlg(PrintSettings &settings, const QList<CCardData *> &cards, IPrintSystem *system,
                     IMessageBox &messages, const QString &title, const QString &catalogueFolder,
                     QWidget *parent)
    : QDialog(parent), m_settings(settings), m_cards(cards), m_messages(messages), m_title(title),
      m_catalogueFolder(catalogueFolder), m_print(system, this), m_counter(m_print)
{
    setWindowTitle(PrintTexts::Caption());

    // The printer.
    auto *printer = new QGroupBox(QString::fromUtf8("プリンタ"));
    auto *grid = new QGridLayout(printer);
    m_printers = new QComboBox;
    m_printers->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_printers->setMinimumContentsLength(24);
    m_state = new QLabel;
    m_paper = new QLabel;
    m_orientation = new QLabel;
    m_font = new QLabel;
    m_properties = Button("プロパティ");
    m_fontButton = Button("フォントの設定");
    auto *printerLabel = new QLabel(QString::fromUtf8("プリンタ名"));
    printerLabel->setBuddy(m_printers);
    grid->addWidget(printerLabel, 0, 0);
    grid->addWidget(m_printers, 0, 1);
    grid->addWidget(m_properties, 0, 2);
    const char *const names[] = {"状態", "用紙", "用紙方向", "フォント"};
    QLabel *values[] = {m_state, m_paper, m_orientation, m_font};
    for (int i = 0; i < 4; ++i) {
        grid->addWidget(new QLabel(QString::fromUtf8(names[i])), i + 1, 0);
        grid->addWidget(values[i], i + 1, 1);
        values[i]->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    grid->addWidget(m_fontButton, 4, 2);
    grid->setColumnStretch(1, 1);
    connect(m_printers, &QComboBox::activated, this, &CPrintDlg::OnPrinterChosen);
    connect(m_properties, &QPushButton::clicked, this, &CPrintDlg::OnProperties);
    connect(m_fontButton, &QPushButton::clicked, this, &CPrintDlg::OnFont);

    m_tabs = new QTabWidget;

    // The page range.
    auto *range = new QGroupBox(QString::fromUtf8("印刷範囲"));
    auto *rangeRow = new QHBoxLayout(range);
    m_all = new QRadioButton(QString::fromUtf8("すべて"));
    m_some = new QRadioButton(QString::fromUtf8("ページ指定"));
    auto *modes = new QButtonGroup(this);
    modes->addButton(m_all, 0);
    modes->addButton(m_some, 1);
    m_from = new CPageSpin;
    m_to = new CPageSpin;
    for (CPageSpin *spin : {m_from, m_to}) {
        spin->setRange(1, 1);
        spin->setMinimumWidth(spin->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 40);
    }
    rangeRow->addWidget(m_all);
    rangeRow->addSpacing(16);
    rangeRow->addWidget(m_some);
    rangeRow->addWidget(m_from);
    rangeRow->addWidget(new QLabel(QString::fromUtf8("から")));
    rangeRow->addWidget(m_to);
    rangeRow->addWidget(new QLabel(QString::fromUtf8("まで")));
    rangeRow->addStretch();
    connect(modes, &QButtonGroup::idClicked, this, &CPrintDlg::OnRangeMode);
    connect(m_from->lineEdit(), &QLineEdit::textEdited, this, &CPrintDlg::OnFromEdited);
    connect(m_to->lineEdit(), &QLineEdit::textEdited, this, &CPrintDlg::OnToEdited);
    connect(m_from, &QSpinBox::valueChanged, this, [this](int v) { OnFromEdited(QString::number(v)); });
    connect(m_to, &QSpinBox::valueChanged, this, [this](int v) { OnToEdited(QString::number(v)); });

    // The commands.
    m_previewButton = Button("プレビュー");
    m_printButton = Button("印刷");
    m_closeButton = new QPushButton(QString::fromUtf8("閉じる"));
    m_closeButton->setDefault(true);
    m_helpButton = Button("ヘルプ");
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton *b : {m_previewButton, m_printButton, m_closeButton, m_helpButton})
        buttons->addWidget(b);
    connect(m_previewButton, &QPushButton::clicked, this, &CPrintDlg::OnPreview);
    connect(m_printButton, &QPushButton::clicked, this, &CPrintDlg::OnPrint);
    connect(m_closeButton, &QPushButton::clicked, this, &CPrintDlg::OnClose);
    connect(m_helpButton, &QPushButton::clicked, this, &CPrintDlg::HelpRequested);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(printer);
    layout->addWidget(m_tabs, 1);
    layout->addWidget(range);
    layout->addLayout(buttons);
}

CPrintDlg::~CPrintDlg() = default;

bool CPrintDlg::Prepare()
{
    const auto marked =
        std::any_of(m_cards.cbegin(), m_cards.cend(), [](const CCardData *c) { return c->Print(); });
    if (!marked) {
        m_messages.Show(parentWidget(), PrintTexts::NoMarkedCard(), PrintTexts::Caption(),
                        QMessageBox::Warning);
        return false;
    }
    m_print.LoadFrom(m_settings);
    if (!m_print.EnumPrinterNames(m_printerNames)) {
        m_messages.Show(parentWidget(), PrintTexts::NoPrinter(), PrintTexts::Caption(), QMessageBox::Warning);
        return false;
    }
    const auto stored =
        std::find_if(m_printerNames.cbegin(), m_printerNames.cend(), [this](const QString &n) {
            return !m_print.PrinterName.isEmpty() && n.compare(m_print.PrinterName, Qt::CaseInsensitive) == 0;
        });
    const bool opened = stored != m_printerNames.cend() ? m_print.SetPrinter(*stored, true)
                                                        : m_print.SetPrinter(QString(), false);
    if (!opened) {
        m_messages.Show(parentWidget(), PrintTexts::PrinterInfoFailed(), PrintTexts::Caption(),
                        QMessageBox::Warning);
        return false;
    }

    m_printers->addItems(m_printerNames);
    m_printers->setCurrentIndex(int(m_printerNames.indexOf(m_print.PrinterName)));
    RefreshPrinterTexts();
    m_font->setText(m_print.LogFont.faceName);

    m_frame = std::make_unique<CPrintPreviewFrame>(m_print, m_cards, m_title, parentWidget());
    connect(m_frame.get(), &CPrintPreviewFrame::Closed, this, &CPrintDlg::EndPreview);
    connect(m_frame.get(), &CPrintPreviewFrame::HelpRequested, this, &CPrintDlg::HelpRequested);
    connect(m_frame.get(), &CPrintPreviewFrame::PrinterSetupRequested, this,
            &CPrintDlg::PrinterSetupFromPreview);
    connect(m_frame.get(), &CPrintPreviewFrame::PrintRequested, this, [this] {
        setEnabled(true);
        activateWindow();
        PrintNow();
    });
    BuildPages();
    m_all->setChecked(true);
    OnRangeMode(0);
    UpdateActionButtons();
    return true;
}

void CPrintDlg::BuildPages()
{
    m_print.Mode = CPrint::ModeList;
    m_listPage = new CPrintSetListPage(m_print, m_cards); // lays out the first list page for its strip
    m_sealPage = new CPrintSetSealPage(m_print, m_messages, m_catalogueFolder);
    m_tabs->addTab(m_listPage, QString::fromUtf8("リスト"));
    m_tabs->addTab(m_sealPage, QString::fromUtf8("タックシール"));
    m_tabs->setCurrentIndex(CPrint::ModeList);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPrintDlg::OnTabChanged);

    connect(m_listPage, &CPrintSetListPage::LayoutChanged, this, &CPrintDlg::Recount);
    connect(m_listPage, &CPrintSetListPage::ItemsChanged, this, [this] {
        UpdateActionButtons();
        Recount();
    });
    connect(m_listPage, &CPrintSetListPage::TurnDownChanged, this, [this] {
        SelectPrinterAgain();
        Recount();
    });
    connect(m_sealPage, &CPrintSetSealPage::LayoutChanged, this, &CPrintDlg::Recount);
    connect(m_sealPage, &CPrintSetSealPage::ItemsChanged, this, &CPrintDlg::UpdateActionButtons);
    connect(m_sealPage, &CPrintSetSealPage::PaperChanged, this, [this] {
        RefreshPrinterTexts();
        // The device follows the paper at once, so the list's page count does too.
        m_print.SetPrinter(m_print.PrinterName, true);
        Recount();
    });
}

void CPrintDlg::RefreshPrinterTexts()
{
    m_state->setText(PrinterStatus::Text(m_print.PrinterState()));
    m_paper->setText(CPrint::PaperSizeName(m_print.PaperSize()));
    m_orientation->setText(CPrint::OrientationName(m_print.Orientation()));
}

bool CPrintDlg::SelectPrinterAgain()
{
    if (m_print.SetPrinter(m_print.PrinterName, true))
        return true;
    m_messages.Show(this, PrintTexts::PrinterInfoFailed(), PrintTexts::Caption(), QMessageBox::Warning);
    return false;
}

bool CPrintDlg::CheckMarginsForAction()
{
    const int code = m_print.CheckMargins();
    if (code >= 5 && code <= 8) {
        m_messages.Show(this, PrintTexts::MarginTooLarge(), PrintTexts::Caption(), QMessageBox::Warning);
        const bool label = m_print.Mode == CPrint::ModeLabel;
        const QMargins m = label ? m_print.RectSealMargin : m_print.RectMargin;
        QLineEdit *field = nullptr;
        if (code <= 6) {
            const bool right = m.left() < m.right();
            field = label
                        ? m_sealPage->FieldOf(right ? CPrintSetSealPage::MarginRight
                                                    : CPrintSetSealPage::MarginLeft)
                        : m_listPage->MarginField(right ? CPrintSetListPage::Right : CPrintSetListPage::Left);
        } else {
            const bool bottom = m.top() < m.bottom();
            field =
                label ? m_sealPage->FieldOf(bottom ? CPrintSetSealPage::MarginBottom
                                                   : CPrintSetSealPage::MarginTop)
                      : m_listPage->MarginField(bottom ? CPrintSetListPage::Bottom : CPrintSetListPage::Top);
        }
        field->setFocus();
        field->selectAll();
        return false;
    }
    if (code >= 1 && code <= 4) {
        CPrintMarginConfirmDlg question(this);
        if (question.exec() != QDialog::Accepted)
            return true; // 無視
        m_print.ClampMargins();
        if (m_print.Mode == CPrint::ModeLabel)
            m_sealPage->Load();
        else
            m_listPage->Load();
        Recount();
        return false;
    }
    return true;
}

void CPrintDlg::Recount()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_counter.ClearScaled();
    m_pageCount = std::max(1, m_counter.PaginateMode(m_cards));
    QApplication::restoreOverrideCursor();
    // The range follows the count: すべて is every page, and a chosen range
    // never reaches past the last page.
    if (m_rangeMode == 0) {
        m_print.FromPage = 1;
        m_print.ToPage = m_pageCount;
    } else {
        m_print.ToPage = std::clamp(m_print.ToPage, 1, m_pageCount);
        m_print.FromPage = std::clamp(m_print.FromPage, 1, m_print.ToPage);
    }
    ShowRange();
}

void CPrintDlg::ShowRange()
{
    m_updatingRange = true;
    for (CPageSpin *spin : {m_from, m_to})
        spin->setRange(1, m_pageCount);
    m_from->setValue(m_print.FromPage);
    m_to->setValue(m_print.ToPage);
    m_updatingRange = false;
}

void CPrintDlg::UpdateActionButtons()
{
    const QList<int> &items =
        m_print.Mode == CPrint::ModeLabel ? m_print.SealItemIndex : m_print.ListItemIndex;
    m_previewButton->setEnabled(!items.isEmpty());
    m_printButton->setEnabled(!items.isEmpty());
}

void CPrintDlg::OnTabChanged(int index)
{
    m_print.Mode = index == CPrint::ModeLabel ? CPrint::ModeLabel : CPrint::ModeList;
    SelectPrinterAgain();
    CheckMarginsForAction();
    UpdateActionButtons();
    Recount();
}

void CPrintDlg::OnPrinterChosen(int index)
{
    const QString name = m_printerNames.value(index);
    const QString previous = m_print.PrinterName;
    if (!m_print.SetPrinter(name, false)) {
        m_messages.Show(this, QString::fromUtf8("プリンター情報の取得に失敗しました。"),
                        PrintTexts::Caption(), QMessageBox::Warning);
        // The printer in use stays the one shown.
        m_print.PrinterName = previous;
        m_printers->setCurrentIndex(int(m_printerNames.indexOf(previous)));
        return;
    }
    RefreshPrinterTexts();
    Recount();
}

void CPrintDlg::OnProperties()
{
    if (!m_print.EditPrinterProperties(m_print.PrinterName, this))
        return;
    m_print.SetPrinter(m_print.PrinterName, true);
    RefreshPrinterTexts();
    m_listPage->RefreshStrip();
    Recount();
}

void CPrintDlg::OnFont()
{
    CPrintFontDlg dialog(m_print.LogFont, m_print.FontColor, this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    m_print.LogFont = dialog.Font();
    m_print.FontColor = dialog.Color();
    m_font->setText(m_print.LogFont.faceName);
    m_listPage->RefreshStrip();
    Recount();
}

void CPrintDlg::OnRangeMode(int mode)
{
    m_rangeMode = mode == 1 ? 1 : 0;
    m_from->setEnabled(m_rangeMode == 1);
    m_to->setEnabled(m_rangeMode == 1);
    Recount();
    m_print.FromPage = 1;
    m_print.ToPage = m_pageCount;
    ShowRange();
}

void CPrintDlg::OnFromEdited(const QString &text)
{
    if (m_updatingRange)
        return;
    const int from = PrintFieldRules::FromPage(text, m_to->lineEdit()->text(), m_pageCount);
    m_print.FromPage = from;
    if (text != QString::number(from)) {
        m_updatingRange = true;
        m_from->lineEdit()->setText(QString::number(from));
        if (text.isEmpty())
            m_from->lineEdit()->selectAll();
        m_updatingRange = false;
    }
}

void CPrintDlg::OnToEdited(const QString &text)
{
    if (m_updatingRange)
        return;
    const int to = PrintFieldRules::ToPage(text, m_print.FromPage, m_pageCount);
    m_print.ToPage = to;
    if (text != QString::number(to)) {
        m_updatingRange = true;
        m_to->lineEdit()->setText(QString::number(to));
        if (text.isEmpty())
            m_to->lineEdit()->selectAll();
        m_updatingRange = false;
    }
}

void CPrintDlg::OnPreview()
{
    if (SelectPrinterAgain() && CheckMarginsForAction())
        StartPreview();
}

void CPrintDlg::OnPrint()
{
    if (SelectPrinterAgain() && CheckMarginsForAction()) {
        Recount();
        PrintNow();
    }
}

void CPrintDlg::OnClose()
{
    if (!SelectPrinterAgain() || !CheckMarginsForAction())
        return;
    m_print.StoreTo(m_settings);
    accept();
}

void CPrintDlg::StartPreview()
{
    Recount();
    setEnabled(false);
    m_frame->Start(parentWidget() ? parentWidget()->window() : nullptr);
}

void CPrintDlg::EndPreview()
{
    setEnabled(true);
    activateWindow();
    SelectPrinterAgain();
}

void CPrintDlg::PrinterSetupFromPreview()
{
    m_print.EditPrinterProperties(m_print.PrinterName, m_frame.get());
    RefreshPrinterTexts();
    SelectPrinterAgain();
    m_listPage->RefreshStrip();
    Recount();
    m_frame->Restart();
}

void CPrintDlg::PrintNow()
{
    IPrinterDevice *device = m_print.Device();
    std::unique_ptr<IPrintTarget> target = device ? device->NewJob() : nullptr;
    if (!target)
        return;
    CPrintingDialog progress(m_title, m_print.PrinterName, m_print.PortName, this);
    emit PrintingStarted(&progress);
    CPrintJobRunner runner(m_print, m_cards, std::move(target), m_title);
    connect(&runner, &CPrintJobRunner::PageStarting, &progress, &CPrintingDialog::ShowPage);
    connect(&progress, &CPrintingDialog::CancelRequested, &runner, &CPrintJobRunner::Cancel);
    connect(&runner, &CPrintJobRunner::Finished, &progress, &QDialog::accept);
    runner.Start();
    progress.exec();

    switch (runner.Result()) {
    case CPrintJob::NotStarted:
        m_messages.Show(this, CPrintJob::NotStartedMessage(), PrintTexts::Caption(), QMessageBox::Warning);
        break;
    case CPrintJob::Failed:
        m_state->setText(JobStatus::Text(runner.Status()));
        break;
    default:
        break;
    }
}
