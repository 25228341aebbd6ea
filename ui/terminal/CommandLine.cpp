// Parsing the pladdo command line: one table names every option once.
#include "ui/terminal/CommandLine.h"

#include <charconv>
#include <string_view>

#include "engine/Codepage.h"
#include "ui/StringTable.h"

namespace pladdo {
namespace {

enum class Option {
  Terminal,
  Profile1,
  Profile2,
  Language,
  Auto,
  Names,
  Seed,
  Inputs,
  Help,
  Version,
};

// The modes an option belongs to.
enum ModeMask : unsigned {
  kChat = 1u << 0,    // the window or the terminal chat
  kCheck = 1u << 1,   // pladdo check
  kVerify = 1u << 2,  // pladdo verify
};

struct OptionRow {
  std::string_view name;
  std::string_view shortName;  // "" when there is none
  Option option;
  bool takesValue;
  unsigned modes;
};

constexpr OptionRow kOptions[] = {
    {"--terminal", "-t", Option::Terminal, false, kChat},
    {"--profile1", "", Option::Profile1, true, kChat},
    {"--profile2", "", Option::Profile2, true, kChat},
    {"--language", "", Option::Language, true, kChat | kCheck | kVerify},
    {"--auto", "", Option::Auto, false, kChat},
    {"--names", "", Option::Names, false, kChat},
    {"--seed", "", Option::Seed, true, kChat},
    {"--inputs", "", Option::Inputs, true, kVerify},
    {"--help", "-h", Option::Help, false, kChat | kCheck | kVerify},
    {"--version", "", Option::Version, false, kChat},
};

// The sub-commands: the first argument, when it is one of these words.
struct SubCommand {
  std::string_view word;
  RunMode mode;
  unsigned modes;
};

constexpr SubCommand kSubCommands[] = {
    {"check", RunMode::Check, kCheck},
    {"verify", RunMode::Verify, kVerify},
};

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

const OptionRow* FindOption(std::string_view name, unsigned mode) {
  for (const OptionRow& row : kOptions) {
    if ((row.modes & mode) != 0 &&
        (name == row.name ||
         (!row.shortName.empty() && name == row.shortName))) {
      return &row;
    }
  }
  return nullptr;
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
  unsigned mode = kChat;
  std::size_t i = 0;
  for (const SubCommand& sub : kSubCommands) {
    if (!args.empty() && args[0] == sub.word) {
      result.mode = sub.mode;
      mode = sub.modes;
      i = 1;
    }
  }
  const bool takesFiles = mode != kChat;
  bool onlyFiles = false;  // after "--" every argument is a file

  for (; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    std::optional<std::string_view> value;
    const std::string_view name = onlyFiles ? arg : OptionName(arg, value);

    if (takesFiles && (onlyFiles || !name.starts_with("-") || name == "-")) {
      result.files.push_back(FileLineToCp1252(arg));
      continue;
    }
    if (name == "--") {
      if (!takesFiles) return Failure(IDS_CMD_UNEXPECTED, arg);
      onlyFiles = true;
      continue;
    }
    const OptionRow* option = FindOption(name, mode);
    if (option == nullptr) {
      return Failure(
          name.starts_with("-") ? IDS_CMD_UNKNOWN_OPTION : IDS_CMD_UNEXPECTED,
          arg);
    }
    if (!option->takesValue && value)
      return Failure(IDS_CMD_UNKNOWN_OPTION, arg);
    if (option->takesValue && !value) {
      if (i + 1 >= args.size()) return Failure(IDS_CMD_MISSING_VALUE, name);
      value = args[++i];
    }

    switch (option->option) {
      case Option::Terminal:
        result.mode = RunMode::Terminal;
        break;
      case Option::Profile1:
        result.options.strProfile1 = FileLineToCp1252(*value);
        break;
      case Option::Profile2:
        result.options.strProfile2 = FileLineToCp1252(*value);
        break;
      case Option::Language:
        result.options.strLanguageFile = FileLineToCp1252(*value);
        break;
      case Option::Auto:
        result.options.bAutoDialog = true;
        break;
      case Option::Names:
        result.options.bPrintNames = true;
        break;
      case Option::Seed:
        result.seed = ParseSeed(*value);
        if (!result.seed) return Failure(IDS_CMD_BAD_SEED, *value);
        break;
      case Option::Inputs:
        result.inputsFile = FileLineToCp1252(*value);
        break;
      case Option::Help:
        result.mode = RunMode::Help;
        return result;
      case Option::Version:
        result.mode = RunMode::Version;
        return result;
    }
  }

  if (takesFiles && result.files.empty()) {
    CommandLine failure;
    failure.mode = RunMode::Error;
    failure.error = LoadString(mode == kVerify ? IDS_CMD_VERIFY_NO_FILES
                                               : IDS_CMD_CHECK_NO_FILES);
    return failure;
  }
  if (result.inputsFile && result.files.size() != 1) {
    CommandLine failure;
    failure.mode = RunMode::Error;
    failure.error = LoadString(IDS_CMD_VERIFY_INPUTS_ONE);
    return failure;
  }
  return result;
}

}  // namespace pladdo
