#pragma once

// Macrocell, the format Golly writes for large patterns: a quadtree whose equal parts are
// written once. The first line begins "[M2]"; "#" lines are comments but for "#R rule";
// every other line that is not blank is one node, numbered from 1:
//   - a leaf, 8 x 8 cells: rows of "." (dead) and "*" (live), each ended by "$", top row
//     first, trailing dead cells and trailing empty rows left out;
//   - "level nw ne sw se": a square of 2^level cells a side (level 4 or more) made of four
//     nodes of the level below, or 0 for an empty quarter.
// The last node is the whole pattern.
//
// The top-left corner of each node's live cells is computed once, from its quarters'
// corners, when the node is read; then only the quarters that reach into the largest world,
// laid with its top-left corner on the pattern's, are expanded. A pattern of level 60 opens
// as fast as a small one.

#include "patterns/patternformats.h"

// The highest level read: a side of 2^62 cells keeps every coordinate within 64 bits.
constexpr int MacrocellMaxLevel = 62;

// The first line of Text is the "[M2]" line. Refused as broken: a leaf or node line that
// breaks the rules above (a number beyond 64 bits included), a node below level 4
// (multistate files begin with such), above MacrocellMaxLevel, a quarter not defined yet
// or of another level than the one below, a "#R" line without a rule, a file without
// nodes. A "#R" rule other than Conway's is refused with that rule.
TPatternRows ReadMacrocell(QByteArrayView Text);
