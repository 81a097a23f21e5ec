#pragma once

#include "cli/options/CSubcommandTable.h"

// The subcommands of zerin-cli in the order of its help, made on the first call; more
// may be added before a command line is read.
CSubcommandTable& CliSubcommands();
