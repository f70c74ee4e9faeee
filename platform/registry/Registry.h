#pragma once

#include <QString>
#include <cstdint>

namespace lumera {

// The predefined root key the programs use; roots are kept as the 32-bit handle numbers.
constexpr std::uint32_t HKEY_CURRENT_USER = 0x80000001u;

// The per-user registry: string values under key paths below a root. Key paths and value
// names compare without regard to case, as the registry did.
class Registry {
public:
    virtual ~Registry() = default;
    // Creates the key and its parents as needed and stores the value. Failures are silent.
    virtual void SetRegistryString(std::uint32_t root, const QString& keyPath,
                                   const QString& valueName, const QString& data) = 0;
    // Removes the value; a missing key or value goes unnoticed.
    virtual void DeleteRegistryValue(std::uint32_t root, const QString& keyPath,
                                     const QString& valueName) = 0;
    // The stored value, or empty text.
    virtual QString value(std::uint32_t root, const QString& keyPath,
                          const QString& valueName) const = 0;
};

} // namespace lumera
