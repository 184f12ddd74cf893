#pragma once

#include <QStringList>
#include <QWidget>

class QComboBox;

// The quick-search box above the card list: an editable box listing the recent
// words; Enter or "検索" asks for the next card containing the word.
class CSearchBar : public QWidget
{
    Q_OBJECT

public:
    static constexpr int MaxWordLength = 2048;

    explicit CSearchBar(QWidget *parent = nullptr);

    QComboBox *Box() const { return m_box; }
    // Lists the recent words (newest first) and keeps the typed word.
    void ShowHistory(const QStringList &history);

Q_SIGNALS:
    void FindRequested(const QString &word);

private:
    QComboBox *m_box;
};
