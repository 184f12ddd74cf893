#pragma once

#include <QString>
#include <QStringList>

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
