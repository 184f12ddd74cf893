#include "FuzzCheck.h"
#include "FuzzTargets.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace {

QString g_input; // the corpus file being replayed

void RecordFailure(const char *what)
{
    ADD_FAILURE() << g_input.toStdString() << ": " << what;
}

class CorpusReplay : public ::testing::TestWithParam<const char *>
{
protected:
    static void SetUpTestSuite()
    {
        int argc = 0;
        Fuzz::Init(&argc, nullptr);
        Fuzz::SetFailureSink(&RecordFailure);
    }
    static void TearDownTestSuite() { Fuzz::SetFailureSink(nullptr); }
};

TEST_P(CorpusReplay, EveryInputPassesTheTargetsChecks)
{
    const Fuzz::Target *target = Fuzz::FindTarget(GetParam());
    ASSERT_NE(target, nullptr);
    const QDir corpus(QStringLiteral(TESSALY_FUZZ_CORPUS "/") + QString::fromLatin1(GetParam()));
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    // Each target keeps seeds of its own; an empty folder would replay nothing.
    ASSERT_FALSE(files.isEmpty()) << corpus.path().toStdString();
    for (const QString &name : files) {
        g_input = corpus.filePath(name);
        QFile file(g_input);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << g_input.toStdString();
        const QByteArray bytes = file.readAll();
        target->run(bytes);
    }
}

std::vector<const char *> TargetNames()
{
    std::vector<const char *> names;
    for (const Fuzz::Target &target : Fuzz::Targets())
        names.push_back(target.name);
    return names;
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay, ::testing::ValuesIn(TargetNames()),
                         [](const ::testing::TestParamInfo<const char *> &info) { return info.param; });

} // namespace
