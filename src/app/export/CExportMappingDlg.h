#pragma once

#include "CsvItem.h"
#include "ExportMapping.h"

#include <QDialog>
#include <functional>

class IMessageBox;
class QCheckBox;
class QListWidget;

// "エクスポート項目設定": picks and orders the export columns, starting from
// the given mapping; mappings can be saved to and read from settings files.
class CExportMappingDlg : public QDialog
{
    Q_OBJECT

public:
    // Asks for a settings-file path (save: true for saving); empty: cancelled.
    using PathChooser = std::function<QString(bool save)>;

    CExportMappingDlg(const ExportMapping &start, const CheckListItems &checks, IMessageBox &messages,
                      PathChooser choosePath, QWidget *parent = nullptr);

    ExportMapping Mapping() const;
    QListWidget *Unused() const { return m_unused; }
    QListWidget *Used() const { return m_used; }

    void AddChosen();
    void AddEmptyColumn();
    void RemoveChosen();
    void Move(int step);
    void SaveSettings();
    void LoadSettings();

public Q_SLOTS:
    void accept() override;

private:
    void Show(const ExportMapping &mapping);
    void AddItem(QListWidget *list, int row, int id);

    CheckListItems m_checks;
    IMessageBox &m_messages;
    PathChooser m_choosePath;
    QListWidget *m_unused;
    QListWidget *m_used;
    QCheckBox *m_header;
};
