#pragma once

// The example patterns that come with the program: RLE files in the folder "voorbeelden"
// beside it, in the build folder as after installation. The "&Voorbeelden" submenu lists
// those it finds, grouped by kind.

#include <QCoreApplication>
#include <QList>
#include <QSize>
#include <QString>

#include <functional>

class QMenu;

struct TExample {
    const char* Caption; // the menu item, with its accelerator
    const char* File;    // the file's name in the examples folder
    // The world the example needs to do what its comment says; 0 x 0 for any.
    int HorCells = 0;
    int VertCells = 0;
};

// Every example the program knows, in the menu's order, one list per kind: still lifes and
// oscillators, spaceships, guns, methuselahs, and showpieces for the largest world.
const QList<QList<TExample>>& ExampleGroups();

// The world the example at Path needs; an empty size for any world or another file.
QSize ExampleWorld(const QString& Path);

// The examples folder of a program in ProgramFolder.
QString ExamplesFolder(const QString& ProgramFolder = QCoreApplication::applicationDirPath());

// Fills Menu with the examples that can be read in Folder, a separator between kinds;
// choosing one calls Open with the file's path. With none found the menu is greyed.
void FillExamplesMenu(QMenu& Menu, const QString& Folder,
                      const std::function<void(const QString&)>& Open);
