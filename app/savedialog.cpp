// The save dialog and its check of the chosen file's folder.

#include "app/savedialog.h"

#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

TSaveDialog::TSaveDialog(QWidget* Parent, const QString& Caption) : QFileDialog(Parent, Caption) {}

// Worded and shown as Qt's file dialogs word and show their own refusals.
void TSaveDialog::accept() {
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
