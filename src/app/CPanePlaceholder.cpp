#include "CPanePlaceholder.h"

#include <QLabel>
#include <QVBoxLayout>

CPanePlaceholder::CPanePlaceholder(const QString &name, QWidget *parent) : QFrame(parent)
{
    setObjectName(name);
    setFrameShape(QFrame::StyledPanel);
    setFocusPolicy(Qt::StrongFocus);
    auto *label = new QLabel(name);
    label->setAlignment(Qt::AlignCenter);
    label->setEnabled(false);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(label);
}
