#pragma once

// Program start and end around the main window.

class QApplication;

// Sets up what the whole program shares before the main window is made: the settings
// location, the icon, Qt's Dutch texts for its own dialogs, the timer precision.
void StartProgram(QApplication& Application);

// Undoes StartProgram's global state once the main window is gone.
void EndProgram();
