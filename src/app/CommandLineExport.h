#pragma once

#include "files/CommandLine.h"

#include <QString>

// The command line's export: opens its file as the window would, at the
// window's start-up settings, and writes the picture (as "画像" saves it) or
// the CSV table to its output, whole or not at all. Returns the message to
// print, the same the window would show; empty when the file was written.
QString ExportWork(const CommandLine& line);
