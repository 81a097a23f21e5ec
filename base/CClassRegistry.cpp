#include "base/CClassRegistry.h"

#include <stdexcept>

void CClassRegistry::Register(std::string name, Factory factory) {
    if (name.empty() || !factory)
        throw std::invalid_argument("a class needs a name and a factory");
    if (m_mapFactories.contains(name))
        throw std::invalid_argument("class registered twice: " + name);
    m_mapFactories.emplace(std::move(name), std::move(factory));
}

const CClassRegistry::Factory* CClassRegistry::Find(std::string_view name) const {
    auto it = m_mapFactories.find(name);
    return it == m_mapFactories.end() ? nullptr : &it->second;
}

std::unique_ptr<CObject> CClassRegistry::Create(std::string_view name) const {
    const Factory* factory = Find(name);
    return factory ? (*factory)() : nullptr;
}
