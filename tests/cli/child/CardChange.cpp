// One change of one card, made by the store as the program makes it, in a
// process of its own that the crash tests can kill or starve at any write.
//
//   card-change FILE grow NAME     the card's title becomes longer (a new record)
//   card-change FILE shrink NAME   the card's memo is emptied (written in place)
//   card-change FILE delete NAME
#include "CCardStore.h"
#include "StoreError.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    if (args.size() != 3)
        return 2;
    CCardStore store;
    if (!store.Open(args[0])) {
        err << StoreErrorText(store.LastError()) << '\n';
        return 1;
    }
    CCardData *card = nullptr;
    for (int s = 0; s < store.Count() && !card; ++s)
        if (store.CardAt(s)->Name() == args[2])
            card = store.CardAt(s);
    if (!card)
        return 2;
    bool done = false;
    if (args[1] == QLatin1String("delete")) {
        done = store.Delete(card);
    } else {
        CCardData changed = *card;
        if (args[1] == QLatin1String("grow"))
            changed.SetTitle(QString::fromUtf8("代表取締役社長兼営業本部長兼経営企画室長"));
        else
            changed.SetMemo(QString());
        done = store.Replace(changed, card) != nullptr;
    }
    if (!done)
        err << StoreErrorText(store.LastError()) << '\n';
    return done ? 0 : 1;
}
