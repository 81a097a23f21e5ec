#include "cli/options/CCheckOptions.h"

CCheckOptions::CCheckOptions()
    : CCommandOptions("check", Arguments::File, "check FILE",
                      "test the net for the C/E system requirements") {}
