#pragma once

// The shared pattern files the open benchmark reads: as large as a pattern file may be,
// written once from a fixed seed.

#include <QString>

#include <vector>

struct TPatternFile {
    QString Name; // "rle 8 MiB": what the table calls it
    QString Path;
};

// Writes into Folder an RLE soup and a macrocell soup of just under the 8 MiB bound, both
// far larger than the largest world, and a gzip file of that RLE, which inflates to it;
// then macrocell gliders in a square of level 6 and of level 60, and squares of level 11
// and 60 with every cell live, each pair of which should open in the same time; last, files
// of the shortest lines each format allows, as many as fit under the bound.
std::vector<TPatternFile> WriteLargePatternFiles(const QString& Folder);
