#include "config/explain.h"

#include "config/text.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <utility>
#include <vector>

namespace {

std::string withoutUnderscores(std::string text) {
    std::erase(text, '_');
    return text;
}

// The most slips a near miss may have.
constexpr std::size_t maxSlips = 2;

// Edits (insert, delete, replace, swap two neighbours) that make `a` into `b`,
// counted only up to `limit` (at most maxSlips): past it, limit + 1. Only the
// cells within `limit` of the diagonal can stay within it, so each row keeps
// just those, and the count stops at the first row past the limit.
std::size_t editDistance(std::string_view a, std::string_view b, std::size_t limit) {
    const std::size_t over = limit + 1;
    if (std::max(a.size(), b.size()) - std::min(a.size(), b.size()) > limit) {
        return over;
    }
    const auto n = static_cast<std::ptrdiff_t>(a.size()), m = static_cast<std::ptrdiff_t>(b.size());
    const auto band = static_cast<std::ptrdiff_t>(limit);
    // Cell k of row i is column j = i + k - band.
    std::array<std::size_t, 2 * maxSlips + 1> twoBack{}, oneBack{}, row{};
    twoBack.fill(over);
    for (std::ptrdiff_t k = 0; k <= 2 * band; ++k) {
        const std::ptrdiff_t j = k - band;
        oneBack[k] = j >= 0 && j <= m ? static_cast<std::size_t>(j) : over;
    }
    for (std::ptrdiff_t i = 1; i <= n; ++i) {
        std::size_t best = over;
        for (std::ptrdiff_t k = 0; k <= 2 * band; ++k) {
            const std::ptrdiff_t j = i + k - band;
            std::size_t cell = over;
            if (j == 0) {
                cell = static_cast<std::size_t>(i);
            } else if (j > 0 && j <= m) {
                cell = oneBack[k] + (a[i - 1] == b[j - 1] ? 0 : 1);
                if (k < 2 * band) {
                    cell = std::min(cell, oneBack[k + 1] + 1);
                }
                if (k > 0) {
                    cell = std::min(cell, row[k - 1] + 1);
                }
                if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                    cell = std::min(cell, twoBack[k] + 1);
                }
            }
            row[k] = std::min(cell, over);
            best = std::min(best, row[k]);
        }
        if (best == over) {
            return over;
        }
        twoBack = oneBack;
        oneBack = row;
    }
    return oneBack[m - n + band];
}

// How often the bytes of a name occur, in 64 bins (a to z, "_", the digits,
// anything else by its value): two names whose counts differ by more than
// `limit` lie more than `limit` edits apart, whatever the order, and a bin
// shared by several bytes only hides differences. Which bins a name uses
// tells the same more roughly, in two instructions.
constexpr std::size_t binCount = 64, underscoreBin = 26;
using ByteCounts = std::array<std::uint8_t, binCount>;

std::size_t binOf(char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<std::size_t>(c - 'a');
    }
    if (c == '_') {
        return underscoreBin;
    }
    if (c >= '0' && c <= '9') {
        return 27 + static_cast<std::size_t>(c - '0');
    }
    return 37 + static_cast<unsigned char>(c) % (binCount - 37);
}

struct Bins {
    ByteCounts counts{};
    std::uint64_t used = 0;
};

Bins binsOf(std::string_view name) {
    Bins bins;
    for (const char c : name) {
        const std::size_t bin = binOf(c);
        bins.counts[bin] = static_cast<std::uint8_t>(std::min(bins.counts[bin] + 1, 255));
        bins.used |= std::uint64_t{1} << bin;
    }
    return bins;
}

// Whether a set of bins holds at most `limit` of them.
bool atMost(std::uint64_t bins, std::size_t limit) {
    for (std::size_t i = 0; i < limit && bins != 0; ++i) {
        bins &= bins - 1;
    }
    return bins == 0;
}

// Whether two names may lie within `limit` edits, as they are and without
// "_": each bin one of them uses and the other does not takes an edit, and so
// does each byte more in a bin on either side.
struct Near {
    bool whole, bare;
};
Near withinBins(const Bins& a, const Bins& b, std::size_t limit, Near near) {
    constexpr std::uint64_t underscore = std::uint64_t{1} << underscoreBin;
    const std::uint64_t onlyA = a.used & ~b.used, onlyB = b.used & ~a.used;
    near.whole = near.whole && atMost(onlyA, limit) && atMost(onlyB, limit);
    near.bare =
        near.bare && atMost(onlyA & ~underscore, limit) && atMost(onlyB & ~underscore, limit);
    if (!near.whole && !near.bare) {
        return near;
    }
    std::size_t more = 0, fewer = 0;
    for (std::uint64_t used = a.used | b.used; used != 0; used &= used - 1) {
        const auto bin = static_cast<std::size_t>(std::countr_zero(used));
        more += a.counts[bin] > b.counts[bin] ? a.counts[bin] - b.counts[bin] : 0;
        fewer += b.counts[bin] > a.counts[bin] ? b.counts[bin] - a.counts[bin] : 0;
    }
    const int underscores = a.counts[underscoreBin] - b.counts[underscoreBin];
    const std::size_t moreBare = more - static_cast<std::size_t>(std::max(underscores, 0));
    const std::size_t fewerBare = fewer - static_cast<std::size_t>(std::max(-underscores, 0));
    return {near.whole && more <= limit && fewer <= limit,
            near.bare && moreBare <= limit && fewerBare <= limit};
}

struct DefaultName {
    std::string_view name;
    std::uint32_t hash;
    std::string bare; // without "_"
    Bins bins;
};

const std::vector<DefaultName>& defaultNames() {
    static const std::vector<DefaultName> names = [] {
        std::vector<DefaultName> all;
        for (const std::string_view name : defaultModelNames()) {
            all.push_back(
                {name, nameHash(name), withoutUnderscores(std::string(name)), binsOf(name)});
        }
        return all;
    }();
    return names;
}

// A listed name, folded, as the near-miss search compares it.
struct Folded {
    std::string lower, bare;
    Bins bins;
};

std::size_t apart(std::size_t a, std::size_t b) {
    return std::max(a, b) - std::min(a, b);
}

// Up to two slips of a key from a default name of 14 characters or more (as
// all are today), one from a name of 7 or more; a "_" too many or too few,
// and case, are no slip. The lengths, then the bins, turn most names down
// before any edit is counted.
std::optional<std::size_t> slips(const Folded& name, const DefaultName& known) {
    const std::size_t limit = std::min<std::size_t>(maxSlips, known.name.size() / 7);
    Near near{apart(name.lower.size(), known.name.size()) <= limit,
              apart(name.bare.size(), known.bare.size()) <= limit};
    if (near.whole || near.bare) {
        near = withinBins(name.bins, known.bins, limit, near);
    }
    std::size_t distance = limit + 1;
    if (near.whole) {
        distance = editDistance(name.lower, known.name, limit);
    }
    if (distance > limit && near.bare) {
        distance = editDistance(name.bare, known.bare, limit);
    }
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

std::optional<Warning> nearMiss(std::string_view name) {
    Folded folded{foldedName(name), {}, {}};
    if (std::ranges::any_of(defaultNames(), [&](const DefaultName& known) {
            return isSibling(folded.lower, known.name);
        })) {
        return std::nullopt;
    }
    folded.bare = withoutUnderscores(folded.lower);
    folded.bins = binsOf(folded.lower);
    std::optional<std::size_t> fewest;
    std::vector<std::string> nearest;
    for (const DefaultName& known : defaultNames()) {
        const auto distance = slips(folded, known);
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
    return Warning{quotedText(name) + " is not one of the default models; did you mean " +
                       joinedList(nearest, "or") + "?",
                   "if so, write that name; a tree model of your own is fine as it is",
                   {}};
}

// Why two spellings name one model.
std::string sameModelReason(std::string_view a, std::string_view b) {
    if (foldedName(a) != foldedName(b)) {
        return "the game reads both names as one model";
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

std::optional<Warning> modelNameWarning(ListedModelNames& seen, int line, std::string_view name) {
    const std::uint32_t hash = nameHash(name);
    const auto before = seen.byHash.find(hash);
    std::optional<Warning> said;
    if (before != seen.byHash.end() && before->second.name != name) {
        said = Warning{
            quotedText(name) + " is the same model as " + quotedText(before->second.name) +
                " on line " + std::to_string(before->second.line) + ": " +
                sameModelReason(name, before->second.name),
            "keep one of the two lines", "the game's hash of both names is " + hashText(hash)};
    } else if (before == seen.byHash.end() &&
               std::ranges::none_of(defaultNames(),
                                    [&](const DefaultName& known) { return known.hash == hash; })) {
        said = nearMiss(name);
    }
    seen.byHash.insert_or_assign(hash, ListedModelNames::Listed{line, std::string(name)});
    return said;
}
