#pragma once

#include "base/CObject.h"

#include <concepts>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

// The classes a loading archive may create, by the name under which they are stored.
// The document fills one registry with the classes of its file and hands it to every
// archive it loads; there is deliberately no global registry.
class CClassRegistry {
public:
    using Factory = std::function<std::unique_ptr<CObject>()>;

    // Adds a class; the name must be the one the class's GetClassName returns, so that a
    // stored object comes back as the same class. A name can be registered only once.
    void Register(std::string name, Factory factory);
    template <class T>
    requires std::derived_from<T, CObject> && std::default_initializable<T>
    void Register(std::string name) {
        Register(std::move(name), [] { return std::unique_ptr<CObject>(std::make_unique<T>()); });
    }

    bool IsRegistered(std::string_view name) const { return Find(name) != nullptr; }
    // The factory for the name, or null for a name no class has.
    const Factory* Find(std::string_view name) const;
    // A default-constructed object of the named class, or null for an unknown name.
    std::unique_ptr<CObject> Create(std::string_view name) const;
    std::size_t GetCount() const { return m_mapFactories.size(); }

private:
    std::map<std::string, Factory, std::less<>> m_mapFactories;
};
