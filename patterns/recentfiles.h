#pragma once

// The files last opened or saved, newest first, as the submenu "Recente &bestanden" lists
// them and the settings file keeps them: one key a file in a section of its own, the name's
// own bytes in quotes, so that a name that is not UTF-8 or begins with a blank comes back
// whole.

#include "settings/inifile.h"

#include <QStringList>

#include <functional>

class QMenu;

class TRecentFiles {
public:
    static constexpr int Limit = 8;
    static const QByteArray Section;

    // The list as the section's keys give it; taken as the list written last.
    void Load(const QList<TIniEntry>& Entries);
    // The section's keys for the list as it is now.
    QList<TIniEntry> Entries() const;
    // Whether the list differs from the one loaded.
    bool Changed() const { return Files != Loaded; }

    const QStringList& List() const { return Files; }
    // Path goes to the top, once; the oldest beyond Limit go. A name with a line break cannot
    // be kept in the settings file and is left out.
    void Add(const QString& Path);
    void Remove(const QString& Path);
    void Clear() { Files.clear(); }

    // Numbered items "&1" ... for the files, then "Lijst &wissen"; greyed when empty.
    void FillMenu(QMenu& Menu, const std::function<void(const QString&)>& Open,
                  const std::function<void()>& ClearList) const;

private:
    QStringList Files;
    QStringList Loaded;
};
