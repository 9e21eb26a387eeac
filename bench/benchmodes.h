#pragma once

// The benchmark's modes besides the table of timings.

#include <QString>

// Replaces the program's main: starts the window as the program does and writes one line
// to standard output as soon as the world's picture has been painted once.
int RunStartupChild(int argc, char** argv);

// Seconds from starting Program (this benchmark, in its startup-child mode) to its first
// shown picture.
double MeasureStartup(const QString& Program);

// Runs the real window at the 1 ms speed at each world size and prints the generations per
// second it reaches and how long posted events waited.
int RunWindowMode(double SecondsPerSize);
