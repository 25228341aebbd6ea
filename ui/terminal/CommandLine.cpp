// Parsing the pladdo command line.
#include "ui/terminal/CommandLine.h"

#include <charconv>
#include <string_view>

#include "engine/Codepage.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

CommandLine Failure(int id, std::string_view argument) {
  CommandLine result;
  result.mode = RunMode::Error;
  result.error = FormatString(id, FileLineToCp1252(argument));
  return result;
}

// Splits "--name=value" into its name and value; a plain "--name" has none.
std::string_view OptionName(std::string_view arg,
                            std::optional<std::string_view>& value) {
  value.reset();
  if (arg.starts_with("--")) {
    const std::size_t equals = arg.find('=');
    if (equals != std::string_view::npos) {
      value = arg.substr(equals + 1);
      return arg.substr(0, equals);
    }
  }
  return arg;
}

std::optional<unsigned> ParseSeed(std::string_view text) {
  unsigned seed = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, seed);
  if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
  return seed;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& args) {
  CommandLine result;
  std::size_t i = 0;
  const bool check = !args.empty() && args[0] == "check";
  if (check) {
    result.mode = RunMode::Check;
    i = 1;
  }
  bool onlyFiles = false;  // after "--" every argument is a file

  for (; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    std::optional<std::string_view> value;
    const std::string_view name = onlyFiles ? arg : OptionName(arg, value);

    if (check && (onlyFiles || !name.starts_with("-") || name == "-")) {
      result.checkFiles.push_back(FileLineToCp1252(arg));
      continue;
    }
    if (name == "--") {
      if (!check) return Failure(IDS_CMD_UNEXPECTED, arg);
      onlyFiles = true;
      continue;
    }

    const bool takesValue = name == "--profile1" || name == "--profile2" ||
                            name == "--language" || name == "--seed";
    const bool allowed = check ? name == "--language" || name == "--help" ||
                                     name == "-h"
                               : takesValue || name == "--terminal" ||
                                     name == "-t" || name == "--auto" ||
                                     name == "--names" || name == "--help" ||
                                     name == "-h" || name == "--version";
    if (!allowed) {
      return Failure(name.starts_with("-") ? IDS_CMD_UNKNOWN_OPTION
                                           : IDS_CMD_UNEXPECTED,
                     arg);
    }
    if (!takesValue && value) return Failure(IDS_CMD_UNKNOWN_OPTION, arg);
    if (takesValue && !value) {
      if (i + 1 >= args.size()) return Failure(IDS_CMD_MISSING_VALUE, name);
      value = args[++i];
    }

    if (name == "--profile1") {
      result.options.strProfile1 = FileLineToCp1252(*value);
    } else if (name == "--profile2") {
      result.options.strProfile2 = FileLineToCp1252(*value);
    } else if (name == "--language") {
      result.options.strLanguageFile = FileLineToCp1252(*value);
    } else if (name == "--seed") {
      result.seed = ParseSeed(*value);
      if (!result.seed) return Failure(IDS_CMD_BAD_SEED, *value);
    } else if (name == "--terminal" || name == "-t") {
      result.mode = RunMode::Terminal;
    } else if (name == "--auto") {
      result.options.bAutoDialog = true;
    } else if (name == "--names") {
      result.options.bPrintNames = true;
    } else if (name == "--help" || name == "-h") {
      result.mode = RunMode::Help;
      return result;
    } else if (name == "--version") {
      result.mode = RunMode::Version;
      return result;
    }
  }

  if (check && result.checkFiles.empty()) {
    CommandLine failure;
    failure.mode = RunMode::Error;
    failure.error = LoadString(IDS_CMD_CHECK_NO_FILES);
    return failure;
  }
  return result;
}

}  // namespace pladdo
