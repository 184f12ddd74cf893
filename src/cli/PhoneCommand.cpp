#include "CCardStore.h"
#include "CConnectDoc.h"
#include "CImportEngine.h"
#include "COperationReport.h"
#include "CPhoneImportAdapter.h"
#include "CPortTable.h"
#include "CWorkFolder.h"
#include "CliImportSupport.h"
#include "CliRegistry.h"
#include "IOverwriteAsker.h"
#include "ImportSummary.h"
#include "PhoneTexts.h"

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <optional>

namespace {

enum ExitCode
{
    Ok = 0,
    Failed = 1,
    Usage = 2,
    Stopped = 130
};

std::atomic_bool g_interrupted{false};
CConnectDoc *g_doc = nullptr;

// Ctrl+C raises the document's flags directly (lock-free atomics), so even a
// read on this thread ends within a polling slice.
void OnInterrupt(int)
{
    g_interrupted = true;
    if (CConnectDoc *doc = g_doc)
        doc->RequestStop();
}

const char *KindText(PortKind kind)
{
    switch (kind) {
    case PortKind::FolderBrowsing:
        return "0 folder";
    case PortKind::Foma:
        return "1 phone-book (FOMA)";
    case PortKind::OtherObex:
        return "2 phone-book";
    case PortKind::OvModel:
        return "3 phone-book (OV)";
    default:
        return "4 not a phone";
    }
}

// Asks on the terminal; without an answer the file is kept.
class TerminalAsker : public IOverwriteAsker
{
public:
    TerminalAsker(QTextStream &err, bool always) : m_err(err), m_always(always) {}
    Answer AskOverwrite(const QString &path, bool batch) override
    {
        if (m_always)
            return YesToAll;
        m_err << path << " は既に存在します。上書きしますか？ "
              << (batch ? "[y]はい/[a]すべて上書き/[n]いいえ/[c]キャンセル: " : "[y]はい/[n]いいえ: ");
        m_err.flush();
        char line[64];
        if (!std::fgets(line, sizeof line, stdin))
            return No;
        switch (line[0]) {
        case 'y':
        case 'Y':
            return Yes;
        case 'a':
        case 'A':
            return batch ? YesToAll : No;
        case 'c':
        case 'C':
            return batch ? Cancel : No;
        default:
            return No;
        }
    }

private:
    QTextStream &m_err;
    bool m_always;
};

// Notes whether the phone book was read at all, so that a phone that sent
// nothing is reported as a failure rather than as an empty phone book.
class ReadWatch : public IPhoneImporter
{
public:
    explicit ReadWatch(IPhoneImporter &inner) : m_inner(inner) {}
    bool read = false;
    void ResetRememberedAnswer() override { m_inner.ResetRememberedAnswer(); }
    int CountVCards(const QByteArray &phoneBook, PortKind kind, const std::atomic_bool &cancel) override
    {
        const int count = m_inner.CountVCards(phoneBook, kind, cancel);
        read = count >= 0;
        return count;
    }
    bool ImportPhoneBookCard(int index, PhoneCounters &counters) override
    {
        return m_inner.ImportPhoneBookCard(index, counters);
    }
    bool ImportVCardSource(const QString &path, const QString &photoFolder, const QString &sourceName,
                           const QString &fileDate, PhoneCounters &counters) override
    {
        return m_inner.ImportVCardSource(path, photoFolder, sourceName, fileDate, counters);
    }

private:
    IPhoneImporter &m_inner;
};

// Runs one worker and waits for its end, relaying progress texts; the failure
// of a connect that did not connect.
std::optional<PhoneFailure> RunWorker(CConnectDoc &doc, CConnectDoc::Operation operation, QTextStream &err)
{
    QEventLoop loop;
    std::optional<PhoneFailure> failure;
    auto relay = [&err](const QString &text) {
        err << text << "\n";
        err.flush();
    };
    QObject::connect(&doc, &CConnectDoc::OperationText, &loop, relay);
    QObject::connect(&doc, &CConnectDoc::ItemText, &loop, relay);
    QObject::connect(&doc, &CConnectDoc::Done, &loop, &QEventLoop::quit);
    QObject::connect(&doc, &CConnectDoc::Connected, &loop, &QEventLoop::quit);
    QObject::connect(&doc, &CConnectDoc::ConnectFailed, &loop, [&](PhoneFailure why) {
        failure = why;
        loop.quit();
    });
    doc.StartWorker(operation);
    if (g_interrupted)
        OnInterrupt(SIGINT);
    loop.exec();
    doc.StopWorker(false);
    return failure;
}

int Connect(CConnectDoc &doc, QTextStream &err)
{
    const std::optional<PhoneFailure> failure = RunWorker(doc, CConnectDoc::ConnectPhone, err);
    if (!failure)
        return Ok;
    doc.CloseConnection();
    if (*failure == PhoneFailure::StoppedByUser) {
        err << PhoneTexts::ConnectStopped();
        return Stopped;
    }
    err << PhoneTexts::ConnectFailed();
    return Failed;
}

// Connects, runs one of the import workers and prints its summary. Non-zero
// when the run could not connect or was stopped; counts then hold what it did.
int RunImport(CConnectDoc &doc, CConnectDoc::Operation operation, const CImportEngine &engine,
              ImportCounters &counts, QTextStream &out, QTextStream &err)
{
    if (int status = Connect(doc, err))
        return status;
    RunWorker(doc, operation, err);
    doc.CloseConnection();
    const bool stopped = g_interrupted;
    counts = CPhoneImportAdapter::ToImportCounters(doc.Counters());
    counts.failure = engine.Failure();
    CliPrintMessage(ImportSummary::VCard(counts, stopped), out);
    return stopped ? Stopped : Ok;
}

int ListPorts(QTextStream &out, QTextStream &err)
{
    if (!CPortTable::RefreshPorts()) {
        err << "tessaly-cli phone: the device list cannot be read\n";
        return Failed;
    }
    int n = 0;
    for (const CSerialPortInfo &p : CPortTable::Ports())
        out << ++n << "\t" << p.portName << "\t" << KindText(p.kind) << "\t" << p.devicePath << "\t"
            << p.friendlyName << "\t" << p.instanceId << "\n";
    if (n == 0)
        out << "no serial ports\n";
    return Ok;
}

bool ResolvePort(const QString &port, int kind, CSerialPortInfo &info, QTextStream &err)
{
    if (CPortTable::RefreshPorts()) {
        for (const CSerialPortInfo &p : CPortTable::Ports()) {
            if (p.portName == port || p.devicePath == port) {
                info = p;
                break;
            }
        }
    }
    if (info.devicePath.isEmpty()) {
        info.devicePath = port;
        info.portName = QFileInfo(port).fileName();
        if (kind < 0) {
            err << "tessaly-cli phone: --kind is needed for a port that is not discovered\n";
            return false;
        }
    }
    if (kind >= 0)
        info.kind = PortKind(kind);
    if (!info.IsPhone()) {
        err << "tessaly-cli phone: " << port << " does not lead to a supported phone\n";
        return false;
    }
    return true;
}

int RunFolderOperation(CConnectDoc &doc, const CImportEngine &engine, const QString &command,
                       const QStringList &rest, bool overwrite, QTextStream &out, QTextStream &err)
{
    if (int status = Connect(doc, err))
        return status;
    if (!doc.ListNameCards()) {
        err << PhoneTexts::NameCardListFailed();
        return g_interrupted ? Stopped : Failed;
    }
    if (command == QLatin1String("list")) {
        for (const CSoftbankObexObject &e : doc.Entries())
            out << e.name << "\t" << e.size << "\t" << e.created.mid(0, 4) << "/" << e.created.mid(4, 2)
                << "/" << e.created.mid(6, 2) << "\n";
        return Ok;
    }
    const bool needsFolder = command == QLatin1String("copy") || command == QLatin1String("move");
    if (needsFolder) {
        if (rest.isEmpty() || !QFileInfo(rest.first()).isDir()) {
            err << "tessaly-cli phone: " << command << " needs an existing destination folder\n";
            return Usage;
        }
        doc.SetDestinationFolder(QFileInfo(rest.first()).absoluteFilePath());
    }
    QList<int> selection;
    for (const QString &name : rest.mid(needsFolder ? 1 : 0)) {
        qsizetype at = -1;
        for (qsizetype i = 0; i < doc.Entries().size() && at < 0; ++i)
            if (doc.Entries()[i].name == name)
                at = i;
        if (at < 0) {
            err << "tessaly-cli phone: " << name << " is not in the phone's name-card folder\n";
            return Usage;
        }
        selection.append(int(at));
    }
    doc.SetSelection(selection);
    if (selection.isEmpty()) {
        err << "tessaly-cli phone: no file named\n";
        return Usage;
    }
    if (command == QLatin1String("import")) {
        ImportCounters counts;
        if (int status = RunImport(doc, CConnectDoc::ImportFiles, engine, counts, out, err))
            return status;
        return doc.Counters()[PhoneCounter::Failed] || !counts.failure.isEmpty() ? Failed : Ok;
    }
    TerminalAsker asker(err, overwrite);
    doc.SetOverwriteAsker(&asker);
    COperationReport::Operation operation = COperationReport::Delete;
    CConnectDoc::Operation worker = CConnectDoc::Delete;
    if (command == QLatin1String("copy")) {
        operation = COperationReport::Copy;
        worker = CConnectDoc::Copy;
    } else if (command == QLatin1String("move")) {
        operation = COperationReport::Move;
        worker = CConnectDoc::Move;
        if (!doc.AskMoveOverwrites() || doc.Selection().isEmpty())
            return Ok;
    }
    if (int status = Connect(doc, err))
        return status;
    RunWorker(doc, worker, err);
    doc.CloseConnection();
    doc.SetOverwriteAsker(nullptr);
    const bool stopped = g_interrupted;
    const COperationReport report = COperationReport::Make(operation, doc.Counters(), stopped);
    out << report.caption << "\n" << report.text << "\n";
    if (stopped)
        return Stopped;
    return doc.Counters()[PhoneCounter::Failed] ? Failed : Ok;
}

// The phone-book flow: connect, read the phone book, merge cards 2…n.
int RunPhoneBookImport(CConnectDoc &doc, const CImportEngine &engine, ReadWatch &watch, QTextStream &out,
                       QTextStream &err)
{
    ImportCounters counts;
    if (int status = RunImport(doc, CConnectDoc::ImportPhoneBook, engine, counts, out, err))
        return status;
    if (!counts.failure.isEmpty())
        return Failed;
    if (!watch.read) {
        err << "tessaly-cli phone: the phone book could not be read\n";
        return Failed;
    }
    return Ok;
}

int PhoneCommand(const QStringList &args, QTextStream &out, QTextStream &err)
{
    if (args.value(0) == QLatin1String("ports"))
        return ListPorts(out, err);
    QString port, password;
    int kind = -1;
    bool overwrite = false;
    OverwriteAnswer sameName = AnswerSkipAll;
    QStringList positional;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QLatin1String("--port") && i + 1 < args.size()) {
            port = args[++i];
        } else if (a == QLatin1String("--kind") && i + 1 < args.size()) {
            bool ok = false;
            kind = args[++i].toInt(&ok);
            if (!ok || kind < 0 || kind > 3) {
                err << "tessaly-cli phone: --kind takes 0, 1, 2 or 3\n";
                return Usage;
            }
        } else if (a == QLatin1String("--password") && i + 1 < args.size()) {
            password = args[++i];
        } else if (a == QLatin1String("--same-name") && i + 1 < args.size()) {
            if (!CliParseSameName(args[++i], &sameName)) {
                err << "tessaly-cli phone: --same-name takes overwrite, add or skip\n";
                return Usage;
            }
        } else if (a == QLatin1String("--overwrite")) {
            overwrite = true;
        } else {
            positional.append(a);
        }
    }
    static const QStringList commands{"list", "copy", "move", "delete", "import", "import-phonebook"};
    if (positional.size() < 2 || !commands.contains(positional[1]) || port.isEmpty()) {
        err << "usage: tessaly-cli phone ports | phone FILE.ovd --port PATH [--kind K] [--password NNNN] "
               "[--overwrite] [--same-name overwrite|add|skip] list | copy DEST NAME... | move DEST NAME... "
               "| "
               "delete NAME... | import NAME... | import-phonebook\n";
        return Usage;
    }
    static const QRegularExpression fourDigits(QStringLiteral("^[0-9]{4}$"));
    if (!password.isEmpty() && !fourDigits.match(password).hasMatch()) {
        err << "4桁の数字を入力してください。\n";
        return Usage;
    }
    CSerialPortInfo info;
    if (!ResolvePort(port, kind, info, err))
        return Usage;
    const bool phoneBook = positional[1] == QLatin1String("import-phonebook");
    if (phoneBook && info.kind == PortKind::FolderBrowsing) {
        err << "tessaly-cli phone: import-phonebook needs a phone-book phone (kind 1, 2 or 3)\n";
        return Usage;
    }
    if (phoneBook && password.isEmpty()) {
        err << "tessaly-cli phone: import-phonebook needs --password NNNN\n";
        return Usage;
    }
    if (!phoneBook && info.kind != PortKind::FolderBrowsing) {
        err << "tessaly-cli phone: " << positional[1]
            << " needs a phone whose files are browsed in folders (kind 0)\n";
        return Usage;
    }

    // The management file is opened only by the imports; the other commands leave it alone.
    CCardStore store;
    const bool imports = phoneBook || positional[1] == QLatin1String("import");
    if (imports && !CliOpenOrCreateStore(store, positional[0], err))
        return Failed;
    CliSameNameAnswer answer(sameName);
    CImportEngine engine(store, CliImportOptions(), &answer);
    CPhoneImportAdapter adapter(engine);
    ReadWatch watch(adapter);

    CConnectDoc doc(CWorkFolder::Make(QDir::tempPath()));
    if (imports)
        doc.SetImporter(&watch);
    doc.SetPorts({info}, 0);
    doc.SetPassword(password);
    g_doc = &doc;
    struct sigaction action = {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    struct sigaction previous = {};
    sigaction(SIGINT, &action, &previous);

    const int status =
        phoneBook ? RunPhoneBookImport(doc, engine, watch, out, err)
                  : RunFolderOperation(doc, engine, positional[1], positional.mid(2), overwrite, out, err);

    doc.StopWorker(true);
    doc.DeleteWorkFolder();
    sigaction(SIGINT, &previous, nullptr);
    g_doc = nullptr;
    return status;
}

} // namespace

TESSALY_CLI_COMMAND(phone, "phone",
                    "phone ports | phone FILE.ovd --port PATH [--kind K] [--password NNNN] [--overwrite] "
                    "[--same-name overwrite|add|skip] list | copy DEST NAME... | move DEST NAME... | "
                    "delete NAME... | import NAME... | import-phonebook",
                    PhoneCommand);
