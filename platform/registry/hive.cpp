#include "platform/registry/hive.h"

#include "platform/ascii_case.h"

#include <algorithm>

namespace platform::registry {
namespace {

unsigned char Folded(char c) {
    return static_cast<unsigned char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
}

// The separator ranks lowest, so that "A\B" sorts between "A" and "A B".
int Rank(char c) {
    return c == '\\' ? 0 : Folded(c) + 1;
}

bool HasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

bool IsBelow(std::string_view path, std::string_view ancestor) {
    if (ancestor.empty())
        return !path.empty();
    return path.size() > ancestor.size() && path[ancestor.size()] == '\\' &&
           EqualsIgnoringAsciiCase(path.substr(0, ancestor.size()), ancestor);
}

template <typename Values> auto* FindIn(Values& values, std::string_view name) {
    const auto found = std::find_if(values.begin(), values.end(), [name](const HiveValue& value) {
        return EqualsIgnoringAsciiCase(value.name, name);
    });
    return found == values.end() ? nullptr : &*found;
}

} // namespace

bool KeyPathOrder::operator()(std::string_view left, std::string_view right) const {
    return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(),
                                        [](char a, char b) { return Rank(a) < Rank(b); });
}

Hive::Hive() {
    keys_.try_emplace("");
}

HiveValues* Hive::Find(std::string_view path) {
    const auto found = keys_.find(path);
    return found == keys_.end() ? nullptr : &found->second;
}

const HiveValues* Hive::Find(std::string_view path) const {
    const auto found = keys_.find(path);
    return found == keys_.end() ? nullptr : &found->second;
}

bool Hive::Create(std::string_view path) {
    if (path.empty() || Find(path))
        return false;
    // Up to the nearest key that exists; the ends of the missing ones, deepest first.
    std::vector<std::size_t> missingEnds{path.size()};
    std::string stored;
    for (std::size_t end = path.size(); end > 0;) {
        end = path.rfind('\\', end - 1);
        if (end == std::string_view::npos)
            break;
        if (const auto found = keys_.find(path.substr(0, end)); found != keys_.end()) {
            stored = found->first;
            break;
        }
        missingEnds.push_back(end);
    }
    std::size_t start = stored.empty() ? 0 : stored.size() + 1;
    for (auto end = missingEnds.rbegin(); end != missingEnds.rend(); ++end) {
        const std::string_view name = path.substr(start, *end - start);
        stored = stored.empty() ? std::string(name) : stored + '\\' + std::string(name);
        keys_.try_emplace(stored);
        start = *end + 1;
    }
    return true;
}

bool Hive::HasSubkeys(std::string_view path) const {
    const auto next = keys_.upper_bound(path);
    return next != keys_.end() && IsBelow(next->first, path);
}

void Hive::Remove(std::string_view path) {
    if (const auto found = keys_.find(path); found != keys_.end() && !path.empty())
        keys_.erase(found);
}

std::optional<std::string> CanonicalKeyPath(std::string_view parent, std::string_view subKey) {
    std::string canonical;
    for (const std::string_view part : {parent, subKey}) {
        std::size_t start = 0;
        while (start <= part.size()) {
            const std::size_t end = std::min(part.find('\\', start), part.size());
            const std::string_view name = part.substr(start, end - start);
            if (HasControlCharacter(name))
                return std::nullopt;
            if (!name.empty()) {
                if (!canonical.empty())
                    canonical += '\\';
                canonical += name;
            }
            start = end + 1;
        }
    }
    return canonical;
}

std::size_t KeyDepth(std::string_view path) {
    return path.empty() ? 0
                        : 1 + static_cast<std::size_t>(std::count(path.begin(), path.end(), '\\'));
}

bool IsStorableValueName(std::string_view name) {
    return !HasControlCharacter(name);
}

HiveValue* FindValue(HiveValues& values, std::string_view name) {
    return FindIn(values, name);
}

const HiveValue* FindValue(const HiveValues& values, std::string_view name) {
    return FindIn(values, name);
}

} // namespace platform::registry
