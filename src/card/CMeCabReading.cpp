#include "CMeCabReading.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFileInfo>

#include <mecab.h>

#include <cstring>

namespace {
// ipadic feature: part of speech ×4, conjugation ×2, base form, reading, pronunciation.
constexpr int kReadingField = 7;

bool IsSpace(QChar c)
{
    return c == QChar(0x20) || c == QChar(0x3000);
}
// Field n of a comma-separated feature; empty when it has fewer fields.
QByteArrayView Field(const char *feature, int n)
{
    if (feature == nullptr)
        return {};
    const char *p = feature;
    for (; n > 0; --n) {
        p = std::strchr(p, ',');
        if (p == nullptr)
            return {};
        ++p;
    }
    const char *end = std::strchr(p, ',');
    return end ? QByteArrayView(p, end - p) : QByteArrayView(p);
}
} // namespace

QString CMeCabReading::DefaultDictionaryDir()
{
    return QStringLiteral("/var/lib/mecab/dic/ipadic-utf8");
}

CMeCabReading::CMeCabReading(const QString &dictionaryDir)
{
    if (!QFileInfo(dictionaryDir + QStringLiteral("/sys.dic")).isFile()) {
        m_error = QStringLiteral("no dictionary in %1").arg(dictionaryDir);
        return;
    }
    // An empty resource file: nothing from /etc/mecabrc may override the dictionary.
    QByteArray dir = QFileInfo(dictionaryDir).absoluteFilePath().toLocal8Bit();
    QByteArray arg0 = "mecab", argR = "-r", rc = "/dev/null", argD = "-d";
    char *argv[] = {arg0.data(), argR.data(), rc.data(), argD.data(), dir.data()};
    m_tagger = MeCab::createTagger(5, argv);
    if (m_tagger == nullptr) {
        m_error = QStringLiteral("cannot open the dictionary %1").arg(dictionaryDir);
        return;
    }
    const MeCab::DictionaryInfo *info = m_tagger->dictionary_info();
    const bool utf8 = info != nullptr && info->charset != nullptr &&
                      (qstricmp(info->charset, "UTF-8") == 0 || qstricmp(info->charset, "utf8") == 0);
    if (!utf8) {
        m_error = QStringLiteral("the dictionary %1 is not UTF-8").arg(dictionaryDir);
        delete m_tagger;
        m_tagger = nullptr;
    }
}

CMeCabReading::~CMeCabReading()
{
    delete m_tagger;
}

QString CMeCabReading::Reading(const QString &text)
{
    if (m_tagger == nullptr)
        return {};
    // MeCab drops white space, but the reading must keep it: the name's reading is
    // later split at its space into family and given name.
    QString reading;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = start;
        const bool space = IsSpace(text[start]);
        while (end < text.size() && IsSpace(text[end]) == space)
            ++end;
        const QString run = text.mid(start, end - start);
        reading += space ? run : ReadSegment(run);
        start = end;
    }
    return reading;
}

QString CMeCabReading::ReadSegment(const QString &segment)
{
    const QByteArray utf8 = segment.toUtf8();
    std::lock_guard<std::mutex> lock(m_mutex);
    const MeCab::Node *node = m_tagger->parseToNode(utf8.constData(), size_t(utf8.size()));
    QString reading;
    for (; node != nullptr; node = node->next) {
        if (node->stat == MECAB_BOS_NODE || node->stat == MECAB_EOS_NODE)
            continue;
        const QByteArrayView field = Field(node->feature, kReadingField);
        // Unknown words carry fewer fields and no reading: keep what was written.
        if (field.isEmpty() || field == "*")
            reading += QString::fromUtf8(node->surface, node->length);
        else
            reading += QString::fromUtf8(field);
    }
    return reading;
}

std::unique_ptr<CImeLanguage> CreateReadingService()
{
    return std::make_unique<CMeCabReading>();
}
