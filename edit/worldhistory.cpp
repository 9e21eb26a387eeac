// The history of the world's cells: steps of changed words, applied through the window.

#include "edit/worldhistory.h"

#include <QScopedValueRollback>
#include <QUndoCommand>

#include <bit>
#include <utility>

// One change of the world. Mask has a bit for each capacity word that changed, Changes the
// XOR of those words before and after, in order of their index.
class TWorldStep : public QUndoCommand {
public:
    TWorldStep(TWorldHistory& History, const QString& Text, std::vector<TWorldHistory::TWord> Mask,
               std::vector<TWorldHistory::TWord> Changes, TWorldHistory::TShape Before,
               TWorldHistory::TShape After, int Joins)
        : QUndoCommand(Text), History(History), Mask(std::move(Mask)), Changes(std::move(Changes)),
          Before(Before), After(After), Joins(Joins) {}

    int id() const override { return Joins; }
    // The stack joins a later step of the same id into this one: the changes of both, XORed
    // word by word, which is the change from this one's start to the other's end.
    bool mergeWith(const QUndoCommand* Other) override {
        const auto* Later = static_cast<const TWorldStep*>(Other);
        std::vector<TWorldHistory::TWord> JoinedMask(Mask.size());
        std::vector<TWorldHistory::TWord> Joined;
        std::size_t Mine = 0;
        std::size_t Theirs = 0;
        for (std::size_t M = 0; M < Mask.size(); ++M) {
            for (TWorldHistory::TWord Bits = Mask[M] | Later->Mask[M]; Bits != 0;
                 Bits &= Bits - 1) {
                const TWorldHistory::TWord Bit = Bits & (~Bits + 1);
                TWorldHistory::TWord Change = 0;
                if (Mask[M] & Bit)
                    Change ^= Changes[Mine++];
                if (Later->Mask[M] & Bit)
                    Change ^= Later->Changes[Theirs++];
                if (Change != 0) {
                    JoinedMask[M] |= Bit;
                    Joined.push_back(Change);
                }
            }
        }
        Joined.shrink_to_fit();
        Mask = std::move(JoinedMask);
        Changes = std::move(Joined);
        After = Later->After;
        setText(Later->text());
        setObsolete(Changes.empty() && Before == After);
        return true;
    }

    void undo() override { History.Apply(Mask, Changes, Before); }
    // The change is already made when the step is pushed.
    void redo() override {
        if (std::exchange(Pushed, true))
            History.Apply(Mask, Changes, After);
    }
    qsizetype Bytes() const {
        return qsizetype(sizeof(*this) +
                         (Mask.capacity() + Changes.capacity()) * sizeof(TWorldHistory::TWord) +
                         size_t(text().capacity()) * sizeof(QChar));
    }

private:
    TWorldHistory& History;
    std::vector<TWorldHistory::TWord> Mask;
    std::vector<TWorldHistory::TWord> Changes;
    const TWorldHistory::TShape Before;
    TWorldHistory::TShape After;
    const int Joins;
    bool Pushed = false;
};

TWorldHistory::TWorldHistory(TLifeEngine& Engine, TView View)
    : Engine(Engine), View(std::move(View)), Recorded(TLifeEngine::CapacityWords),
      Now(TLifeEngine::CapacityWords) {
    Steps.setUndoLimit(StepLimit);
    Clear();
}

TWorldHistory::TShape TWorldHistory::ShapeNow() const {
    return {View.Layout(), Engine.Generation()};
}

void TWorldHistory::Clear() {
    Steps.clear();
    Engine.CopyStates(Recorded.data());
    RecordedShape = ShapeNow();
}

void TWorldHistory::Record(const QString& Text, int Joins) {
    if (Applying)
        return;
    Engine.CopyStates(Now.data());
    std::vector<TWord> Mask(Now.size() / 64);
    std::vector<TWord> Changes;
    for (std::size_t I = 0; I < Now.size(); ++I) {
        if (const TWord Change = Now[I] ^ Recorded[I]; Change != 0) {
            Mask[I / 64] |= TWord(1) << (I % 64);
            Changes.push_back(Change);
        }
    }
    const TShape Shape = ShapeNow();
    if (Changes.empty() && Shape == RecordedShape)
        return;
    Changes.shrink_to_fit();
    Steps.push(new TWorldStep(*this, Text, std::move(Mask), std::move(Changes), RecordedShape,
                              Shape, Joins < 0 ? -1 : Joins));
    Recorded.swap(Now);
    RecordedShape = Shape;
}

// The layout first: the window's resize keeps the top-left cells and kills the rest, and the
// changes then fill in the cells of the target's size, also those a smaller world cut off.
void TWorldHistory::Apply(const std::vector<TWord>& Mask, const std::vector<TWord>& Changes,
                          const TShape& Target) {
    const QScopedValueRollback<bool> Busy(Applying, true);
    if (Target.Layout != View.Layout())
        View.SetLayout(Target.Layout);
    std::size_t Next = 0;
    for (std::size_t M = 0; M < Mask.size(); ++M) {
        for (TWord Bits = Mask[M]; Bits != 0; Bits &= Bits - 1)
            Engine.FlipStates(int(M * 64) + std::countr_zero(Bits), Changes[Next++]);
    }
    Engine.BackupGeneration();
    Engine.SetGeneration(Target.Generation);
    Engine.CopyStates(Recorded.data());
    RecordedShape = Target;
    View.Show();
}

qsizetype TWorldHistory::StepBytes() const {
    qsizetype Bytes = 0;
    for (int I = 0; I < Steps.count(); ++I)
        Bytes += static_cast<const TWorldStep*>(Steps.command(I))->Bytes();
    return Bytes;
}

bool TWorldHistory::Unrecorded() const {
    return ShapeNow() != RecordedShape;
}

QString TWorldHistory::RunText(qint32 Generation) {
    return QStringLiteral("Spel tot generatie %1").arg(Generation);
}
