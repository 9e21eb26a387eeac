// The world grid, its links for the four wrap modes, and the generation step.

#include "tests/testhelpers.h"

#include <QTest>

class TstEngine : public QObject {
    Q_OBJECT

private slots:
    void emptyWorldStaysEmpty();
};

void TstEngine::emptyWorldStaysEmpty() {
    auto Form = CreateForm();
    TLifeFormProbe Probe(*Form);
    Form->CalcNextGeneration();
    QCOMPARE(LiveCells(*Form), 0);
    QCOMPARE(Probe.Generation, 1);
}

QTEST_MAIN(TstEngine)
#include "tst_engine.moc"
