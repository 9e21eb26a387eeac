// The general error report.

#include "app/lifeapplication.h"
#include "app/extmsgdlg.h"

#include <QScopedValueRollback>

#include <cstdio>
#include <new>

namespace {

// Out of memory gets a fixed text: the report itself should need as little as possible.
QString ReportText(const std::exception& Error) {
    const QString Cause = dynamic_cast<const std::bad_alloc*>(&Error)
                              ? QStringLiteral("Onvoldoende geheugen.")
                              : QString::fromUtf8(Error.what());
    return QStringLiteral("Er is een onverwachte fout opgetreden:\r\r") + Cause;
}

} // namespace

TLifeApplication::TLifeApplication(int& Argc, char** Argv) : QApplication(Argc, Argv) {}

// Every delivery, nested ones included, passes here, so an exception is caught at the
// innermost one and unwinds through few of Qt's own frames.
bool TLifeApplication::notify(QObject* Receiver, QEvent* Event) {
    try {
        return QApplication::notify(Receiver, Event);
    } catch (const std::exception& Error) {
        ShowException(Error);
        return false;
    }
}

// One report at a time: a handler that fails again while the report is open, a timer tick
// say, would otherwise stack reports without end. Its exception is dropped.
void TLifeApplication::ShowException(const std::exception& Error) {
    if (Reporting)
        return;
    const QScopedValueRollback Showing(Reporting, true);
    try {
        ExtMessageDlg(ReportText(Error), mtError, mbOK, 0);
    } catch (const std::exception&) {
        // Not even the report could be made, as when memory has run out entirely.
        std::fprintf(stderr, "%s\n", Error.what());
    }
}
