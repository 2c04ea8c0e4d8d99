#pragma once

#include <QtGlobal>

#include <array>
#include <string_view>

// The serialisable classes an archive may name, with the schema number each one is stored with.
// A stream that names any other class is refused, and so is a known class stored with another
// schema.
struct SArchiveClass {
    std::string_view name;
    quint16 schema;
};

namespace ClassRegistry {

inline constexpr std::array<SArchiveClass, 5> kClasses{{
    {"CGrade", 0},
    {"CMissed", 0},
    {"CVocabulary", 1},
    {"CUser", 0},
    {"CSpellingRules", 0},
}};

// Class names are stored with a 2-byte length; a name of this many bytes or more is refused.
inline constexpr int kMaxNameLength = 64;

// The registered class of that name, or nullptr.
constexpr const SArchiveClass* Find(std::string_view name)
{
    for (const SArchiveClass& c : kClasses) {
        if (c.name == name)
            return &c;
    }
    return nullptr;
}

// True when T is registered under its kClassName with its kSchema.
template <class T>
constexpr bool IsRegistered()
{
    const SArchiveClass* c = Find(T::kClassName);
    return c != nullptr && c->schema == T::kSchema;
}

}  // namespace ClassRegistry
