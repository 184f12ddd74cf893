#pragma once

#include <QComboBox>

// The kind editor of a phone or e-mail row: arrow keys step through the kinds in the
// closed box (QComboBox reports each step as a choice); Chosen is a pick from the open list.
class CEditKindBox : public QComboBox
{
    Q_OBJECT
public:
    explicit CEditKindBox(QWidget *parent = nullptr);

signals:
    void Chosen();

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    bool m_stepping = false;
};
