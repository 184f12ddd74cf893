#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QtGlobal>

// One vCard property line after parsing.
struct PROPERTY
{
    // The text before the first ":" split at ";"; the first element is the property name.
    QStringList params;
    // The value after the first ":", decoded and split at ";"; may be empty.
    QStringList values;

    bool operator==(const PROPERTY &) const = default;
};

// One card as read from vCard text, before it becomes a card record.
struct VCARD_DATA
{
    QString version;
    PROPERTY name;
    PROPERTY sound;
    QList<PROPERTY> tels;
    QList<PROPERTY> emails;
    PROPERTY address;
    // One per decoded photo; values end with the written file's name.
    QList<PROPERTY> photos;
    PROPERTY org;
    PROPERTY orgYomi;
    QString title;
    QString birthday;
    PROPERTY note;
    QList<PROPERTY> urls;
    QString groupNo;
    QString revision;
    QString registeredDate;
    int hasRegisteredDate = 0;
    int printFlag = 0;
    PROPERTY checkList;
    int hasFormattedName = 0;
    PROPERTY formattedName;
};

// Both hold only implicitly shared containers and integers, so lists may move them as raw bytes.
Q_DECLARE_TYPEINFO(PROPERTY, Q_RELOCATABLE_TYPE);
Q_DECLARE_TYPEINFO(VCARD_DATA, Q_RELOCATABLE_TYPE);
