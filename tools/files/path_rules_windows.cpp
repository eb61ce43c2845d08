// The paths Windows would not take as the user wrote them. Left to the system,
// each makes something other than was asked, or fails with a cause that names
// another fault; refused first, in words that name the rule.
#include "tools/files/files.h"

#include "config/text.h"

#include <algorithm>

namespace {

constexpr std::string_view verbatim = R"(\\?\)";

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool startsWithDrive(std::string_view path) {
    return path.size() >= 2 &&
           ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
           path[1] == ':';
}

// "C:\" or "C:/": a drive and its root folder.
bool startsAtDriveRoot(std::string_view path) {
    return startsWithDrive(path) && path.size() > 2 && isSeparator(path[2]);
}

std::string inQuotes(std::string_view text) {
    return "\"" + shownPath(text) + "\"";
}

// The device a name opens instead of a file, whatever follows a dot: "nul.txt"
// is NUL; or empty.
std::string deviceNamed(std::string_view name) {
    std::string base(name.substr(0, name.find('.')));
    base.erase(base.find_last_not_of(' ') + 1);
    std::ranges::transform(base, base.begin(), [](char c) {
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    // COM and LPT take a digit, 0 too, or a superscript ¹, ² or ³ (in UTF-8).
    const std::string_view number =
        std::string_view(base).substr(std::min<std::size_t>(3, base.size()));
    const bool numbered = (base.starts_with("COM") || base.starts_with("LPT")) &&
                          ((number.size() == 1 && number[0] >= '0' && number[0] <= '9') ||
                           number == "\xC2\xB9" || number == "\xC2\xB2" || number == "\xC2\xB3");
    return numbered || base == "CON" || base == "PRN" || base == "AUX" || base == "NUL" ||
                   base == "CONIN$" || base == "CONOUT$"
               ? base
               : "";
}

// Why Windows would not make or open a folder or file of this name; or empty.
std::string nameProblem(std::string_view name) {
    if (name.empty() || name == "." || name == "..") {
        return ""; // "a//b" is "a/b"; "." and ".." are resolved
    }
    constexpr std::string_view forbidden = "<>:\"|?*";
    const auto bad = std::ranges::find_if(name, [&](char c) {
        return forbidden.find(c) != forbidden.npos || static_cast<unsigned char>(c) < ' ';
    });
    if (bad != name.end()) {
        return inQuotes(name) + " holds " + inQuotes({bad, bad + 1}) +
               ", which Windows allows in no name, nor any of < > : \" | ? * or a control "
               "character; choose another name";
    }
    if (name.back() == ' ' || name.back() == '.') {
        return "Windows drops a blank or dot at the end of a name, so " + inQuotes(name) +
               " would be " + inQuotes(name.substr(0, name.find_last_not_of(" .") + 1)) +
               "; choose a name that does not end with one";
    }
    if (const std::string device = deviceNamed(name); !device.empty()) {
        return inQuotes(name) + " names the device " + device +
               " on Windows, as does every name whose part before a dot is CON, PRN, AUX, NUL, "
               "CONIN$, CONOUT$, COM0 to COM9, LPT0 to LPT9, or COM or LPT and ¹, ² or ³; choose "
               "another name";
    }
    return "";
}

} // namespace

std::string windowsPathProblem(const std::string& path) {
    std::string_view rest = path;
    const bool exact = rest.starts_with(verbatim);
    // \\?\, \\.\, //./ and their like reach the system's devices; of them, the
    // tools take a drive's folders only.
    if (rest.size() >= 4 && isSeparator(rest[0]) && isSeparator(rest[1]) &&
        (rest[2] == '.' || rest[2] == '?') && isSeparator(rest[3])) {
        const std::string prefix(rest.substr(0, 4));
        rest.remove_prefix(4);
        if (!startsAtDriveRoot(rest)) {
            return "after " + prefix + " the tools take a folder on a drive, as in " + prefix +
                   "C:" + prefix[3] + "folder";
        }
    }
    if (startsWithDrive(rest) && !startsAtDriveRoot(rest)) {
        const std::string drive(rest.substr(0, 2));
        return inQuotes(drive) + " with no \"\\\" after it means the current folder of drive " +
               drive + ", which may be anywhere; write the whole path, as in " + drive + "\\" +
               std::string(rest.substr(2));
    }
    if (startsAtDriveRoot(rest)) {
        rest.remove_prefix(3);
    }
    const std::string_view separators = exact ? "\\" : "\\/";
    for (std::size_t start = 0; start <= rest.size();) {
        const std::size_t end = std::min(rest.find_first_of(separators, start), rest.size());
        const std::string_view name = rest.substr(start, end - start);
        // After \\?\ nothing is normalised: "/" would be part of a name, and
        // "." and ".." names of their own.
        const bool unnamed = name.empty() && end < rest.size();
        if (exact && (unnamed || name == "." || name == ".." || name.find('/') != name.npos)) {
            return "after \\\\?\\ Windows takes the path exactly as written, with one \"\\\" "
                   "between names and no \".\", \"..\" or \"/\"; write the whole path so";
        }
        if (std::string problem = nameProblem(name); !problem.empty()) {
            return problem;
        }
        start = end + 1;
    }
    return "";
}
