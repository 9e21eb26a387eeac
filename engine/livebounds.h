#pragma once

// The bounding box of the live cells, found a word of 64 cells at a time.

#include "engine/lifeengine.h"

#include <QRect>

// The smallest rectangle of cells that holds every live in-use cell; empty when none lives.
QRect LiveBounds(const TLifeEngine& World);
