#include <QApplication>
#include <QLabel>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLabel label(QString::fromUtf8("Tessaly 名刺管理"));
    label.setMinimumSize(640, 480);
    label.setAlignment(Qt::AlignCenter);
    label.show();
    return app.exec();
}
