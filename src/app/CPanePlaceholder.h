#pragma once

#include <QFrame>

// Holds the place of a pane that a later part of the program fills.
class CPanePlaceholder : public QFrame
{
    Q_OBJECT
public:
    explicit CPanePlaceholder(const QString &name, QWidget *parent = nullptr);
};
