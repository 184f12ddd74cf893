#pragma once

#include "MappingEntry.h"

#include <QList>
#include <QString>
#include <functional>

class IMessageBox;
class QWidget;

// The mapping dialogs' 設定保存 and 設定読込: the path comes from choose
// (save: true for saving; empty: cancelled), failures are told under caption.
// Both return true only when a file was written or read.
bool SaveChosenMapping(QWidget *parent, IMessageBox &messages, const QString &caption,
                       const std::function<QString(bool save)> &choose, const QList<MappingEntry> &entries,
                       bool firstRowIsHeader);
bool LoadChosenMapping(QWidget *parent, IMessageBox &messages, const QString &caption,
                       const std::function<QString(bool save)> &choose, QList<MappingEntry> &entries,
                       bool &firstRowIsHeader);
