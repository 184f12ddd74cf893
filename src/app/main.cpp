#include "CQtMessageBox.h"
#include "CSkinStyle.h"
#include "CTessalyApp.h"
#include "QtJapanese.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tessaly"));
    QApplication::setOrganizationName(QStringLiteral("ORVANE"));
    QApplication::setStyle(new CSkinStyle);
    InstallQtJapanese(&app);
    CQtMessageBox messages;
    CTessalyApp program(messages);
    return program.Run();
}
