#pragma once

// The history of the world's cells for undo and redo. Each step holds what a change did to
// the cells, the generation counter and the world's layout; the cells as the words of 64 that
// changed, XORed before and after, so a click costs a few words and the widest change no
// more than one copy of the largest world. The window records a step after every change;
// undo and redo hand the world back through the window's own resize and redraw.

#include "engine/lifeengine.h"

#include <QString>
#include <QUndoStack>

#include <functional>
#include <vector>

class TWorldHistory {
public:
    using TWord = TLifeEngine::TWord;

    // What a step brings back besides the cells: everything the settings change of the
    // world, the size of a cell on the screen included.
    struct TLayout {
        int HorCells;
        int VertCells;
        int HorCellSize;
        int VertCellSize;
        qint32 Wrapping;
        bool operator==(const TLayout&) const = default;
    };

    // What the window does for a step: Layout tells the world's layout now; SetLayout brings
    // the world to a layout by the window's own path, which keeps the cells of the top-left
    // corner; Show shows the cells and the generation once the step is in the engine.
    struct TView {
        std::function<TLayout()> Layout;
        std::function<void(const TLayout&)> SetLayout;
        std::function<void()> Show;
    };

    // The most a step can take: the changed words of the largest world, the mask of which
    // words they are, and room for the step itself and its text.
    static constexpr qsizetype WorstStepBytes =
        qsizetype(sizeof(TWord)) * (TLifeEngine::CapacityWords + TLifeEngine::CapacityWords / 64) +
        1024;
    // Steps are dropped oldest first beyond this count, so the history stays within 64 MiB.
    static constexpr int StepLimit = int(64 * 1024 * 1024 / WorstStepBytes);
    static_assert(StepLimit >= 100);

    TWorldHistory(TLifeEngine& Engine, TView View);

    QUndoStack& Stack() { return Steps; }
    // Forgets every step; the world as it is now is where the history starts.
    void Clear();
    // One step named Text for everything that changed since the last step, the undo or redo
    // before it, or Clear; nothing when nothing changed. Ignored while a step is applied.
    // Steps recorded one after the other with the same Joins (0 or more) become one step,
    // named by the last Text: a stroke of the mouse records as it goes.
    void Record(const QString& Text, int Joins = -1);
    // The bytes the steps hold.
    qsizetype StepBytes() const;
    // The world has moved on by generations or layout since the last step, as during a run
    // that is recorded when it stops: undo then takes back that change first, and redo would
    // apply its step to a world it was not made from.
    bool Unrecorded() const;
    // The step's text for a run up to Generation.
    static QString RunText(qint32 Generation);

private:
    friend class TWorldStep;

    struct TShape {
        TLayout Layout;
        qint32 Generation;
        bool operator==(const TShape&) const = default;
    };
    TShape ShapeNow() const;
    void Apply(const std::vector<TWord>& Mask, const std::vector<TWord>& Changes,
               const TShape& Target);

    TLifeEngine& Engine;
    TView View;
    QUndoStack Steps;
    // The world as the last step left it, and room to compare the world with it.
    std::vector<TWord> Recorded;
    std::vector<TWord> Now;
    TShape RecordedShape{};
    bool Applying = false;
};
