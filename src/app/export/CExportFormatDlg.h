#pragma once

#include "ExportFormat.h"

#include <QDialog>

class QCheckBox;
class QRadioButton;

// "エクスポート形式": CSV (the column dialog follows), vCard 3.0 or vCard 2.1, and
// for vCard whether the pictures go along. Starts from the given choice.
class CExportFormatDlg : public QDialog
{
    Q_OBJECT

public:
    explicit CExportFormatDlg(const ExportFormat &start, QWidget *parent = nullptr);

    ExportFormat Format() const;
    QRadioButton *Choice(ExportFormat::Kind kind) const { return m_choices[kind]; }
    QCheckBox *Photos() const { return m_photos; }

private:
    QRadioButton *m_choices[3];
    QCheckBox *m_photos;
};
