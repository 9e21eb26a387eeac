// The dialog that asks for a generation to run to.

#include "app/generationdialog.h"

#include <QInputDialog>

#include <limits>

namespace {

// Where the dialog starts: a thousand generations on, a step a user often wants.
constexpr qint32 DefaultStride = 1000;

} // namespace

std::optional<qint32> AskGeneration(QWidget* Parent, qint32 Current) {
    constexpr qint32 Largest = std::numeric_limits<qint32>::max();
    QInputDialog Dialog(Parent);
    Dialog.setObjectName(QStringLiteral("GoToGenerationDialog"));
    Dialog.setWindowTitle(QStringLiteral("Ga naar generatie"));
    Dialog.setLabelText(
        QStringLiteral("Naar generatie (%1 tot en met %2):").arg(Current + 1).arg(Largest));
    Dialog.setInputMode(QInputDialog::IntInput);
    Dialog.setIntRange(Current + 1, Largest);
    Dialog.setIntValue(Current < Largest - DefaultStride ? Current + DefaultStride : Largest);
    Dialog.setOkButtonText(QStringLiteral("OK"));
    Dialog.setCancelButtonText(QStringLiteral("Annuleren"));
    if (Dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return Dialog.intValue();
}
