#include "cli/options/CSubcommandTable.h"

bool CSubcommandTable::Add(MakeOptions makeOptions, Run run) {
    std::string name = makeOptions()->Name();
    if (Find(name))
        return false;
    m_arrSubcommands.push_back({std::move(name), std::move(makeOptions), std::move(run)});
    return true;
}

const CSubcommandTable::CSubcommand* CSubcommandTable::Find(const std::string& name) const {
    for (const CSubcommand& subcommand : m_arrSubcommands)
        if (subcommand.name == name)
            return &subcommand;
    return nullptr;
}

std::string CSubcommandTable::Overview() const {
    std::string text;
    for (const CSubcommand& subcommand : m_arrSubcommands)
        text += subcommand.makeOptions()->Summary();
    return text;
}
