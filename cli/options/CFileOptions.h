#pragma once

#include "cli/options/CCommandOptions.h"

// The commands that only load and save: resave FILE OUT, new OUT.
class CFileOptions : public CCommandOptions {
public:
    enum class Command { Resave, New };
    explicit CFileOptions(Command command)
        : CCommandOptions(command == Command::Resave ? "resave" : "new",
                          command == Command::Resave ? Arguments::FileAndOutput : Arguments::Output,
                          command == Command::Resave ? "resave FILE OUT" : "new OUT",
                          command == Command::Resave ? "load and save unchanged"
                                                     : "save a new, empty document") {}
};
