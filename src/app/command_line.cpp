#include "app/command_line.h"

#include <cstdio>
#include <string_view>

namespace qz::app {

namespace {

// Options Qt's application object reads itself; the first group takes a value
// (as the next argument or after '=').
constexpr std::string_view kQtOptionsWithValue[] = {"platform",
                                                    "platformpluginpath",
                                                    "platformtheme",
                                                    "plugin",
                                                    "qwindowgeometry",
                                                    "geometry",
                                                    "qwindowtitle",
                                                    "title",
                                                    "qwindowicon",
                                                    "icon",
                                                    "session",
                                                    "display",
                                                    "name",
                                                    "visual",
                                                    "style",
                                                    "stylesheet",
                                                    "qmljsdebugger"};
constexpr std::string_view kQtFlags[] = {"reverse", "widgetcount", "nograb", "dograb", "sync"};

template <std::size_t N>
bool Contains(const std::string_view (&list)[N], std::string_view word) {
  for (std::string_view w : list)
    if (w == word) return true;
  return false;
}

}  // namespace

CommandLine ReadCommandLine(int argc, const char* const* argv) {
  CommandLine result;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") return {CommandLine::Help, {}};
    if (arg == "--version") return {CommandLine::Version, {}};
    if (arg.size() < 2 || arg[0] != '-') {
      return {CommandLine::Error, "unexpected argument '" + std::string(arg) + "'"};
    }
    // Qt accepts both -option and --option.
    std::string_view word = arg.substr(arg[1] == '-' ? 2 : 1);
    const std::size_t equals = word.find('=');
    const bool inlineValue = equals != std::string_view::npos;
    if (inlineValue) word = word.substr(0, equals);
    if (Contains(kQtOptionsWithValue, word)) {
      if (!inlineValue && ++i >= argc) {
        return {CommandLine::Error, "option '" + std::string(arg) + "' needs a value"};
      }
      continue;
    }
    if (!inlineValue && Contains(kQtFlags, word)) continue;
    return {CommandLine::Error, "unknown option '" + std::string(arg) + "'"};
  }
  return result;
}

std::string HelpText() {
  return "Usage: qzreishogi [--help | --version]\n"
         "QZ 嶺将棋: a shogi variant on a 10x10 board, played in a window against the\n"
         "computer or between two players at one board.\n"
         "\n"
         "  -h, --help     show this help and exit\n"
         "      --version  show the version and exit\n"
         "\n"
         "Qt's own options (-platform NAME, -style NAME, ...) are accepted.\n"
         "\n"
         "The game plays in the current folder when it holds one of its wave files;\n"
         "otherwise in ~/.local/share/qzreishogi, where it keeps its settings file\n"
         "\"QZ嶺将棋.ini\", its sounds and its help page. Records (*.棋譜) go where the\n"
         "player chooses in the record panel (棋譜 → 書込), which opens in the folder\n"
         "the game plays in, or in the documents folder (XDG_DOCUMENTS_DIR) when\n"
         "that is the data folder.\n"
         "\n"
         "Environment: QZ_ASSET_DIR  the folder of the pictures, sounds and help page.\n";
}

std::string VersionText() { return std::string("qzreishogi (QZ 嶺将棋) ") + QZ_VERSION + "\n"; }

int AnswerCommandLine(int argc, const char* const* argv) {
  const CommandLine line = ReadCommandLine(argc, argv);
  switch (line.action) {
    case CommandLine::Run: return -1;
    case CommandLine::Help: std::fputs(HelpText().c_str(), stdout); return 0;
    case CommandLine::Version: std::fputs(VersionText().c_str(), stdout); return 0;
    case CommandLine::Error:
      std::fprintf(stderr, "qzreishogi: %s\nTry 'qzreishogi --help'.\n", line.error.c_str());
      return 2;
  }
  return 2;
}

}  // namespace qz::app
