#pragma once

#include <QWidget>
#include <memory>

class CLabelCatalogue;
class CLengthEdit;
class CPrint;
class IMessageBox;
class QComboBox;
class QLineEdit;
class QPushButton;
struct LabelSheet;

// The "タックシール" page of the print dialog: the saved label-sheet
// definitions, the grid, label size, gaps, margins, the honorific and the
// printed items.
class CPrintSetSealPage : public QWidget
{
    Q_OBJECT

public:
    // catalogueFolder: where the makers' sheet catalogue is read from.
    CPrintSetSealPage(CPrint &print, IMessageBox &messages, const QString &catalogueFolder,
                      QWidget *parent = nullptr);
    ~CPrintSetSealPage() override;

    // Shows the values of the CPrint (the definition box keeps its text).
    void Load();
    // Takes a maker's sheet into the fields as if typed, and its paper.
    void ApplySheet(const LabelSheet &sheet);

    enum Field
    {
        Columns,
        Rows,
        LabelHeight,
        LabelWidth,
        GapVertical,
        GapHorizontal,
        MarginTop,
        MarginBottom,
        MarginLeft,
        MarginRight,
    };
    QLineEdit *FieldOf(Field f) const;
    QComboBox *Definitions() const { return m_definitions; }
    QLineEdit *LabelCount() const { return m_count; }
    QComboBox *Respect() const { return m_respect; }
    QPushButton *SaveButton() const { return m_save; }
    QPushButton *DeleteButton() const { return m_delete; }
    QPushButton *CatalogueButton() const { return m_catalogue; }
    QPushButton *EditItemsButton() const { return m_editItems; }

signals:
    // Something that can move a page break changed.
    void LayoutChanged();
    // The paper of the device settings changed (and so may the page count).
    void PaperChanged();
    void ItemsChanged();

private:
    void FillDefinitions(int select);
    void ChooseDefinition(int index);
    void SaveDefinition();
    void DeleteDefinition();
    void ChooseFromCatalogue();
    void OnCountEdited(Field field, const QString &text);
    void StoreLength(Field field, int value);
    void ShowCount();

    CPrint &m_print;
    IMessageBox &m_messages;
    QString m_catalogueFolder;
    std::unique_ptr<CLabelCatalogue> m_catalogueData; // read when first asked for
    QComboBox *m_definitions;
    QPushButton *m_save;
    QPushButton *m_delete;
    QPushButton *m_catalogue;
    QLineEdit *m_count;
    QLineEdit *m_columns;
    QLineEdit *m_rows;
    CLengthEdit *m_lengths[8]; // LabelHeight … MarginRight
    QComboBox *m_respect;
    QPushButton *m_editItems;
};
