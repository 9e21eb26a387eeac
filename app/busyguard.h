#pragma once

// The busy cursor and a "Bezig ..." text in the message panel for the length of a scope;
// both are undone on every way out of it, also when an exception leaves it.

#include <QString>

class QLabel;

class TBusyGuard {
public:
    TBusyGuard(QLabel* MessagePanel, const QString& Text);
    // The cursor alone, for work whose text comes later with Show.
    explicit TBusyGuard(QLabel* MessagePanel);
    void Show(const QString& Text);
    ~TBusyGuard();
    TBusyGuard(const TBusyGuard&) = delete;
    TBusyGuard& operator=(const TBusyGuard&) = delete;

private:
    QLabel* Panel;
};
