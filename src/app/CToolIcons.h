#pragma once

#include <QIcon>

// The tool-bar and window icons, drawn in code so they follow no image files.
class CToolIcons
{
public:
    enum Kind
    {
        AppIcon,
        NewCard,
        OpenFile,
        Print,
        Search,
        ListMode,
        ThumbnailMode,
        MapSearch,
        Backup,
        Help,
        Phone
    };
    static QIcon Make(Kind kind);
};
