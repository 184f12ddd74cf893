#pragma once

#include <QDialog>

// "バージョン情報": the program's name and "Ver. major.minor patch".
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int MinimumWidth = 320;

    explicit CAboutDlg(QWidget *parent = nullptr);
    // "Ver. %d.%d%d" (version 1.0.1 reads "Ver. 1.01").
    static QString VersionText(int major, int minor, int patch);
    static QString VersionText();
};
