// The busy scope of long operations.

#include "app/busyguard.h"

#include <QApplication>
#include <QLabel>

namespace {

// Lets the status text and the cursor show; user input waits until the work is done.
void ShowPendingPaints() {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace

TBusyGuard::TBusyGuard(QLabel* MessagePanel, const QString& Text) : Panel(MessagePanel) {
    Panel->setText(Text);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ShowPendingPaints();
}

TBusyGuard::TBusyGuard(QLabel* MessagePanel) : Panel(MessagePanel) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

void TBusyGuard::Show(const QString& Text) {
    Panel->setText(Text);
    ShowPendingPaints();
}

TBusyGuard::~TBusyGuard() {
    Panel->clear();
    QApplication::restoreOverrideCursor();
    ShowPendingPaints();
}
