#pragma once

// The small dialog of "Ga naar generatie...": which later generation the world runs to.

#include <QtGlobal>

#include <optional>

class QWidget;

// A generation after Current, at most the counter's largest value; none when the user
// cancels. Current must be below that largest value.
std::optional<qint32> AskGeneration(QWidget* Parent, qint32 Current);
