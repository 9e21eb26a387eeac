#pragma once

// The benchmark's view of the main window's state, and the worlds it runs on: a random
// soup that has settled, a fresh one, and a mostly empty world with one glider gun, all
// reproducible.

#include "app/ulife.h"
#include "display/worldimage.h"
#include "edit/worldhistory.h"

#include <QString>

#include <cstdint>
#include <vector>

class QTimer;

enum class TWorldKind { Soup, FreshSoup, Gun };

struct TWorldSetup {
    TWorldKind Kind;
    int HorCells;
    int VertCells;
    int CellSize; // square cells of 1 or 2 pixels
    qint32 Wrapping;
    qint32 Zoom = 100;       // percent
    bool Population = false; // the population window shown beside the run

    // "soup/320x240/1x1/wmHorizontal", then "/400%" but at 100%, then " + Populatie"
    QString Name() const;
    QString WorldName() const; // "soup/320x240/wmHorizontal", for what the cell size leaves alone
};

// The in-use states, column by column, one byte a cell.
using TStates = std::vector<std::uint8_t>;

struct TLifeFormBench {
    explicit TLifeFormBench(TLifeForm& Form) : Form(Form) {}

    // Sizes, links and pictures the world for Setup, with every cell dead. The window must
    // have been shown once, so that the picture surfaces exist.
    void Configure(const TWorldSetup& Setup);
    // Sets State and PrevState of every in-use cell and redraws the whole picture.
    void Place(const TStates& States);
    TStates States() const;

    int HorCells() const { return Form.HorCells(); }
    int VertCells() const { return Form.VertCells(); }
    qint32 Generation() const { return Form.Generation(); }
    bool Changed() const { return Form.Engine.Changed(); }
    bool Running() const { return Form.Running; }
    QTimer* WorldTimer() const { return Form.WorldTimer; }
    TWorldImage* WorldImage() const { return Form.WorldImage; }
    const TLifeEngine& Engine() const { return Form.Engine; }
    int WritePattern(const QString& Path) { return Form.WritePattern(Path); }
    bool ReadPattern(const QString& Path) { return Form.ReadPattern(Path); }
    // The history starts from the world as it is; a step for what changed since.
    void ClearHistory() { Form.History->Clear(); }
    void RecordStep() { Form.History->Record(QStringLiteral("bench")); }
    void Select(const QRect& Cells) { Form.SetSelection(Cells); }

    TLifeForm& Form;
};

// The starting states of a setup's world: the soup is about one third live from a fixed
// seed and has already run 1000 generations, as a soup the user has let run; the fresh soup
// is half live and has not run. Computed once
// per world kind, size and wrap mode; computing them reconfigures Bench's window, so
// configure it afterwards.
const TStates& StartStates(TLifeFormBench& Bench, const TWorldSetup& Setup);
