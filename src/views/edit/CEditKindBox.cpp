#include "CEditKindBox.h"

#include <QKeyEvent>
#include <QWheelEvent>

CEditKindBox::CEditKindBox(QWidget *parent) : QComboBox(parent)
{
    connect(this, &QComboBox::activated, this, [this] {
        if (!m_stepping)
            emit Chosen();
    });
}

void CEditKindBox::keyPressEvent(QKeyEvent *event)
{
    m_stepping = true;
    QComboBox::keyPressEvent(event);
    m_stepping = false;
}

void CEditKindBox::wheelEvent(QWheelEvent *event)
{
    m_stepping = true;
    QComboBox::wheelEvent(event);
    m_stepping = false;
}
