// The example patterns and the submenu that opens them.

#include "patterns/examples.h"
#include "app/ulife.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>

const QList<QList<TExample>>& ExampleGroups() {
    static const QList<QList<TExample>> Groups = {
        {{"&Blok", "blok.rle"},
         {"B&ijenkorf", "bijenkorf.rle"},
         {"&Knipperlicht", "knipperlicht.rle"},
         {"&Pad", "pad.rle"},
         {"B&aken", "baken.rle"},
         {"P&ulsar", "pulsar.rle"},
         {"Pentadecat&hlon", "pentadecathlon.rle"},
         {"&Melkweg van Kok", "melkweg.rle"},
         {"A&chtvorm", "achtvorm.rle"}},
        {{"&Zweefvlieger", "zweefvlieger.rle"},
         {"&Licht ruimteschip", "licht-ruimteschip.rle"},
         {"Midd&elzwaar ruimteschip", "middelzwaar-ruimteschip.rle"},
         {"Z&waar ruimteschip", "zwaar-ruimteschip.rle"}},
        {{"&Gosper-kanon", "gosper-kanon.rle"}, {"&Simkin-kanon", "simkin-kanon.rle"}},
        {{"&R-pentomino", "r-pentomino.rle"},
         {"Pi-hep&tomino", "pi-heptomino.rle"},
         {"&Diehard", "diehard.rle"}},
        {{"&Oscillatortuin (1280 x 1024)", "oscillatortuin.rle"},
         {"Ruimte&vloot (1280 x 1024)", "ruimtevloot.rle"}},
    };
    return Groups;
}

QString ExamplesFolder(const QString& ProgramFolder) {
    return QDir(ProgramFolder).filePath(QStringLiteral("voorbeelden"));
}

void FillExamplesMenu(QMenu& Menu, const QString& Folder,
                      const std::function<void(const QString&)>& Open) {
    Menu.clear();
    const QDir Examples(Folder);
    for (const QList<TExample>& Group : ExampleGroups()) {
        bool KindStarted = false;
        for (const TExample& Example : Group) {
            const QFileInfo File(Examples.filePath(QString::fromLatin1(Example.File)));
            if (!File.isFile() || !File.isReadable())
                continue;
            if (!KindStarted && !Menu.isEmpty())
                Menu.addSeparator();
            KindStarted = true;
            const QString Path = File.filePath();
            QObject::connect(Menu.addAction(QString::fromLatin1(Example.Caption)),
                             &QAction::triggered, &Menu, [Open, Path] { Open(Path); });
        }
    }
    Menu.setEnabled(!Menu.isEmpty());
}

void TLifeForm::ListExamples(const QString& Folder) {
    FillExamplesMenu(*MenuExamples, Folder,
                     [this](const QString& Path) { MenuExampleClick(Path); });
}

void TLifeForm::MenuExampleClick(const QString& Path) {
    OpenExample(Path);
}

// As "Spel openen" once its dialog has given a file.
void TLifeForm::OpenExample(const QString& Path) {
    StopRunning();
    OpenGameFile(Path);
}
