#pragma once

#include "IOverwriteAsker.h"

class QWidget;

// Asks with CFileOverwriteConfDlg whether a file may be replaced: at once on
// the user-interface thread, and from a worker by handing the question to the
// user-interface thread and waiting for the answer.
class CWindowOverwriteAsker : public IOverwriteAsker
{
public:
    explicit CWindowOverwriteAsker(QWidget *parent) : m_parent(parent) {}

    Answer AskOverwrite(const QString &path, bool batch) override;

private:
    QWidget *m_parent;
};
