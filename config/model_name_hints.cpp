#include "config/explain.h"

#include "config/text.h"

#include <algorithm>
#include <cstddef>
#include <vector>

namespace {

std::string withoutUnderscores(std::string text) {
    std::erase(text, '_');
    return text;
}

// Edits (insert, delete, replace, swap two neighbours) that make `a` into `b`;
// past `limit` the count only has to stay past it.
std::size_t editDistance(std::string_view a, std::string_view b, std::size_t limit) {
    if (std::max(a.size(), b.size()) - std::min(a.size(), b.size()) > limit) {
        return limit + 1; // a long line costs nothing to turn down
    }
    std::vector<std::size_t> beforeLast(b.size() + 1), last(b.size() + 1), row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        last[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t replace = last[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
            row[j] = std::min({last[j] + 1, row[j - 1] + 1, replace});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                row[j] = std::min(row[j], beforeLast[j - 2] + 1);
            }
        }
        std::swap(beforeLast, last);
        std::swap(last, row);
    }
    return last[b.size()];
}

struct DefaultName {
    std::string_view name;
    std::uint32_t hash;
    std::string bare; // without "_"
};

const std::vector<DefaultName>& defaultNames() {
    static const std::vector<DefaultName> names = [] {
        std::vector<DefaultName> all;
        for (const std::string_view name : defaultModelNames()) {
            all.push_back({name, nameHash(name), withoutUnderscores(std::string(name))});
        }
        return all;
    }();
    return names;
}

// Up to two slips of a key from a default name of 14 characters or more (as
// all are today), one from a name of 7 or more; a "_" too many or too few,
// and case, are no slip.
std::optional<std::size_t> slips(const std::string& name, const std::string& bare,
                                 const DefaultName& known) {
    const std::size_t limit = std::min<std::size_t>(2, known.name.size() / 7);
    const std::size_t distance =
        std::min(editDistance(name, known.name, limit), editDistance(bare, known.bare, limit));
    return distance <= limit ? std::optional(distance) : std::nullopt;
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}
bool isLetter(char c) {
    return c >= 'a' && c <= 'z';
}

// prop_tree_pine_03 beside _01 and _02, prop_palm_fan_03_e beside _03_a to
// _03_d: another number or letter at the end is a real model of the same
// family, not a slip, however near the family's other names lie.
bool isSibling(std::string_view lower, std::string_view known) {
    if (lower.empty() || lower.size() != known.size() ||
        lower.substr(0, lower.size() - 1) != known.substr(0, known.size() - 1)) {
        return false;
    }
    const char mine = lower.back(), theirs = known.back();
    return (isDigit(mine) && isDigit(theirs)) || (isLetter(mine) && isLetter(theirs));
}

std::optional<std::string> nearMiss(std::string_view name) {
    const std::string lower = foldedName(name), bare = withoutUnderscores(lower);
    if (std::ranges::any_of(defaultNames(), [&](const DefaultName& known) {
            return isSibling(lower, known.name);
        })) {
        return std::nullopt;
    }
    std::optional<std::size_t> fewest;
    std::vector<std::string> nearest;
    for (const DefaultName& known : defaultNames()) {
        const auto distance = slips(lower, bare, known);
        if (!distance || (fewest && *distance > *fewest)) {
            continue;
        }
        if (!fewest || *distance < *fewest) {
            fewest = distance;
            nearest.clear();
        }
        nearest.push_back(quotedText(known.name));
    }
    if (nearest.empty()) {
        return std::nullopt;
    }
    // "a", "b" or "c": a name a slip away from several is one of them, and
    // the player knows which.
    return quotedText(name) + " is not one of the default models; did you mean " +
           joinedList(nearest, "or") + "?";
}

// Why two spellings name one model.
std::string sameModelReason(std::string_view a, std::string_view b) {
    if (foldedName(a) != foldedName(b)) {
        return "the game's hash of both names is " + hashText(nameHash(a));
    }
    // Spelled alike but for case and slashes: each difference is one of them.
    bool byCase = false, bySlash = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) {
            (a[i] == '\\' || b[i] == '\\' ? bySlash : byCase) = true;
        }
    }
    return std::string("the game's names ") + (byCase && bySlash ? "ignore case and read \\ as /"
                                               : byCase          ? "ignore case"
                                                                 : "read \\ as /");
}

} // namespace

std::optional<std::string> modelNameHint(ListedModelNames& seen, int line, std::string_view name) {
    const std::uint32_t hash = nameHash(name);
    const auto before = seen.byHash.find(hash);
    std::optional<std::string> said;
    if (before != seen.byHash.end() && before->second.name != name) {
        said = quotedText(name) + " is the same model as " + quotedText(before->second.name) +
               " on line " + std::to_string(before->second.line) + ": " +
               sameModelReason(name, before->second.name);
    } else if (before == seen.byHash.end() &&
               std::ranges::none_of(defaultNames(),
                                    [&](const DefaultName& known) { return known.hash == hash; })) {
        said = nearMiss(name);
    }
    seen.byHash.insert_or_assign(hash, ListedModelNames::Listed{line, std::string(name)});
    return said;
}
