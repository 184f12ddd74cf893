#pragma once

#include "CPrint.h"
#include "CPrintPreviewWnd.h"

#include <QDialog>
#include <QList>
#include <QStringList>
#include <memory>

class CCardData;
class CPageSpin;
class CPrintPreviewFrame;
class CPrintSetListPage;
class CPrintSetSealPage;
class CPrintingDialog;
class IMessageBox;
class IPrintSystem;
class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTabWidget;
struct PrintSettings;

// "印刷": the printer and its state, the list and label setting pages, the
// page range, preview and printing. Works on a CPrint of its own; only 閉じる
// (or Enter) stores it back into the settings, and the dialog's result is
// then Accepted.
class CPrintDlg : public QDialog
{
    Q_OBJECT

public:
    // cards: the list's current tab in its order; title: the management
    // file's name, also the print job's; catalogueFolder: the makers' label
    // sheets. The dialog's parent is the main window the preview covers.
    CPrintDlg(PrintSettings &settings, const QList<CCardData *> &cards, IPrintSystem *system,
              IMessageBox &messages, const QString &title, const QString &catalogueFolder,
              QWidget *parent = nullptr);
    ~CPrintDlg() override;

    // The opening checks (a marked card, a printer, its information), each
    // told when it fails; then the dialog is filled. Show it only after true.
    bool Prepare();

    CPrint &Print() { return m_print; }
    int PageCount() const { return m_pageCount; }
    CPrintPreviewFrame *PreviewFrame() const { return m_frame.get(); }
    CPrintSetListPage *ListPage() const { return m_listPage; }
    CPrintSetSealPage *SealPage() const { return m_sealPage; }
    QTabWidget *Tabs() const { return m_tabs; }
    QComboBox *Printers() const { return m_printers; }
    QLabel *StateText() const { return m_state; }
    QLabel *PaperText() const { return m_paper; }
    QLabel *OrientationText() const { return m_orientation; }
    QLabel *FontText() const { return m_font; }
    QPushButton *PropertiesButton() const { return m_properties; }
    QPushButton *FontButton() const { return m_fontButton; }
    QRadioButton *AllPages() const { return m_all; }
    QRadioButton *SomePages() const { return m_some; }
    CPageSpin *FromField() const { return m_from; }
    CPageSpin *ToField() const { return m_to; }
    QPushButton *PreviewButton() const { return m_previewButton; }
    QPushButton *PrintButton() const { return m_printButton; }
    QPushButton *CloseButton() const { return m_closeButton; }
    QPushButton *HelpButton() const { return m_helpButton; }

signals:
    void HelpRequested();
    // A job is about to start behind this window.
    void PrintingStarted(CPrintingDialog *window);

private:
    void BuildPages();
    void RefreshPrinterTexts();
    // Opens the chosen printer again with its device settings; told when it fails.
    bool SelectPrinterAgain();
    // The margins of the current mode against the paper; true when the
    // action may go on.
    bool CheckMarginsForAction();
    void Recount();
    void ShowRange();
    void UpdateActionButtons();
    void OnTabChanged(int index);
    void OnPrinterChosen(int index);
    void OnProperties();
    void OnFont();
    void OnRangeMode(int mode);
    void OnFromEdited(const QString &text);
    void OnToEdited(const QString &text);
    void OnPreview();
    void OnPrint();
    void OnClose();
    void StartPreview();
    void EndPreview();
    void PrinterSetupFromPreview();
    void PrintNow();

    PrintSettings &m_settings;
    QList<CCardData *> m_cards;
    IMessageBox &m_messages;
    QString m_title;
    QString m_catalogueFolder;
    CPrint m_print;
    CPrintPreviewWnd m_counter; // paginates for the page count
    QStringList m_printerNames;
    int m_pageCount = 1;
    int m_rangeMode = 0; // 0 すべて, 1 ページ指定
    bool m_updatingRange = false;
    std::unique_ptr<CPrintPreviewFrame> m_frame;

    QComboBox *m_printers;
    QLabel *m_state;
    QLabel *m_paper;
    QLabel *m_orientation;
    QLabel *m_font;
    QPushButton *m_properties;
    QPushButton *m_fontButton;
    QTabWidget *m_tabs;
    CPrintSetListPage *m_listPage = nullptr;
    CPrintSetSealPage *m_sealPage = nullptr;
    QRadioButton *m_all;
    QRadioButton *m_some;
    CPageSpin *m_from;
    CPageSpin *m_to;
    QPushButton *m_previewButton;
    QPushButton *m_printButton;
    QPushButton *m_closeButton;
    QPushButton *m_helpButton;
};
