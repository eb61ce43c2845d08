#include "tools/check/checker.h"

#include "config/text.h"

#include <cstdio>

namespace {

constexpr std::string_view indent = "        ";

void showWarnings(const std::vector<Warning>& warnings, bool details, std::ostream& out) {
    for (const Warning& warning : warnings) {
        out << indent << "warning: " << warning.problem << "\n"
            << indent << "fix: " << warning.fix << "\n";
        if (details && !warning.details.empty()) {
            out << indent << "details: " << warning.details << "\n";
        }
    }
}

void showLine(const LineVerdict& line, bool details, std::ostream& out) {
    char number[16];
    std::snprintf(number, sizeof number, "%4d  ", line.number);
    out << number << quotedText(line.text, 200) << "\n" << indent << line.does << "\n";
    if (details && !line.details.empty()) {
        out << indent << "details: " << line.details << "\n";
    }
    showWarnings(line.warnings, details, out);
}

// "scanRadius=50, debug=true": the settings in force, as the file spells them.
std::string settingsInForce(const Settings& settings) {
    std::string text;
    for (const SettingDeclaration& setting : settingTable) {
        text.append(text.empty() ? "" : ", ").append(setting.text);
        switch (setting.key) {
        case SettingKey::ScanRadius:
            text += "=" + shownNumber(settings.scanRadius);
            break;
        case SettingKey::Debug:
            text += settings.debug ? "=true" : "=false";
            break;
        }
    }
    return text;
}

} // namespace

int showVerdict(const std::string& name, const FileVerdict& verdict, const CheckOptions& options,
                std::ostream& out) {
    const bool everyLine = options.view == CheckOptions::View::EveryLine;
    out << name
        << (everyLine ? ", line by line as the plug-in reads it:\n"
                      : ", the lines with warnings:\n");
    std::size_t warnings = verdict.fileWarnings.size();
    for (const LineVerdict& line : verdict.lines) {
        warnings += line.warnings.size();
        if (everyLine || !line.warnings.empty()) {
            showLine(line, options.details, out);
        }
    }
    if (!verdict.fileWarnings.empty()) {
        out << "the file as a whole:\n";
        showWarnings(verdict.fileWarnings, options.details, out);
    }
    if (warnings == 0 && !everyLine) {
        out << "  none: every line takes effect as written\n";
    }
    out << "summary: " << settingsInForce(verdict.settings) << ", "
        << counted(static_cast<long long>(verdict.treeModels), "tree model listed",
                   "tree models listed")
        << ", " << counted(static_cast<long long>(warnings), "warning") << "\n";
    if (options.view == CheckOptions::View::OwnWindow) {
        out << "(bramblecap-check --all, in a command prompt, shows what every line does)\n";
    }
    return warnings == 0 ? 0 : 1;
}
