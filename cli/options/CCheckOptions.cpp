#include "cli/options/CCheckOptions.h"

CCheckOptions::CCheckOptions()
    : CCommandOptions("check", Arguments::File,
                      "check FILE [--engine E] [--max-cases N] [--max-memory SIZE]",
                      "test the net for the C/E system requirements") {
    Engine(m_engine);
}
