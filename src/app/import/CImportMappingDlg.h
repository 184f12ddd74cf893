#pragma once

#include "CsvItem.h"
#include "MappingEntry.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <functional>

class IMessageBox;
class QCheckBox;
class QComboBox;
class QTableWidget;

// The CSV import's column mapping: one row per column of the file with a tick
// box, its first- and second-row texts and the item it is read as; mappings can
// be saved to and read from settings files.
class CImportMappingDlg : public QDialog
{
    Q_OBJECT

public:
    // Asks for a settings-file path (save: true for saving); empty: cancelled.
    using PathChooser = std::function<QString(bool save)>;

    CImportMappingDlg(const QStringList &first, const QStringList &second, bool hasSecond,
                      const CheckListItems &checks, IMessageBox &messages, PathChooser choosePath,
                      QWidget *parent = nullptr);

    QList<MappingEntry> Columns() const;
    bool FirstRowIsHeader() const;
    QTableWidget *Table() const { return m_table; }
    QComboBox *ItemChoice(int column) const;

    void SaveSettings();
    void LoadSettings();

public Q_SLOTS:
    void accept() override;

private:
    void Apply(const QList<MappingEntry> &entries, bool firstRowIsHeader);

    CheckListItems m_checks;
    QList<int> m_offered;
    IMessageBox &m_messages;
    PathChooser m_choosePath;
    QTableWidget *m_table;
    QCheckBox *m_header;
};
