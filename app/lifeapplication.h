#pragma once

// The application object with the program's general error report: an exception that
// escapes an event handler is shown in a Dutch error dialog with its text, and the program
// goes on with the next event.

#include <QApplication>

#include <exception>

class TLifeApplication : public QApplication {
    Q_OBJECT

public:
    TLifeApplication(int& Argc, char** Argv);

    bool notify(QObject* Receiver, QEvent* Event) override;

private:
    void ShowException(const std::exception& Error);

    bool Reporting = false; // a report is shown
};
