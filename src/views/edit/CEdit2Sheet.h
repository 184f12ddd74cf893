#pragma once

#include <QList>
#include <QWidget>

class CEditDateBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

// Page 2 of the edit view: group, address, home page, memo and dates.
class CEdit2Sheet : public QWidget
{
    Q_OBJECT
public:
    static constexpr int MinBoxWidth = 90; // below this the page scrolls sideways
    static constexpr int MinMemoLines = 4;

    explicit CEdit2Sheet(QWidget *parent = nullptr);

    // Five address part boxes, or the one-line address box.
    void SetSeparateAddress(bool separate);

    QComboBox *group;
    QPushButton *groupEdit;
    QLineEdit *zipCode;
    QLabel *addressLabel;
    QLineEdit *address;
    QLineEdit *country;
    QLineEdit *prefecture;
    QLineEdit *city;
    QLineEdit *street;
    QLineEdit *addressExtra;
    QList<QLabel *> addressPartLabels;
    QLineEdit *url;
    QPushButton *connectButton;
    QPlainTextEdit *memo;
    CEditDateBox *birthday;
    CEditDateBox *receivedDate;
    QLabel *registeredDate;
    QLabel *updatedDate;
};
