// The Swedish account of how an engine's last welcome or reply came about,
// shown by "Varför det svaret?" in the window and /varför in the terminal.
#pragma once

#include <string>
#include <string_view>

#include "engine/ReplyTrace.h"

namespace pladdo {

// A row as the account names it: the file's name without its folder, ":",
// the line, a blank and the row as written ("pladdo.ppf:412 ?hur mår du").
std::string NameTraceRow(const TraceRow& row);

// The account of trace under heading, one fact a line, lines ending in LF.
// Windows-1252, message codes already translated.
std::string DescribeTrace(const ReplyTrace& trace, std::string_view heading);

}  // namespace pladdo
