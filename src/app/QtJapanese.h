#pragma once

class QObject;
class QTranslator;

// Loads Qt's own Japanese texts (file dialogs, standard buttons such as キャンセル and はい)
// and sets the Japanese locale, whatever the desktop's: the whole program speaks Japanese.
// The translator belongs to owner; null when qtbase_ja.qm (Debian package
// qt6-translations-l10n) is missing.
QTranslator *InstallQtJapanese(QObject *owner);
