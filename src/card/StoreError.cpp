#include "StoreError.h"

#include "CPosixFile.h"

#include <cerrno>

QString StoreErrorText(StoreError error)
{
    switch (error) {
    case StoreError::None:
        return QString();
    case StoreError::Missing:
        return QString::fromUtf8("管理ファイルが見つかりません。");
    case StoreError::Folder:
        return QString::fromUtf8("指定された管理ファイルはフォルダです。");
    case StoreError::NotRegular:
        return QString::fromUtf8("指定された管理ファイルは通常のファイルではありません。");
    case StoreError::Unreadable:
        return QString::fromUtf8("管理ファイルを読み込む権限がありません。");
    case StoreError::NotManagementFile:
        return QString::fromUtf8("管理ファイルが不正です。");
    case StoreError::ReadFailed:
        return QString::fromUtf8("管理ファイルの読み込み中にエラーが発生しました。");
    case StoreError::ReadOnly:
        return QString::fromUtf8("管理ファイルが読み取り専用のため、変更を書き込めません。");
    case StoreError::DiskFull:
        return QString::fromUtf8("ディスクの空き容量が不足しているため、管理ファイルに書き込めません。");
    case StoreError::WriteFailed:
        return QString::fromUtf8("管理ファイルへの書き込みに失敗しました。");
    case StoreError::ChangedElsewhere:
        return QString::fromUtf8(
            "管理ファイルが他のプログラムによって変更されていたため、変更を書き込みませんでした。"
            "\n管理ファイルを読み込み直しました。");
    case StoreError::ImageFolder:
        return QString::fromUtf8("画像フォルダを作成できません。");
    case StoreError::ImageFiles:
        return QString::fromUtf8("名刺の画像ファイルを変更できません。");
    case StoreError::NoFile:
        return QString::fromUtf8("管理ファイルが開かれていません。");
    }
    return QString();
}

StoreError WriteErrorOf(int errnoValue)
{
    switch (errnoValue) {
    case 0:
        return StoreError::None;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return StoreError::DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return StoreError::ReadOnly;
    case ENOENT:
        return StoreError::Missing;
    case EISDIR:
        return StoreError::Folder;
    case CPosixFile::NotRegularFile:
        return StoreError::NotRegular;
    default:
        return StoreError::WriteFailed;
    }
}
