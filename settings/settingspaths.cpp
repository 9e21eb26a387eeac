// The settings location and the folder helpers.

#include "settings/settingspaths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

QString SettingsDir;
QString SettingsFile;

namespace {

QChar Separator() {
    return QDir::separator();
}

} // namespace

QString SettingsSubPath() {
    return QStringLiteral("Zoverkamp") + Separator() + QStringLiteral("Game of Life");
}

void InitSettingsPaths() {
    SettingsDir = GetSpecialFolder() + SettingsSubPath();
    SettingsFile = AddTrailingBackslash(SettingsDir) + QStringLiteral("vindrel.ini");
}

void ClearSettingsPaths() {
    SettingsDir.clear();
    SettingsFile.clear();
}

QString AddTrailingBackslash(const QString& Path) {
    return Path.endsWith(Separator()) ? Path : Path + Separator();
}

QString StripTrailingBackslash(const QString& Path) {
    return Path.endsWith(Separator()) ? Path.chopped(1) : Path;
}

bool FolderExists(const QString& Path) {
    const QFileInfo Info(Path);
    return Info.exists() && Info.isDir();
}

void SplitFolderPath(const QString& Path, bool IsUnc, QStringList& List) {
    QString Root;
    QString Rest;
    if (IsUnc) {
        const QString Tail = Path.mid(2);
        const qsizetype Next = Tail.indexOf(Separator());
        Root = Path.left(2) + (Next < 0 ? Tail : Tail.left(Next + 1));
        Rest = Next < 0 ? QString() : Tail.mid(Next + 1);
    } else {
        const qsizetype First = Path.indexOf(Separator());
        Root = First < 0 ? Path : Path.left(First + 1);
        Rest = First < 0 ? QString() : Path.mid(First);
    }
    List << Root;
    for (qsizetype Next = Rest.indexOf(Separator()); Next >= 0; Next = Rest.indexOf(Separator())) {
        if (Next > 0)
            List << Rest.left(Next);
        Rest = Rest.mid(Next + 1);
    }
    if (!Rest.isEmpty())
        List << Rest;
}

bool CreateFolderPath(const QString& Path) {
    if (Path.isEmpty())
        return true;
    const QString Absolute = QDir::toNativeSeparators(QDir::current().absoluteFilePath(Path));
    if (Absolute.isEmpty())
        return false;
    const QString Full = StripTrailingBackslash(Absolute);
    if (Full.isEmpty())
        return true; // only the root, which is never created
    const bool IsUnc = Full.size() >= 2 && Full[0] == Separator() && Full[1] == Separator();
    QStringList List;
    SplitFolderPath(Full, IsUnc, List);
    if (List.isEmpty())
        return false;
    QString Current = List.first();
    for (qsizetype I = 1; I < List.size(); ++I) {
        Current = AddTrailingBackslash(Current) + List[I];
        if (!FolderExists(Current) && !QDir().mkdir(Current))
            return false;
    }
    return true;
}

QString GetSpecialFolder() {
    const QString Folder = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return Folder.isEmpty() ? QString() : AddTrailingBackslash(QDir::toNativeSeparators(Folder));
}
