#pragma once

#include <QWidget>

class CEditKindList;
class IMessageBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

// Page 1 of the edit view: names, readings, company, phones and e-mail.
class CEdit1Sheet : public QWidget
{
    Q_OBJECT
public:
    static constexpr int MinBoxWidth = 90; // below this the page scrolls sideways

    CEdit1Sheet(IMessageBox *messages, QWidget *parent = nullptr);

    // Separate family and given name boxes, or one box for the whole name.
    void SetSeparateName(bool separate);

    QLabel *nameLabel;
    QLineEdit *name;
    QLabel *yomiNameLabel;
    QLineEdit *yomiName;
    QLabel *lastNameLabel;
    QLineEdit *lastName;
    QLabel *firstNameLabel;
    QLineEdit *firstName;
    QLabel *yomiLastNameLabel;
    QLineEdit *yomiLastName;
    QLabel *yomiFirstNameLabel;
    QLineEdit *yomiFirstName;
    QPushButton *yomiButton;
    QLineEdit *company;
    QLineEdit *companyYomi;
    QLineEdit *department;
    QLineEdit *title;
    CEditKindList *phones;
    CEditKindList *mails;

private:
    QGridLayout *m_grid;
};
