#include "VCardExportSupport.h"

#include "CCardImageFiles.h"
#include "CCardStore.h"
#include "CImportEngine.h"
#include "IOverwriteConfirm.h"
#include "TempDir.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace vcard_test {

namespace {

class AddEverything : public IOverwriteConfirm
{
public:
    OverwriteAnswer AskOverwrite(const CCardData &, const CCardData &, const QString &) override
    {
        return AnswerAddAll;
    }
};

QByteArray Filler(int seed, int size)
{
    QByteArray bytes(size, '\0');
    quint32 x = quint32(seed) * 2654435761u + 1;
    for (char &b : bytes) {
        x = x * 1103515245u + 12345u;
        b = char(x >> 24);
    }
    return bytes;
}

} // namespace

CardDate Date(int year, int month, int day, int hour, int minute)
{
    CardDate date;
    date.year = quint16(year);
    date.month = quint16(month);
    date.day = quint16(day);
    date.hour = quint16(hour);
    date.minute = quint16(minute);
    date.second = 1;
    return date;
}

QByteArray Jpeg(int seed, int size)
{
    return QByteArray("\xFF\xD8\xFF\xE0", 4) + Filler(seed, size) + QByteArray("\xFF\xD9", 2);
}

QByteArray Png(int seed, int size)
{
    return QByteArray("\x89PNG\r\n\x1A\n", 8) + Filler(seed, size);
}

CCheckArray CheckList()
{
    CCheckArray checks;
    checks.AddItem(U("要連絡"));
    checks.AddItem(U("年賀状, 2024"));
    checks.AddItem(U("展示会;来場"));
    return checks;
}

CCardData Punctuated()
{
    CCardData card;
    card.SetLastName(U("山田;"));
    card.SetFirstName(U("太郎,\\"));
    card.SetYomiLastName(U("ﾔﾏﾀﾞ"));
    card.SetYomiFirstName(U("ﾀﾛｳ"));
    card.SetCompany(U("A;B,C\\D 商事"), false);
    card.SetCompanyYomi(U("ｴｰﾋﾞｰｼｰﾃﾞｨｰｼｮｳｼﾞ"));
    card.SetDepartment(U("営業部;第一課, 東京\\"));
    card.SetTitle(U("部長; 課長, 主任\\代理"));
    card.SetPhone(0, {U("03-1234-5678"), PhoneOffice});
    card.SetMail(0, {U("taro;yamada,\\x@example.co.jp"), MailOffice});
    card.SetZipCode(U("100-0005"));
    card.SetCountry(U("日本"));
    card.SetPrefecture(U("東京都"));
    card.SetCity(U("千代田区;丸の内"));
    card.SetStreet(U("1-2-3, A棟\\B"));
    card.SetAddressExtra(U("ABCビル 5F"));
    card.SetUrl(U("https://example.co.jp/a;b,c?x=1&y=\\z"));
    card.SetMemo(U("一行目, です;\n二行目\\終わり\r\n三行目 = 3\r\n"));
    card.SetBirthday(U("1980-02-29"));
    card.SetReceivedDate(Date(2023, 4, 1));
    return card;
}

CCardData Cp932Only()
{
    CCardData card;
    card.SetName(U("髙橋 﨑子"));
    card.SetYomiLastName(U("ﾀｶﾊｼ"));
    card.SetYomiFirstName(U("ｻｷｺ"));
    card.SetCompany(U("㈱髙島屋"), false);
    card.SetCompanyYomi(U("ﾀｶｼﾏﾔ"));
    card.SetTitle(U("Ⅲ課 課長"));
    card.SetPhone(0, {U("090-0000-0001"), PhoneMobile});
    card.SetPrefecture(U("神奈川県"));
    card.SetCity(U("川崎市"));
    card.SetStreet(U("山﨑町①-②"));
    card.SetMemo(U("①見積 ②提案 ③契約 ～ ∑ ∵"));
    card.SetPrint(true);
    return card;
}

CCardData EveryKind()
{
    CCardData card;
    card.SetName(U("佐藤 花子"));
    card.SetYomiName(U("ｻﾄｳ ﾊﾅｺ"));
    const char *numbers[] = {"090-1111-0000", "080-2222-0001", "03-3333-0002", "03-4444-0003",
                             "050-5555-0004", "03-6666-0005",  "0120-777-006", "+81-3-8888-0007"};
    const quint32 kinds[] = {PhoneMobile,    PhoneCompanyMobile, PhoneHome,    PhoneOffice,
                             PhoneVideoCall, PhoneFax,           PhoneGeneral, PhoneOffice};
    for (int i = 0; i < 8; ++i)
        card.SetPhone(i, {QString::fromLatin1(numbers[i]), PhoneKind(kinds[i])});
    const char *mails[] = {"hanako@docomo.ne.jp", "hanako@home.example", "sato@company.example",
                           "hanako@isp.example", "hanako.sato@second.example"};
    const quint32 mailKinds[] = {MailMobile, MailHome, MailOffice, MailInternet, MailMobile};
    for (int i = 0; i < 5; ++i)
        card.SetMail(i, {QString::fromLatin1(mails[i]), MailKind(mailKinds[i])});
    card.SetCheckMark(0, true);
    card.SetCheckMark(2, true);
    card.SetGroupNo(3);
    card.SetPrint(false);
    return card;
}

CCardData CompanyOnly()
{
    CCardData card;
    card.SetCompany(U("日本電機工業株式会社"), false);
    card.SetCompanyYomi(U("ﾆﾎﾝﾃﾞﾝｷｺｳｷﾞｮｳｶﾌﾞｼｷｶﾞｲｼｬ"));
    card.SetDepartment(U("総務部"));
    card.SetPhone(0, {U("06-1234-0000"), PhoneOffice});
    card.SetUrl(U("https://www.nihon-denki.example/"));
    return card;
}

bool CreateStore(CCardStore &store, const TempDir &dir, const QString &name)
{
    if (!store.CreateNew(dir.File(name)))
        return false;
    store.SetSyncWrites(false);
    store.SetGroupName(3, U("取引先"));
    CCheckArray checks = CheckList();
    return store.ApplyCheckList(checks);
}

bool Import(CCardStore &store, const QString &path, const QString &photoFolder)
{
    AddEverything answer;
    CImportEngine engine(store, ImportOptions(), &answer);
    ImportCounters counters;
    const bool read =
        engine.BeginRun() && engine.ImportVCardSource(path, photoFolder, QStringLiteral("cards.vcf"),
                                                      QStringLiteral("2024/06/01"), counters);
    return engine.EndRun() && read;
}

bool FillRealistic(CCardStore &store, const TempDir &dir, int generated)
{
    const int status =
        QProcess::execute(QStringLiteral("python3"),
                          {QStringLiteral(TESSALY_SHARED_DIR "/bench/gen_workload.py"), QStringLiteral("-n"),
                           QString::number(generated), QStringLiteral("--only"), QStringLiteral("vcf21"),
                           QStringLiteral("--out"), dir.File("workload")});
    const QString workload = dir.File(QStringLiteral("workload/vcard21-sjis-%1.vcf").arg(generated));
    if (status != 0 || !Import(store, workload, dir.File("workload-photos")))
        return false;
    for (const CCardData &card : {Punctuated(), Cp932Only(), EveryKind(), CompanyOnly()}) {
        if (!store.AddCard(card))
            return false;
    }
    const QString jpeg = dir.File("picture.jpg");
    const QString png = dir.File("picture.png");
    for (int slot = 0; slot < store.Count(); ++slot) {
        CCardData *stored = store.CardAt(slot);
        CCardData changed = *stored;
        if (slot % 7 == 3)
            changed.SetPrint(false);
        if (slot % 5 == 1)
            changed.SetCheckMark(0, true);
        if (slot % 11 == 2) {
            changed.SetCheckMark(1, true);
            changed.SetCheckMark(2, true);
        }
        if (slot % 13 == 4)
            changed.SetReceivedDate(Date(2020 + slot % 5, 1 + slot % 12, 1 + slot % 28));
        if (slot % 6 == 0)
            changed.SetGroupNo(3);
        if (!store.Replace(changed, stored))
            return false;
        const bool last = slot == store.Count() - 1;
        if (slot % 9 == 0 || last) {
            if (!TempDir::WriteAll(jpeg, Jpeg(slot)) ||
                !store.SetPicture(stored, CCardImageFiles::CardImage, jpeg))
                return false;
        }
        if (slot % 18 == 0 || last) {
            if (!TempDir::WriteAll(png, Png(slot)) ||
                !store.SetPicture(stored, CCardImageFiles::PersonPhoto, png))
                return false;
        }
    }
    return true;
}

QByteArray Picture(const CCardStore &store, const CCardData &card, int picture)
{
    QFile file(store.Images().PathOf(card.Id(), picture));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace vcard_test
