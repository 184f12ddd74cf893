#include "CCardListView.h"
#include "CCardStore.h"
#include "CCupsPrintSystem.h"
#include "CLabelCatalogue.h"
#include "CMainFrame.h"
#include "CPrintDlg.h"
#include "CSettings.h"

#include <QFileInfo>
#include <QMainWindow>

// The print command of the main frame.

void CMainFrame::OnPrint()
{
    if (!m_printSystem) {
        m_cupsPrinters = std::make_unique<CCupsPrintSystem>();
        m_printSystem = m_cupsPrinters.get();
    }
    CPrintDlg dialog(m_settings.print, m_list->CurrentSequence(), m_printSystem, m_messages,
                     QFileInfo(m_store->Path()).completeBaseName(), CLabelCatalogue::DefaultFolder(),
                     m_window);
    connect(&dialog, &CPrintDlg::HelpRequested, this, &CMainFrame::OnHelp);
    if (!dialog.Prepare())
        return;
    // Stored at once: a crash later must not cost the label sheets just saved.
    if (dialog.exec() == QDialog::Accepted)
        WriteSettings();
}
