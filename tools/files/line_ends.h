#pragma once

// Line ends of old Mac editors: a CR alone. The plug-in and the dry run split
// lines at LF, so a file with only these reads as one long line.

#include <string_view>

// CRs between lines of text and no LF anywhere; CRs after the last text end
// no line that anything reads.
inline bool crOnlyLineEnds(std::string_view text) {
    const auto lastText = text.find_last_not_of('\r');
    return text.find('\n') == std::string_view::npos && lastText != std::string_view::npos &&
           text.find('\r') < lastText;
}
