// The save dialog and its check of the chosen file's folder.

#include "app/savedialog.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QRegularExpression>

#include <optional>

namespace {

// "rle" of "RLE-bestanden (*.rle)"; nothing for a filter whose first pattern names no
// extension, such as "alle bestanden (*)".
std::optional<QString> FilterSuffix(const QString& Filter) {
    static const QRegularExpression FirstPattern(QStringLiteral("\\(\\*\\.(\\w+)"));
    const QRegularExpressionMatch Match = FirstPattern.match(Filter);
    return Match.hasMatch() ? std::optional(Match.captured(1)) : std::nullopt;
}

} // namespace

TSaveDialog::TSaveDialog(QWidget* Parent, const QString& Caption) : QFileDialog(Parent, Caption) {}

// Worded and shown as Qt's file dialogs word and show their own refusals.
void TSaveDialog::accept() {
    setDefaultSuffix(FilterSuffix(selectedNameFilter())
                         .value_or(FilterSuffix(nameFilters().value(0)).value_or(QString())));
    const QStringList Chosen = selectedFiles();
    if (const QFileInfo File(Chosen.value(0)); !Chosen.isEmpty() && !File.absoluteDir().exists()) {
        QMessageBox::warning(
            this, windowTitle(),
            QStringLiteral("%1\nMap niet gevonden.\nGa na dat de juiste mapnaam is gegeven.")
                .arg(QDir::toNativeSeparators(File.absolutePath())));
        return;
    }
    QFileDialog::accept();
}
