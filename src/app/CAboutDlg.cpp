#include "CAboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QString::fromUtf8("バージョン情報"));
    auto *icon = new QLabel;
    icon->setPixmap(windowIcon().pixmap(48, 48));
    auto *text = new QLabel(QString::fromUtf8("Tessaly 名刺管理\n%1").arg(VersionText()));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto *row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

QString CAboutDlg::VersionText(int major, int minor, int patch)
{
    return QString::asprintf("Ver. %d.%d%d", major, minor, patch);
}

QString CAboutDlg::VersionText()
{
    return VersionText(TESSALY_VERSION_MAJOR, TESSALY_VERSION_MINOR, TESSALY_VERSION_PATCH);
}
