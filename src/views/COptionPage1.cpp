#include "COptionPage1.h"

#include "IMessageBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
const char *const Honorifics[] = {"様", "殿", "御中", "行", "宛"};
const char *const ThemeNames[] = {"ブルー",   "グレー",   "バイオレット", "ピンク",
                                  "オレンジ", "イエロー", "グリーン"};
constexpr int ThemeCount = 7;
} // namespace

COptionPage1::COptionPage1(const OptionRecord &values, IMessageBox *messages, QWidget *parent)
    : QWidget(parent), m_initial(values), m_messages(messages)
{
    setWindowTitle(QStringLiteral("設定"));
    opening = new QCheckBox(QStringLiteral("ｵｰﾌﾟﾆﾝｸﾞ画面を表示しない"), this);
    autoYomi = new QCheckBox(QStringLiteral("ﾖﾐ/会社名を自動でつける"), this);

    auto *mail = new QGroupBox(QStringLiteral("メール"), this);
    mailCompany = new QCheckBox(QStringLiteral("会社名"), mail);
    mailDepartment = new QCheckBox(QStringLiteral("部署名"), mail);
    mailName = new QCheckBox(QStringLiteral("名前"), mail);
    honorificLabel = new QLabel(QStringLiteral("敬称"), mail);
    honorific = new QComboBox(mail);
    for (const char *text : Honorifics)
        honorific->addItem(QString::fromUtf8(text));
    auto *mailLayout = new QHBoxLayout(mail);
    for (QWidget *w : {static_cast<QWidget *>(mailCompany), static_cast<QWidget *>(mailDepartment),
                       static_cast<QWidget *>(mailName), static_cast<QWidget *>(honorificLabel),
                       static_cast<QWidget *>(honorific)})
        mailLayout->addWidget(w);
    mailLayout->addStretch();

    auto *edit = new QGroupBox(QStringLiteral("編集"), this);
    separateAddress = new QCheckBox(QStringLiteral("住所を県市町村等に分ける"), edit);
    separateName = new QCheckBox(QStringLiteral("姓と名を分ける"), edit);
    auto *editLayout = new QHBoxLayout(edit);
    editLayout->addWidget(separateAddress);
    editLayout->addWidget(separateName);
    editLayout->addStretch();

    auto *exportBox = new QGroupBox(QStringLiteral("個別ｴｸｽﾎﾟｰﾄ時のﾌｧｲﾙ名"), this);
    exportNameCompany = new QCheckBox(QStringLiteral("会社名"), exportBox);
    exportNameDate = new QCheckBox(QStringLiteral("更新日"), exportBox);
    auto *exportLayout = new QHBoxLayout(exportBox);
    exportLayout->addWidget(new QLabel(QStringLiteral("名前　＋"), exportBox));
    exportLayout->addWidget(exportNameCompany);
    exportLayout->addWidget(exportNameDate);
    exportLayout->addStretch();

    skipCheckFixedData = new QCheckBox(
        QStringLiteral("『修正済み』にチェックされているアイテムは重複確認の対象としない"), this);

    auto *connection = new QGroupBox(QStringLiteral("接続"), this);
    serialPort = new QComboBox(connection);
    serialPort->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    hideConnectConf = new QCheckBox(QStringLiteral("接続確認画面を表示しない"), connection);
    auto *connectionLayout = new QHBoxLayout(connection);
    connectionLayout->addWidget(new QLabel(QStringLiteral("ｼﾘｱﾙﾎﾟｰﾄ"), connection));
    connectionLayout->addWidget(serialPort);
    connectionLayout->addWidget(hideConnectConf);
    connectionLayout->addStretch();

    auto *thumbnails = new QGroupBox(QStringLiteral("ｻﾑﾈｲﾙ"), this);
    thumbnailSize = new QComboBox(thumbnails);
    thumbnailSize->addItems({QStringLiteral("小"), QStringLiteral("中"), QStringLiteral("大")});
    auto *thumbnailLayout = new QHBoxLayout(thumbnails);
    thumbnailLayout->addWidget(new QLabel(QStringLiteral("表示ｻｲｽﾞ"), thumbnails));
    thumbnailLayout->addWidget(thumbnailSize);
    thumbnailLayout->addStretch();

    auto *theme = new QGroupBox(QStringLiteral("ﾃｰﾏ設定"), this);
    skinColor = new QComboBox(theme);
    for (const char *text : ThemeNames)
        skinColor->addItem(QString::fromUtf8(text));
    colorSample = new QLabel(theme);
    colorSample->setFixedSize(48, 20);
    colorSample->setAutoFillBackground(true);
    colorSample->setFrameShape(QFrame::Box);
    auto *themeLayout = new QHBoxLayout(theme);
    themeLayout->addWidget(new QLabel(QStringLiteral("色"), theme));
    themeLayout->addWidget(skinColor);
    themeLayout->addWidget(colorSample);
    themeLayout->addStretch();

    auto *layout = new QVBoxLayout(this);
    for (QWidget *w :
         {static_cast<QWidget *>(opening), static_cast<QWidget *>(autoYomi), static_cast<QWidget *>(mail),
          static_cast<QWidget *>(edit), static_cast<QWidget *>(exportBox),
          static_cast<QWidget *>(skipCheckFixedData), static_cast<QWidget *>(connection),
          static_cast<QWidget *>(thumbnails), static_cast<QWidget *>(theme)})
        layout->addWidget(w);
    layout->addStretch();

    opening->setChecked(values.opening);
    autoYomi->setChecked(values.autoYomi);
    mailCompany->setChecked(values.mailCompany);
    mailDepartment->setChecked(values.mailDepartment);
    mailName->setChecked(values.mailName);
    if (honorific->findText(values.mailHonorific) < 0)
        honorific->addItem(values.mailHonorific); // keep a text written by hand in the settings file
    honorific->setCurrentText(values.mailHonorific);
    separateAddress->setChecked(values.separateAddress);
    separateName->setChecked(values.separateName);
    exportNameCompany->setChecked(values.exportNameCompany);
    exportNameDate->setChecked(values.exportNameDate);
    skipCheckFixedData->setChecked(values.skipCheckFixedData);
    SetSerialPortTexts({});
    hideConnectConf->setChecked(values.hideConnectConf);
    thumbnailSize->setCurrentIndex(OptionRecord::ThumbnailPixels(values.thumbnailSizeType) / 50 - 1);
    // A custom colour has no entry; the list then shows nothing until a preset is chosen.
    skinColor->setCurrentIndex(
        values.skinColorType >= 0 && values.skinColorType < ThemeCount ? values.skinColorType : -1);
    ShowSample(values.SkinColorFor(values.skinColorType));

    connect(mailCompany, &QCheckBox::clicked, this, &COptionPage1::UpdateEnabling);
    connect(mailDepartment, &QCheckBox::clicked, this, &COptionPage1::UpdateEnabling);
    connect(mailName, &QCheckBox::clicked, this, &COptionPage1::UpdateEnabling);
    connect(separateAddress, &QCheckBox::clicked, this, [this](bool on) {
        AskSeparating(separateAddress, on,
                      QStringLiteral(
                          "再度、住所を分ける設定に戻した場合、分離できない場合があります。よろしいですか？"),
                      QStringLiteral("既に統合された住所は分離できません。よろしいですか？"));
    });
    connect(separateName, &QCheckBox::clicked, this, [this](bool on) {
        AskSeparating(
            separateName, on,
            QStringLiteral(
                "再度、姓と名を分ける設定に戻した場合、正しく分離できない場合があります。よろしいですか？"),
            QStringLiteral("姓と名を正しく分離できない場合があります。よろしいですか？"));
    });
    connect(skinColor, &QComboBox::activated, this, [this](int type) {
        const QColor color = m_initial.SkinColorFor(type);
        ShowSample(color);
        emit ThemeColorChosen(color);
    });
    UpdateEnabling();
}

void COptionPage1::SetSerialPortTexts(const QStringList &ports)
{
    const int stored = m_initial.serialPort;
    serialPort->clear();
    serialPort->addItem(QStringLiteral("自動取得"), 0);
    for (int n = 1; n <= ports.size(); ++n)
        serialPort->addItem(ports[n - 1], n);
    if (stored != 0 && (stored < 1 || stored > ports.size()))
        serialPort->addItem(QStringLiteral("%1: (ポートなし)").arg(stored), stored);
    serialPort->setCurrentIndex(serialPort->findData(stored));
}

void COptionPage1::UpdateEnabling()
{
    mailDepartment->setEnabled(mailCompany->isChecked());
    honorificLabel->setEnabled(mailName->isChecked());
    honorific->setEnabled(mailName->isChecked());
}

void COptionPage1::AskSeparating(QCheckBox *box, bool nowOn, const QString &toOff, const QString &toOn)
{
    if (m_messages->Show(this, nowOn ? toOn : toOff, QStringLiteral("オプション"), QMessageBox::Warning,
                         QMessageBox::Yes | QMessageBox::No) != QMessageBox::Yes)
        box->setChecked(!nowOn);
}

void COptionPage1::ShowSample(const QColor &color)
{
    QPalette palette = colorSample->palette();
    palette.setColor(QPalette::Window, color);
    colorSample->setPalette(palette);
}

OptionRecord COptionPage1::Values() const
{
    OptionRecord values = m_initial;
    values.opening = opening->isChecked();
    values.autoYomi = autoYomi->isChecked();
    values.mailCompany = mailCompany->isChecked();
    values.mailDepartment = mailDepartment->isChecked();
    values.mailName = mailName->isChecked();
    values.mailHonorific = honorific->currentText();
    values.separateAddress = separateAddress->isChecked();
    values.separateName = separateName->isChecked();
    values.exportNameCompany = exportNameCompany->isChecked();
    values.exportNameDate = exportNameDate->isChecked();
    values.skipCheckFixedData = skipCheckFixedData->isChecked();
    values.serialPort = serialPort->currentData().toInt();
    values.hideConnectConf = hideConnectConf->isChecked();
    values.thumbnailSizeType = thumbnailSize->currentIndex();
    if (skinColor->currentIndex() >= 0)
        values.skinColorType = skinColor->currentIndex();
    return values;
}
