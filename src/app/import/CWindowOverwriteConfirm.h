#pragma once

#include "IOverwriteConfirm.h"

class QWidget;

// Asks the overwrite question on the user-interface thread and blocks the
// import worker until it is answered.
class CWindowOverwriteConfirm : public IOverwriteConfirm
{
public:
    explicit CWindowOverwriteConfirm(QWidget *parent) : m_parent(parent) {}

    OverwriteAnswer AskOverwrite(const CCardData &stored, const CCardData &incoming,
                                 const QString &sourceName) override;

private:
    QWidget *m_parent;
};
