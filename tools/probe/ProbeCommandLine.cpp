#include "tools/probe/ProbeCommandLine.h"

#include <algorithm>
#include <array>
#include <vector>

namespace probe {
namespace {

constexpr std::array<std::string_view, 3> kValueOptions = {"-msglevel", "-vo", "-ao"};
constexpr std::array<std::string_view, 5> kHelpOptions = {"-h", "-help", "--help", "-?", "/?"};

template <std::size_t N>
bool IsOneOf(std::string_view arg, const std::array<std::string_view, N>& names) {
  return std::find(names.begin(), names.end(), arg) != names.end();
}

// "2>&1", ">out", "1>>log", "<in": a shell would have consumed these.
bool IsRedirection(std::string_view arg) {
  std::size_t i = 0;
  while (i < arg.size() && arg[i] >= '0' && arg[i] <= '9') ++i;
  return i < arg.size() && (arg[i] == '>' || arg[i] == '<');
}

bool IsPipe(std::string_view arg) {
  return !arg.empty() && arg.front() == '|';
}

bool IsShellSyntax(std::string_view arg) {
  return IsPipe(arg) || IsRedirection(arg);
}

bool LooksLikeOption(std::string_view arg) {
  return arg.size() > 1 && arg.front() == '-';
}

ProbeCommand UsageError(std::string message) {
  ProbeCommand command;
  command.kind = ProbeCommand::Kind::kUsageError;
  command.error = std::move(message);
  return command;
}

struct Token {
  enum class Kind { kUnknownOption, kOperand, kForcedOperand };
  Kind kind;
  std::size_t index;
};

}  // namespace

ProbeCommand ParseProbeCommandLine(std::span<const std::string_view> args) {
  // First pass: drop what is known (options with their values, shell syntax)
  // and keep unknown options and operands in order.
  std::vector<Token> tokens;
  bool options_done = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (IsPipe(arg)) break;
    if (IsRedirection(arg)) continue;
    if (options_done) {
      tokens.push_back({Token::Kind::kForcedOperand, i});
    } else if (arg == "--") {
      options_done = true;
    } else if (IsOneOf(arg, kHelpOptions)) {
      ProbeCommand command;
      command.kind = ProbeCommand::Kind::kHelp;
      return command;
    } else if (IsOneOf(arg, kValueOptions)) {
      if (i + 1 == args.size() || IsShellSyntax(args[i + 1])) {
        return UsageError("option " + std::string(arg) + " needs a value");
      }
      ++i;
    } else if (LooksLikeOption(arg)) {
      tokens.push_back({Token::Kind::kUnknownOption, i});
    } else {
      tokens.push_back({Token::Kind::kOperand, i});
    }
  }

  // Second pass: an unknown option takes the operand right after it as its
  // value, unless no other operand would be left for the source.
  std::vector<std::size_t> operands;
  for (std::size_t t = 0; t < tokens.size(); ++t) {
    if (tokens[t].kind != Token::Kind::kUnknownOption) {
      operands.push_back(tokens[t].index);
      continue;
    }
    if (t + 1 == tokens.size()) continue;
    const Token& next = tokens[t + 1];
    if (next.kind != Token::Kind::kOperand || next.index != tokens[t].index + 1) continue;
    const bool another_operand_follows =
        std::any_of(tokens.begin() + static_cast<std::ptrdiff_t>(t) + 2, tokens.end(),
                    [](const Token& later) { return later.kind != Token::Kind::kUnknownOption; });
    if (another_operand_follows) ++t;
  }

  if (operands.empty()) return UsageError("no source file given");
  if (operands.size() > 1) {
    return UsageError("more than one source file given (" + std::string(args[operands[0]]) + ", " +
                      std::string(args[operands[1]]) + ")");
  }
  ProbeCommand command;
  command.kind = ProbeCommand::Kind::kProbe;
  command.source_index = operands.front();
  return command;
}

const char* ProbeUsage() {
  return "usage: mplayer [-msglevel LEVEL] [-vo DRIVER] [-ao DRIVER] [--] SOURCE.wma\n"
         "Prints the play length of a WMA/ASF file in seconds, read from its header,\n"
         "as one line: ID_LENGTH, an equals sign, the seconds with two decimals.\n"
         "Exit status: 0 on success, 1 when the file cannot be read, 2 on a usage error.\n";
}

}  // namespace probe
