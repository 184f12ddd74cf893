#include "CExportFormatDlg.h"

#include "OkCancelButtons.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

CExportFormatDlg::CExportFormatDlg(const ExportFormat &start, QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8("エクスポート形式"));
    auto *layout = new QVBoxLayout(this);
    auto *box = new QGroupBox(QString::fromUtf8("ファイルの形式"), this);
    auto *boxLayout = new QVBoxLayout(box);
    const struct
    {
        ExportFormat::Kind kind;
        const char *text;
        const char *note;
    } choices[] = {
        {ExportFormat::Csv, "CSV", "表計算ソフトなどへ。出力する項目を次に選びます。"},
        {ExportFormat::VCard30, "vCard 3.0 (UTF-8)", "スマートフォンや他のアドレス帳へ。"},
        {ExportFormat::VCard21, "vCard 2.1 (Shift_JIS)",
         "携帯電話やメモリーカードへ。このプログラムで読み込むと元の名刺に戻ります。"},
    };
    auto *group = new QButtonGroup(this);
    for (const auto &choice : choices) {
        auto *button = new QRadioButton(QString::fromUtf8(choice.text), box);
        auto *note = new QLabel(QString::fromUtf8(choice.note), box);
        note->setWordWrap(true);
        note->setIndent(24);
        boxLayout->addWidget(button);
        boxLayout->addWidget(note);
        group->addButton(button, choice.kind);
        m_choices[choice.kind] = button;
    }
    layout->addWidget(box);
    m_photos = new QCheckBox(QString::fromUtf8("写真を含める (名刺画像と人物写真)"), this);
    layout->addWidget(m_photos);
    layout->addWidget(OkCancelButtons(this));
    setMinimumWidth(540); // each note on one line

    m_choices[start.kind]->setChecked(true);
    m_photos->setChecked(start.photos);
    // Pictures go only into vCard files.
    const auto follow = [this] { m_photos->setEnabled(!m_choices[ExportFormat::Csv]->isChecked()); };
    connect(group, &QButtonGroup::idToggled, this, follow);
    follow();
}

ExportFormat CExportFormatDlg::Format() const
{
    ExportFormat format;
    for (ExportFormat::Kind kind : {ExportFormat::Csv, ExportFormat::VCard30, ExportFormat::VCard21}) {
        if (m_choices[kind]->isChecked())
            format.kind = kind;
    }
    format.photos = format.IsVCard() && m_photos->isChecked();
    return format;
}
