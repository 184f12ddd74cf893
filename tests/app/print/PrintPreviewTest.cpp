// The preview window and printing from the dialog, on fake printers.
#include "CPageSpin.h"
#include "CPrintPreviewFrame.h"
#include "CPrintPreviewView.h"
#include "CPrintSetSealPage.h"
#include "CPrintingDialog.h"
#include "PrintWindowsFixture.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTabWidget>

namespace {

class PrintPreview : public PrintWindows
{
protected:
    QPushButton *Button(CPrintPreviewOperator::Command c) { return Frame()->Operator()->ButtonOf(c); }
    CPrintPreviewFrame *Frame() { return dialog->PreviewFrame(); }
    // Which of <<, <, >, >> are enabled.
    QList<bool> Turning()
    {
        return {Button(CPrintPreviewOperator::FirstPage)->isEnabled(),
                Button(CPrintPreviewOperator::PreviousPage)->isEnabled(),
                Button(CPrintPreviewOperator::NextPage)->isEnabled(),
                Button(CPrintPreviewOperator::LastPage)->isEnabled()};
    }
    void LabelMode() { dialog->Tabs()->setCurrentIndex(1); }
};

} // namespace

TEST_F(PrintPreview, AOnePagePreviewTurnsNoPage)
{
    AddCards(3);
    ASSERT_TRUE(Open());
    dialog->PreviewButton()->click();
    ASSERT_TRUE(Frame()->isVisible());
    EXPECT_FALSE(dialog->isEnabled());
    EXPECT_EQ(Frame()->windowTitle(), QStringLiteral("名刺一覧"));
    EXPECT_EQ(Frame()->geometry(), main.geometry());
    EXPECT_EQ(Turning(), QList<bool>({false, false, false, false}));
    EXPECT_EQ(Frame()->Operator()->PageText(), QStringLiteral("1"));
    EXPECT_EQ(Frame()->Operator()->LastPageText(), QStringLiteral("1"));
    EXPECT_TRUE(Button(CPrintPreviewOperator::ZoomIn)->isEnabled());
    EXPECT_FALSE(Button(CPrintPreviewOperator::ZoomOut)->isEnabled());

    Button(CPrintPreviewOperator::Close)->click();
    EXPECT_FALSE(Frame()->isVisible());
    EXPECT_TRUE(dialog->isEnabled());
}

TEST_F(PrintPreview, PagesTurnWithinTheRangeAndTheButtonsFollow)
{
    AddCards(40); // ten 2 × 2 sheets
    ASSERT_TRUE(Open());
    LabelMode();
    dialog->SomePages()->click();
    dialog->FromField()->lineEdit()->selectAll();
    TypeText(dialog->FromField()->lineEdit(), QStringLiteral("3"));
    dialog->ToField()->lineEdit()->selectAll();
    TypeText(dialog->ToField()->lineEdit(), QStringLiteral("6"));
    dialog->PreviewButton()->click();
    CPrintPreviewView *view = Frame()->View();
    EXPECT_EQ(view->Page(), 3);
    EXPECT_EQ(Frame()->Operator()->LastPageText(), QStringLiteral("6"));
    EXPECT_EQ(Turning(), QList<bool>({false, false, true, true}));
    Button(CPrintPreviewOperator::NextPage)->click();
    EXPECT_EQ(view->Page(), 4);
    EXPECT_EQ(Turning(), QList<bool>({true, true, true, true}));
    Button(CPrintPreviewOperator::LastPage)->click();
    EXPECT_EQ(Frame()->Operator()->PageText(), QStringLiteral("6"));
    EXPECT_EQ(Turning(), QList<bool>({true, true, false, false}));
    Button(CPrintPreviewOperator::FirstPage)->click();
    EXPECT_EQ(view->Page(), 3);

    // The whole page: the scroll bar turns pages, a screen is a tenth of the range.
    QScrollBar *bar = view->verticalScrollBar();
    EXPECT_EQ(bar->minimum(), 3);
    EXPECT_EQ(bar->maximum(), 6);
    EXPECT_EQ(bar->pageStep(), 1); // (6 − 3 + 9) ÷ 10
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(view->Page(), 4);
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ(view->Page(), 6);
    EXPECT_EQ(Turning(), QList<bool>({true, true, false, false}));
}

TEST_F(PrintPreview, ThreeZoomStatesWithTheirButtons)
{
    AddCards(2);
    ASSERT_TRUE(Open());
    dialog->PreviewButton()->click();
    CPrintPreviewView *view = Frame()->View();
    const double whole = view->Scale();
    Button(CPrintPreviewOperator::ZoomIn)->click();
    EXPECT_EQ(view->Zoom(), 1);
    const double wide = view->Scale();
    EXPECT_GE(wide, 1.5 * whole);
    EXPECT_TRUE(Button(CPrintPreviewOperator::ZoomOut)->isEnabled());
    Button(CPrintPreviewOperator::ZoomIn)->click();
    EXPECT_EQ(view->Zoom(), 2);
    EXPECT_DOUBLE_EQ(view->Scale(), 2 * wide);
    EXPECT_FALSE(Button(CPrintPreviewOperator::ZoomIn)->isEnabled());
    // Zoomed in, the scroll bar moves the picture, not the page.
    EXPECT_EQ(view->verticalScrollBar()->minimum(), 0);
    EXPECT_GT(view->verticalScrollBar()->maximum(), 0);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    EXPECT_EQ(view->Page(), 1);
    Button(CPrintPreviewOperator::ZoomOut)->click();
    Button(CPrintPreviewOperator::ZoomOut)->click();
    EXPECT_EQ(view->Zoom(), 0);
    EXPECT_DOUBLE_EQ(view->Scale(), whole);
}

TEST_F(PrintPreview, ThePreviewDrawsThePrintedPage)
{
    AddCards(2);
    ASSERT_TRUE(Open());
    dialog->PreviewButton()->click();
    // Something dark on the white page: the titles and rows were drawn.
    const QImage shot = Frame()->View()->PageImage();
    EXPECT_EQ(shot.size(),
              QSize(qRound(210 * Frame()->View()->Scale()), qRound(297 * Frame()->View()->Scale())));
    int dark = 0;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            dark += qGray(shot.pixel(x, y)) < 160 ? 1 : 0;
    EXPECT_GT(dark, 50);
}

TEST_F(PrintPreview, WhenActiveTheFocusGoesToPrintUnlessItIsInTheToolBar)
{
    AddCards(2);
    ASSERT_TRUE(Open());
    dialog->PreviewButton()->click();
    Frame()->View()->setFocus();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(Frame(), &activate);
    EXPECT_EQ(Frame()->focusWidget(), Button(CPrintPreviewOperator::Print));
    Button(CPrintPreviewOperator::ZoomIn)->setFocus();
    QApplication::sendEvent(Frame(), &activate);
    EXPECT_EQ(Frame()->focusWidget(), Button(CPrintPreviewOperator::ZoomIn));
}

TEST_F(PrintPreview, PrinterSetupFromThePreviewRefreshesTheDialogAndTheRange)
{
    AddCards(150); // a list of two pages in portrait
    ASSERT_TRUE(Open());
    dialog->PreviewButton()->click();
    ASSERT_EQ(Frame()->Operator()->LastPageText(), QStringLiteral("2"));
    Button(CPrintPreviewOperator::PrinterSetup)->click(); // landscape: fewer rows a page
    EXPECT_EQ(printers.propertiesShown, 1);
    EXPECT_EQ(dialog->OrientationText()->text(), QStringLiteral("横"));
    EXPECT_GT(Frame()->Operator()->LastPageText().toInt(), 2);
    EXPECT_EQ(Frame()->View()->Page(), 1);
    EXPECT_TRUE(Frame()->isVisible());
}

TEST_F(PrintPreview, PrintFromThePreviewSendsEveryPageOfTheRange)
{
    AddCards(9);
    ASSERT_TRUE(Open());
    LabelMode();
    QList<int> shown;
    QString document, printer, port;
    QObject::connect(dialog.get(), &CPrintDlg::PrintingStarted, [&](CPrintingDialog *w) {
        EXPECT_EQ(w->windowTitle(), QStringLiteral("印刷中"));
        for (QLabel *l : w->findChildren<QLabel *>())
            document += l->text() + QLatin1Char('|');
        QObject::connect(w, &CPrintingDialog::PageShown, [&shown](int page) { shown << page; });
    });
    dialog->PreviewButton()->click();
    Button(CPrintPreviewOperator::Print)->click();
    EXPECT_FALSE(Frame()->isVisible());
    EXPECT_TRUE(dialog->isEnabled());
    EXPECT_EQ(shown, QList<int>({1, 2, 3}));
    ASSERT_EQ(printers.jobs.size(), 1);
    EXPECT_EQ(printers.jobs[0], QStringList({"start 名刺一覧", "page", "page", "page last", "end"}));
    for (const char *part :
         {"ドキュメント :|名刺一覧|", "ページ :|", "プリンタ :|Office|", "ポート :|fake:/Office|"})
        EXPECT_TRUE(document.contains(QString::fromUtf8(part))) << qPrintable(document);
}

TEST_F(PrintPreview, CancelWhileTheFirstPageShowsSendsThatPageOnly)
{
    AddCards(20);
    ASSERT_TRUE(Open());
    LabelMode();
    QObject::connect(dialog.get(), &CPrintDlg::PrintingStarted, [](CPrintingDialog *w) {
        QObject::connect(w, &CPrintingDialog::PageShown, w, [w](int page) {
            if (page == 1)
                w->CancelButton()->click();
        });
    });
    dialog->PrintButton()->click();
    ASSERT_EQ(printers.jobs.size(), 1);
    EXPECT_EQ(printers.jobs[0], QStringList({"start 名刺一覧", "page", "abort"}));
    EXPECT_TRUE(messages.shown.isEmpty());
}

TEST_F(PrintPreview, AFailedPageShowsTheJobsStatusAndARefusedJobIsTold)
{
    AddCards(20);
    ASSERT_TRUE(Open());
    LabelMode();
    printers.failPage = 2;
    printers.failStatus = 64;
    dialog->PrintButton()->click();
    EXPECT_EQ(dialog->StateText()->text(), QStringLiteral("紙切れ"));
    ASSERT_EQ(printers.jobs.size(), 1);
    EXPECT_EQ(printers.jobs[0].last(), QStringLiteral("abort"));

    printers.failPage = 0;
    printers.refuse = true;
    dialog->PrintButton()->click();
    EXPECT_EQ(messages.Texts(), QStringList({QStringLiteral("Could not start print job.")}));
    EXPECT_EQ(messages.shown[0].caption, QStringLiteral("印刷"));
}
