#pragma once

#include "OptionRecord.h"

#include <QDialog>
#include <functional>

class COptionPage1;
class IMessageBox;

// "オプション": edits a copy of the option values; OK copies them back and has
// the settings file written at once.
//
// Wiring: give the application's option values and a function that writes the
// whole settings file; on Applied pass the values to the edit view (SetOptions);
// on ThumbnailSizeChanged rebuild the list's thumbnails.
class COptionSheet : public QDialog
{
    Q_OBJECT
public:
    COptionSheet(OptionRecord &values, std::function<bool()> writeSettings, IMessageBox *messages,
                 QWidget *parent = nullptr);

    // What OK does: copy back, write the settings file, tell the views.
    void Apply();
    COptionPage1 *Page() const { return m_page; }

signals:
    void Applied(const OptionRecord &values);
    void ThumbnailSizeChanged(int pixels);

protected:
    void done(int result) override;

private:
    OptionRecord &m_values;
    std::function<bool()> m_write;
    COptionPage1 *m_page;
    bool m_themeShown = false;
};
