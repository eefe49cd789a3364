#pragma once

#include "app/CommandLine.h"
#include "data/mData.h"

// An export of the command line, for a nightly job: reads the stored days of the database the
// window would open, writes the file and returns 0, showing nothing and needing no display. A
// failure is one line on standard error and exit code 1; a file of that name is then kept as
// it was.
int RunHeadlessExport(const TCommandLine& commandLine, const TDatabasePlace& place, int& argc,
                      char** argv);
