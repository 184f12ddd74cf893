#include "CAboutDlg.h"

#include "CToolIcons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

CAboutDlg::CAboutDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8("バージョン情報"));
    auto *icon = new QLabel;
    icon->setPixmap(CToolIcons::Make(CToolIcons::AppIcon).pixmap(48, 48));
    auto *name = new QLabel(QString::fromUtf8("Tessaly 名刺管理"));
    QFont larger = name->font();
    larger.setBold(true);
    larger.setPointSizeF(larger.pointSizeF() * 1.3);
    name->setFont(larger);
    auto *version = new QLabel(VersionText());
    auto *texts = new QVBoxLayout;
    texts->addWidget(name);
    texts->addWidget(version);
    texts->addStretch();
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *row = new QHBoxLayout;
    row->setSpacing(16);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(texts, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 12);
    layout->setSpacing(16);
    layout->addLayout(row);
    layout->addWidget(buttons);
    // The window manager draws the caption beside its buttons: leave room for it to show whole.
    const int captionWidth = QFontMetrics(larger).horizontalAdvance(windowTitle()) + 160;
    const QSize contents = sizeHint();
    setFixedSize(std::max({MinimumWidth, captionWidth, contents.width()}), contents.height());
}

QString CAboutDlg::VersionText(int major, int minor, int patch)
{
    return QString::asprintf("Ver. %d.%d%d", major, minor, patch);
}

QString CAboutDlg::VersionText()
{
    return VersionText(TESSALY_VERSION_MAJOR, TESSALY_VERSION_MINOR, TESSALY_VERSION_PATCH);
}
