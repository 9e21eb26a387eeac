// The recent files: the list, its keys in the settings file and its submenu.

#include "patterns/recentfiles.h"
#include "patterns/filenames.h"

#include <QDir>
#include <QMenu>

const QByteArray TRecentFiles::Section = QByteArrayLiteral("Recente bestanden");

namespace {

QByteArray KeyOf(int Number) {
    return QByteArrayLiteral("Bestand") + QByteArray::number(Number);
}

} // namespace

void TRecentFiles::Load(const QList<TIniEntry>& Entries) {
    Files.clear();
    for (int Number = 1; Number <= Limit; ++Number) {
        for (const auto& [Key, Value] : Entries) {
            if (Key.compare(KeyOf(Number), Qt::CaseInsensitive) == 0 && !Value.isEmpty()) {
                const QString Path = DecodeFileName(Value);
                if (!Files.contains(Path))
                    Files << Path;
                break;
            }
        }
    }
    Loaded = Files;
}

QList<TIniEntry> TRecentFiles::Entries() const {
    QList<TIniEntry> Keys;
    for (qsizetype I = 0; I < Files.size(); ++I)
        Keys.append({KeyOf(int(I) + 1), '"' + EncodeFileName(Files[I]) + '"'});
    return Keys;
}

void TRecentFiles::Add(const QString& Path) {
    if (Path.contains(QLatin1Char('\n')) || Path.contains(QLatin1Char('\r')))
        return;
    Files.removeAll(Path);
    Files.prepend(Path);
    while (Files.size() > Limit)
        Files.removeLast();
}

void TRecentFiles::Remove(const QString& Path) {
    Files.removeAll(Path);
}

void TRecentFiles::FillMenu(QMenu& Menu, const std::function<void(const QString&)>& Open,
                            const std::function<void()>& ClearList) const {
    // Later: the list changes while one of its items is being triggered.
    for (QAction* Old : Menu.actions()) {
        Menu.removeAction(Old);
        Old->deleteLater();
    }
    for (qsizetype I = 0; I < Files.size(); ++I) {
        const QString Path = Files[I];
        QString Shown = QDir::toNativeSeparators(Path);
        Shown.replace(QLatin1Char('&'), QLatin1String("&&"));
        QObject::connect(Menu.addAction(QStringLiteral("&%1 %2").arg(I + 1).arg(Shown)),
                         &QAction::triggered, &Menu, [Open, Path] { Open(Path); });
    }
    if (!Files.isEmpty()) {
        Menu.addSeparator();
        QObject::connect(Menu.addAction(QStringLiteral("Lijst &wissen")), &QAction::triggered,
                         &Menu, [ClearList] { ClearList(); });
    }
    Menu.setEnabled(!Files.isEmpty());
}
