#pragma once

// Where the settings live, and the folder helpers that find and create that place.
// "Backslash" in these names is the platform's folder separator.

#include <QString>
#include <QStringList>

// The settings folder, without a trailing separator, and the settings file in it.
// Both are fixed once at program start.
extern QString SettingsDir;
extern QString SettingsFile;

QString SettingsSubPath(); // "Zoverkamp" + separator + "Game of Life"

void InitSettingsPaths();
void ClearSettingsPaths();

QString AddTrailingBackslash(const QString& Path);
QString StripTrailingBackslash(const QString& Path);
bool FolderExists(const QString& Path);
// Creates Path and every missing folder above it, from the top down. On failure the
// C library's errno tells why.
bool CreateFolderPath(const QString& Path);
void SplitFolderPath(const QString& Path, bool IsUnc, QStringList& List);
// The user's local application-data folder with a trailing separator, or empty text.
QString GetSpecialFolder();
