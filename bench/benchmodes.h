#pragma once

// The benchmark's modes besides the table of timings.

#include <QString>

// Replaces the program's main: starts the window as the program does and writes one line
// to standard output as soon as the world's picture has been painted once.
int RunStartupChild(int argc, char** argv);

struct TStartupWorld {
    int HorCells;
    int VertCells;
    int CellSize; // square cells of 1 or 2 pixels
    int Zoom;     // percent
};

struct TStartup {
    double Seconds;  // from starting the program to its first shown picture
    long ResidentKb; // the program's resident memory then; 0 where the system does not say
    long PeakKb;     // its highest resident memory until then
};

// Starts Program (this benchmark, in its startup-child mode) with World as its stored
// settings and waits for its first shown picture.
TStartup MeasureStartup(const QString& Program, const TStartupWorld& World);

// Replaces the program's main as RunStartupChild does, then opens the pattern file argv[2]
// and writes the resident memory at the first picture and its peak while opening.
int RunOpenChild(int argc, char** argv);

struct TOpenMemory {
    bool Opened;
    long RestKb; // at the first picture, before opening
    long PeakKb; // the highest while opening; 0 where the system does not say
};

// Starts Program in its open-child mode with the largest world, 1280 x 1024.
TOpenMemory MeasureOpenMemory(const QString& Program, const QString& Path);

// Replaces the program's main as RunStartupChild does, then takes HistoryBenchSteps steps
// that each change the whole world, and writes the resident memory at rest and its peak.
int RunHistoryChild(int argc, char** argv);
constexpr int HistoryBenchSteps = 100;

// Starts Program in its history-child mode with the largest world, 1280 x 1024.
TOpenMemory MeasureHistoryMemory(const QString& Program);

// Runs the real window at the 1 ms speed at each world size and prints the generations per
// second it reaches and how long posted events waited.
int RunWindowMode(double SecondsPerSize);
