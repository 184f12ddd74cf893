#include "CPrintSetSealPage.h"

#include "CLabelCatalogue.h"
#include "CLabelSheetDlg.h"
#include "CLengthEdit.h"
#include "CPrint.h"
#include "CPrintItemEditDlg.h"
#include "IMessageBox.h"
#include "PrintFieldRules.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace {

constexpr int FirstLength = CPrintSetSealPage::LabelHeight;

QString SaveCaption()
{
    return QString::fromUtf8("タックシール用紙設定保存");
}

// "縦 [50.0] mm"
void AddLength(QGridLayout *grid, int row, int column, const char *label, CLengthEdit *field)
{
    auto *caption = new QLabel(QString::fromUtf8(label));
    caption->setBuddy(field);
    grid->addWidget(caption, row, column * 3, Qt::AlignRight);
    grid->addWidget(field, row, column * 3 + 1);
    grid->addWidget(new QLabel(QStringLiteral("mm")), row, column * 3 + 2);
}

QLineEdit *CountField()
{
    auto *field = new QLineEdit;
    field->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), field));
    field->setMaximumWidth(field->fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
    return field;
}

} // namespace

CPrintSetSealPage::CPrintSetSealPage(CPrint &print, IMessageBox &messages, const QString &catalogueFolder,
                                     QWidget *parent)
    : QWidget(parent), m_print(print), m_messages(messages), m_catalogueFolder(catalogueFolder)
{
    // シール用紙設定: the saved definitions.
    auto *sheets = new QGroupBox(QString::fromUtf8("シール用紙設定"));
    auto *sheetRow = new QHBoxLayout(sheets);
    m_definitions = new QComboBox;
    m_definitions->setEditable(true);
    m_definitions->setInsertPolicy(QComboBox::NoInsert);
    m_definitions->setMinimumContentsLength(16);
    m_save = new QPushButton(QString::fromUtf8("保存"));
    m_delete = new QPushButton(QString::fromUtf8("削除"));
    m_catalogue = new QPushButton(QString::fromUtf8("用紙を選ぶ..."));
    for (QPushButton *b : {m_save, m_delete, m_catalogue})
        b->setAutoDefault(false);
    sheetRow->addWidget(m_definitions, 1);
    sheetRow->addWidget(m_save);
    sheetRow->addWidget(m_delete);
    sheetRow->addSpacing(12);
    sheetRow->addWidget(m_catalogue);
    connect(m_definitions, &QComboBox::activated, this, &CPrintSetSealPage::ChooseDefinition);
    connect(m_definitions, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_delete->setEnabled(index > 0); });
    connect(m_save, &QPushButton::clicked, this, &CPrintSetSealPage::SaveDefinition);
    connect(m_delete, &QPushButton::clicked, this, &CPrintSetSealPage::DeleteDefinition);
    connect(m_catalogue, &QPushButton::clicked, this, &CPrintSetSealPage::ChooseFromCatalogue);
    if (!QDir(m_catalogueFolder).exists())
        m_catalogue->setToolTip(QString::fromUtf8("市販のラベル用紙の一覧 (glabels-data) がありません"));

    // The grid.
    auto *grid = new QGroupBox(QString::fromUtf8("シールの配置"));
    auto *gridLayout = new QHBoxLayout(grid);
    m_columns = CountField();
    m_rows = CountField();
    m_count = new QLineEdit;
    m_count->setReadOnly(true);
    m_count->setFocusPolicy(Qt::NoFocus);
    m_count->setMaximumWidth(m_columns->maximumWidth());
    gridLayout->addWidget(new QLabel(QString::fromUtf8("列")));
    gridLayout->addWidget(m_columns);
    gridLayout->addWidget(new QLabel(QString::fromUtf8("×  行")));
    gridLayout->addWidget(m_rows);
    gridLayout->addSpacing(16);
    gridLayout->addWidget(new QLabel(QString::fromUtf8("面数")));
    gridLayout->addWidget(m_count);
    gridLayout->addStretch();
    connect(m_columns, &QLineEdit::textEdited, this, [this](const QString &t) { OnCountEdited(Columns, t); });
    connect(m_rows, &QLineEdit::textEdited, this, [this](const QString &t) { OnCountEdited(Rows, t); });

    for (int i = 0; i < 8; ++i) {
        m_lengths[i] = new CLengthEdit;
        const Field field = Field(FirstLength + i);
        connect(m_lengths[i], &CLengthEdit::ValueEdited, this,
                [this, field](int v) { StoreLength(field, v); });
    }
    auto *sizes = new QGroupBox(QString::fromUtf8("シール1枚のサイズ"));
    auto *sizeGrid = new QGridLayout(sizes);
    AddLength(sizeGrid, 0, 0, "縦", m_lengths[LabelHeight - FirstLength]);
    AddLength(sizeGrid, 0, 1, "横", m_lengths[LabelWidth - FirstLength]);
    auto *gaps = new QGroupBox(QString::fromUtf8("シールとシールの間隔"));
    auto *gapGrid = new QGridLayout(gaps);
    AddLength(gapGrid, 0, 0, "縦", m_lengths[GapVertical - FirstLength]);
    AddLength(gapGrid, 0, 1, "横", m_lengths[GapHorizontal - FirstLength]);
    auto *margins = new QGroupBox(QString::fromUtf8("余白"));
    auto *marginGrid = new QGridLayout(margins);
    AddLength(marginGrid, 0, 0, "上", m_lengths[MarginTop - FirstLength]);
    AddLength(marginGrid, 0, 1, "下", m_lengths[MarginBottom - FirstLength]);
    AddLength(marginGrid, 1, 0, "左", m_lengths[MarginLeft - FirstLength]);
    AddLength(marginGrid, 1, 1, "右", m_lengths[MarginRight - FirstLength]);
    for (QGridLayout *g : {sizeGrid, gapGrid, marginGrid})
        g->setColumnStretch(6, 1);

    // 宛先設定 : 敬称.
    m_respect = new QComboBox;
    for (const char *name : {"様", "殿", "御中", "行", "宛", "なし"})
        m_respect->addItem(QString::fromUtf8(name));
    connect(m_respect, &QComboBox::activated, this, [this](int index) { m_print.Respect = index; });
    auto *respectLabel = new QLabel(QString::fromUtf8("宛先設定 : 敬称"));
    respectLabel->setBuddy(m_respect);
    m_editItems = new QPushButton(QString::fromUtf8("項目編集"));
    m_editItems->setAutoDefault(false);
    connect(m_editItems, &QPushButton::clicked, this, [this] {
        QStringList captions;
        for (const CPrint::CPrintItem &item : m_print.Items)
            captions << item.Caption;
        CPrintItemEditDlg dialog(captions, m_print.SealItemIndex, this);
        if (dialog.exec() != QDialog::Accepted)
            return;
        m_print.SealItemIndex = dialog.Chosen();
        emit ItemsChanged();
    });
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(respectLabel);
    bottom->addWidget(m_respect);
    bottom->addStretch();
    bottom->addWidget(m_editItems);

    auto *columns = new QHBoxLayout;
    auto *leftColumn = new QVBoxLayout;
    leftColumn->addWidget(grid);
    leftColumn->addWidget(sizes);
    leftColumn->addStretch();
    columns->addLayout(leftColumn, 1);
    auto *rightColumn = new QVBoxLayout;
    rightColumn->addWidget(gaps);
    rightColumn->addWidget(margins);
    rightColumn->addStretch();
    columns->addLayout(rightColumn, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(sheets);
    layout->addLayout(columns);
    layout->addStretch();
    layout->addLayout(bottom);

    FillDefinitions(0);
    m_definitions->setEditText(QString());
    Load();
}

CPrintSetSealPage::~CPrintSetSealPage() = default;

QLineEdit *CPrintSetSealPage::FieldOf(Field f) const
{
    if (f == Columns)
        return m_columns;
    if (f == Rows)
        return m_rows;
    return m_lengths[f - FirstLength];
}

void CPrintSetSealPage::Load()
{
    m_columns->setText(QString::number(m_print.SizeAspects.width()));
    m_rows->setText(QString::number(m_print.SizeAspects.height()));
    ShowCount();
    const int values[8] = {m_print.SizeSeal.height(),          m_print.SizeSeal.width(),
                           m_print.SizeSealsDistance.height(), m_print.SizeSealsDistance.width(),
                           m_print.RectSealMargin.top(),       m_print.RectSealMargin.bottom(),
                           m_print.RectSealMargin.left(),      m_print.RectSealMargin.right()};
    for (int i = 0; i < 8; ++i)
        m_lengths[i]->SetValue(values[i]);
    m_respect->setCurrentIndex(qBound(0, m_print.Respect, m_respect->count() - 1));
}

void CPrintSetSealPage::ShowCount()
{
    m_count->setText(QString::number(qint64(m_print.SizeAspects.width()) * m_print.SizeAspects.height()));
}

void CPrintSetSealPage::OnCountEdited(Field field, const QString &text)
{
    QLineEdit *edited = field == Columns ? m_columns : m_rows;
    const int other = field == Columns ? m_print.SizeAspects.height() : m_print.SizeAspects.width();
    const int value = PrintFieldRules::LimitGrid(PrintFieldRules::ReadCount(text), other);
    if (text != QString::number(value)) {
        edited->setText(QString::number(value));
        // A field emptied to type anew: the next digit replaces the 1.
        if (text.isEmpty())
            edited->selectAll();
    }
    if (field == Columns)
        m_print.SizeAspects.setWidth(value);
    else
        m_print.SizeAspects.setHeight(value);
    ShowCount();
    emit LayoutChanged();
}

void CPrintSetSealPage::StoreLength(Field field, int value)
{
    switch (field) {
    case LabelHeight:
        m_print.SizeSeal.setHeight(value);
        break;
    case LabelWidth:
        m_print.SizeSeal.setWidth(value);
        break;
    case GapVertical:
        m_print.SizeSealsDistance.setHeight(value);
        break;
    case GapHorizontal:
        m_print.SizeSealsDistance.setWidth(value);
        break;
    case MarginTop:
        m_print.RectSealMargin.setTop(value);
        break;
    case MarginBottom:
        m_print.RectSealMargin.setBottom(value);
        break;
    case MarginLeft:
        m_print.RectSealMargin.setLeft(value);
        break;
    case MarginRight:
        m_print.RectSealMargin.setRight(value);
        break;
    default:
        return;
    }
    emit LayoutChanged();
}

void CPrintSetSealPage::FillDefinitions(int select)
{
    const QSignalBlocker block(m_definitions);
    m_definitions->clear();
    for (const CSealPaperInfo &info : m_print.SealPaperInfo)
        m_definitions->addItem(info.DefinitionName);
    m_definitions->setCurrentIndex(qBound(-1, select, m_definitions->count() - 1));
    m_delete->setEnabled(m_definitions->currentIndex() > 0);
}

void CPrintSetSealPage::ChooseDefinition(int index)
{
    if (index < 0 || index >= m_print.SealPaperInfo.size())
        return;
    m_print.ApplySealPaperInfo(index);
    Load();
    m_delete->setEnabled(index > 0);
    emit PaperChanged();
}

void CPrintSetSealPage::SaveDefinition()
{
    const QString name = m_definitions->currentText();
    if (name.isEmpty()) {
        m_messages.Show(this, QString::fromUtf8("設定名を入力してください"), SaveCaption(),
                        QMessageBox::Warning);
        return;
    }
    CSealPaperInfo info;
    info.DefinitionName = name;
    info.PaperSize = qint16(m_print.PaperSize());
    info.Orientation = qint16(m_print.Orientation());
    info.Columns = m_print.SizeAspects.width();
    info.Rows = m_print.SizeAspects.height();
    info.LabelWidth = m_print.SizeSeal.width();
    info.LabelHeight = m_print.SizeSeal.height();
    info.GapX = m_print.SizeSealsDistance.width();
    info.GapY = m_print.SizeSealsDistance.height();
    info.MarginLeft = m_print.RectSealMargin.left();
    info.MarginTop = m_print.RectSealMargin.top();
    info.MarginRight = m_print.RectSealMargin.right();
    info.MarginBottom = m_print.RectSealMargin.bottom();

    QList<CSealPaperInfo> &all = m_print.SealPaperInfo;
    int at = -1;
    for (int i = 0; i < all.size() && at < 0; ++i) {
        if (all[i].DefinitionName.compare(name, Qt::CaseInsensitive) == 0)
            at = i;
    }
    if (at >= 0) {
        const auto answer =
            m_messages.Show(this, QString::fromUtf8("同じ名前がすでに存在します。\n上書きしますか?"),
                            QString::fromUtf8("タックシール用紙設定上書き確認"), QMessageBox::Warning,
                            QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
        info.DefinitionName = all[at].DefinitionName;
        all[at] = info;
    } else {
        all << info;
        at = int(all.size()) - 1;
    }
    FillDefinitions(at);
}

void CPrintSetSealPage::DeleteDefinition()
{
    const int index = m_definitions->currentIndex();
    if (index <= 0 || index >= m_print.SealPaperInfo.size())
        return;
    const QString question =
        QString::fromUtf8("%1 を削除してもよろしいですか?").arg(m_print.SealPaperInfo[index].DefinitionName);
    if (m_messages.Show(this, question, QString::fromUtf8("タックシール用紙設定削除確認"),
                        QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        return;
    m_print.SealPaperInfo.removeAt(index);
    FillDefinitions(index - 1);
    ChooseDefinition(index - 1);
}

void CPrintSetSealPage::ChooseFromCatalogue()
{
    if (!m_catalogueData) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        auto catalogue = std::make_unique<CLabelCatalogue>();
        const bool loaded = catalogue->Load(m_catalogueFolder) && !catalogue->Sheets().isEmpty();
        QApplication::restoreOverrideCursor();
        if (!loaded) {
            m_messages.Show(
                this,
                QString::fromUtf8("市販のラベル用紙の一覧がインストールされていません。\n"
                                  "glabels-data パッケージを入れると、メーカーと品番で用紙を選べます。"),
                QString::fromUtf8("タックシール"), QMessageBox::Information);
            return;
        }
        m_catalogueData = std::move(catalogue);
    }
    CLabelSheetDlg dialog(m_catalogueData->Sheets(), this);
    if (dialog.exec() == QDialog::Accepted && dialog.Chosen())
        ApplySheet(*dialog.Chosen());
}

void CPrintSetSealPage::ApplySheet(const LabelSheet &sheet)
{
    m_print.SizeAspects = QSize(sheet.columns, PrintFieldRules::LimitGrid(sheet.rows, sheet.columns));
    m_print.SizeSeal = QSize(sheet.labelWidth, sheet.labelHeight);
    m_print.SizeSealsDistance = QSize(sheet.gapX, sheet.gapY);
    m_print.RectSealMargin = sheet.margins;
    if (sheet.paperCode != 0)
        m_print.ApplyPaper(sheet.paperCode, 1);
    Load();
    // A name to save it under, ready in the box.
    m_definitions->setEditText(sheet.brand + QLatin1Char(' ') + sheet.part);
    emit PaperChanged();
}
