#pragma once

#include "ImportCounters.h"
#include "ImportOptions.h"
#include "OverwriteAnswer.h"
#include "PreparedCard.h"
#include "VCardData.h"

#include <QByteArray>
#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class CCardData;
class CCheckArray;
class CCardFileWriter;
class CCardStore;
class IOverwriteConfirm;

// Merges cards from outside into the card store: new cards are added, a card
// of the same name is replaced or kept as the user answers, identical cards
// are skipped. One engine serves one run at a time, on one thread.
class CImportEngine
{
public:
    enum MergeResult
    {
        MergeAdded,
        MergeOverwritten,
        MergeSkipped,
        MergeFailed, // the store refused the card (writing failed)
    };

    // confirm may be null: same-named cards are then skipped.
    CImportEngine(CCardStore &store, const ImportOptions &options, IOverwriteConfirm *confirm);
    ~CImportEngine();
    CImportEngine(const CImportEngine &) = delete;
    CImportEngine &operator=(const CImportEngine &) = delete;

    // Starts a run: forgets the remembered answer and opens the management
    // file once for every write of the run. false when it cannot be opened
    // (Failure() says why).
    bool BeginRun();
    // Makes the run's writes durable; false when that failed.
    bool EndRun();
    // Why writing stopped the run, or empty. Once set, nothing more is merged.
    QString Failure() const { return m_failure; }

    CCardStore &Store() const { return m_store; }
    const ImportOptions &Options() const { return m_options; }

    void ResetRememberedAnswer() { m_remembered = AnswerNone; }
    OverwriteAnswer RememberedAnswer() const { return m_remembered; }

    MergeResult MergeCard(const CCardData &card, const QString &sourceName, ImportCounters &counters,
                          CCardData **stored = nullptr);
    // The same; an added card's texts are taken over, not shared.
    MergeResult MergeCard(CCardData &&card, const QString &sourceName, ImportCounters &counters,
                          CCardData **stored = nullptr);

    // One vCard file; fileDate is the file's date ("%Y/%m/%d" or eight digits).
    // true when the file was read and every entry could be taken.
    bool ImportVCardSource(const QString &path, const QString &photoFolder, const QString &sourceName,
                           const QString &fileDate, ImportCounters &counters);
    // A block of vCard text; only its first entry is imported.
    bool ImportVCardText(const QByteArray &text, const QString &photoFolder, const QString &sourceName,
                         const QString &fileDate, ImportCounters &counters);

    // Phone-book mode: splits the text into cards and keeps it for
    // ImportPhoneBookCard. Returns the number of cards, or -1 for broken text.
    int CountPhoneBook(const QByteArray &phoneBook);
    // Merges card index of the counted text. newerPort: the phone is of the
    // kind whose entries are always read in the newer form.
    bool ImportPhoneBookCard(int index, bool newerPort, const QString &photoFolder, ImportCounters &counters);

    // The date used in place of today's (tests).
    void SetToday(const QDate &today) { m_today = today; }

private:
    // movable: card itself when it may be taken over, else null.
    MergeResult Merge(const CCardData &card, CCardData *movable, const QString &sourceName,
                      ImportCounters &counters, CCardData **stored);
    // Finishes and maps one card-file entry; false for a malformed one.
    bool PrepareCard(VCARD_DATA &entry, const CCheckArray &checks, const QString &fileDate,
                     const QDate &today, CCardData &card) const;
    // Merges a prepared card and copies its photos; false ends the source.
    bool MergePrepared(PreparedCard &prepared, const QString &photoFolder, const QString &sourceName,
                       ImportCounters &counters);
    QDate Today() const;

    bool StoreFailed();
    bool CopyPhotosChecked(const QList<PROPERTY> &photos, const QString &photoFolder,
                           const CCardData &stored);

    CCardStore &m_store;
    ImportOptions m_options;
    IOverwriteConfirm *m_confirm;
    std::unique_ptr<CCardFileWriter> m_file;
    int m_sinceCommit = 0;
    QString m_failure;
    OverwriteAnswer m_remembered = AnswerNone;
    QDate m_today;
    QStringList m_phoneBookLines;
    QList<int> m_phoneBookBegins;
};
