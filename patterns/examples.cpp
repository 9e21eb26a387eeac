// The example patterns and the submenu that opens them.

#include "patterns/examples.h"
#include "app/extmsgdlg.h"
#include "app/ulife.h"
#include "edit/worldhistory.h"
#include "patterns/patternformats.h"

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
        // Its gliders would reach the edges of a smaller world before it settles.
        {{"&R-pentomino", "r-pentomino.rle", 800, 600},
         {"Pi-hep&tomino", "pi-heptomino.rle"},
         {"&Diehard", "diehard.rle"}},
        {{"&Oscillatortuin (1280 x 1024)", "oscillatortuin.rle", 1280, 1024},
         {"Ruimte&vloot (1280 x 1024)", "ruimtevloot.rle", 1280, 1024}},
    };
    return Groups;
}

QSize ExampleWorld(const QString& Path) {
    const QString Name = QFileInfo(Path).fileName();
    for (const QList<TExample>& Group : ExampleGroups()) {
        for (const TExample& Example : Group) {
            if (Name == QLatin1String(Example.File))
                return Example.HorCells > 0 ? QSize(Example.HorCells, Example.VertCells) : QSize();
        }
    }
    return {};
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

// As "Spel openen" once its dialog has given a file, but in the middle of the world, and in
// a world large enough where the user wants one.
void TLifeForm::OpenExample(const QString& Path) {
    StopRunning();
    if (const QSize Needed = ExampleWorld(Path);
        Needed.isValid() && (Needed.width() > HorCells() || Needed.height() > VertCells()))
        OfferLargerWorld(Needed);
    if (TPatternFault Fault; !ReadPattern(Path, &Fault, TPlacement::Centred)) {
        ShowOpenError(Path, Fault);
        return;
    }
    FinishOpen();
}

void TLifeForm::OfferLargerWorld(const QSize& Needed) {
    const QSize Larger = Needed.expandedTo(QSize(HorCells(), VertCells()));
    const QString Question =
        QStringLiteral("Dit voorbeeld heeft een wereld van %1 x %2 cellen nodig; deze wereld is "
                       "%3 x %4 cellen.\r\rWilt u de wereld zo groot maken?")
            .arg(Larger.width())
            .arg(Larger.height())
            .arg(HorCells())
            .arg(VertCells());
    if (ExtMessageDlg(Question, mtConfirmation, mbYes | mbNo, 0) != mrYes)
        return;
    SaveOptionsOnClose = true;
    ResizeTheWorld(Larger.width(), Larger.height(), HorCellSize, VertCellSize);
    History->Record(QStringLiteral("Wereldgrootte %1 x %2").arg(HorCells()).arg(VertCells()));
}
