#pragma once
// The game's readers fed with any bytes at all: the fuzz targets of tests/fuzz/targets and the
// test of the damaged files kept under tests/fuzz/damaged run them the same way.
#include <QByteArray>

#include <string>
#include <vector>

/// Promises a reader broke on one input (empty when it kept them all), each in a line.
using BrokenPromises = std::vector<std::string>;

/// One reader: it reads the bytes as the game reads a file of that kind, uses what it read as the
/// game would for a few ticks (drawing it, where the reader needs GL), and checks what the game
/// relies on afterwards. Crashes, hangs and
/// undefined behaviour in between are the sanitizers' to find.
struct sReaderRun
{
    const char* name;  ///< the fuzz target's name and the folder of its damaged files
    BrokenPromises (*run)(const QByteArray& bytes);
    bool needsGl;      ///< needs the shared assets, and so a current GL context
};

/// Every reader of the game, in the order the fuzz script runs them.
const std::vector<sReaderRun>& ReaderRuns();
/// The reader of that name, or null.
const sReaderRun* FindReaderRun(const std::string& name);
