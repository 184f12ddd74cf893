#pragma once

#include "OptionRecord.h"

#include <QStringList>
#include <QWidget>

class IMessageBox;
class QCheckBox;
class QComboBox;
class QLabel;

// The page "設定" of the options window: every option value with its control.
class COptionPage1 : public QWidget
{
    Q_OBJECT
public:
    COptionPage1(const OptionRecord &values, IMessageBox *messages, QWidget *parent = nullptr);

    // The values as the controls show them.
    OptionRecord Values() const;
    // The serial port list: "自動取得", then one text per port of the port
    // table (the n-th for SerialPort n). A stored number without a port stays
    // chosen as "n: (ポートなし)" so that OK keeps it.
    void SetSerialPortTexts(const QStringList &ports);

    QCheckBox *opening;
    QCheckBox *autoYomi;
    QCheckBox *mailCompany;
    QCheckBox *mailDepartment;
    QCheckBox *mailName;
    QLabel *honorificLabel;
    QComboBox *honorific;
    QCheckBox *separateAddress;
    QCheckBox *separateName;
    QCheckBox *exportNameCompany;
    QCheckBox *exportNameDate;
    QCheckBox *skipCheckFixedData;
    QComboBox *serialPort;
    QCheckBox *hideConnectConf;
    QComboBox *thumbnailSize;
    QComboBox *skinColor;
    QLabel *colorSample;

signals:
    // The chosen theme colour, to be shown at once.
    void ThemeColorChosen(const QColor &color);

private:
    void UpdateEnabling();
    void AskSeparating(QCheckBox *box, bool nowOn, const QString &toOff, const QString &toOn);
    void ShowSample(const QColor &color);

    OptionRecord m_initial;
    IMessageBox *m_messages;
};
