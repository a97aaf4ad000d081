#include "cli/cli.h"

#include <ostream>
#include <string_view>

#include "cli/commands.h"
#include "document/errors.h"
#include "document/unicode.h"

namespace velmora::cli {

namespace {

void PrintHelp(std::ostream& out) {
  out << "Usage: velmora-cli COMMAND [ARGUMENTS]\n"
         "Builds, publishes and converts Velmora menu designs without the designer window.\n\n"
         "Commands:\n";
  for (const Command& c : kCommands) out << "  " << c.usage << "\n      " << c.summary << "\n";
  out << "\nOptions:\n"
         "  --home DIR         the program folder (runtime script, preview folder); default:\n"
         "                     VELMORA_HOME, the program's own folder, or ~/.local/share/velmora\n"
         "  --menu-name NAME   the menu's base name, for reproducible output (default: a fresh\n"
         "                     \"menu\" name, as the designer makes)\n"
         "  --page STYLE       classic or html5: the page style for this run (default: the\n"
         "                     design's own, classic unless it chose the modern page)\n"
         "  --dry-run          update-pages: print what would change, write nothing\n"
         "  --check            update-pages: write nothing, exit 3 when a page would change\n"
         "  --help, --version\n";
}

const Command* Find(const std::string& name) {
  for (const Command& c : kCommands) {
    if (name == c.name) return &c;
  }
  return nullptr;
}

}  // namespace

int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
        const std::string& executablePath) {
  if (args.empty()) {
    PrintHelp(err);
    return 2;
  }
  if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp(out);
    return 0;
  }
  if (args[0] == "--version") {
    out << "velmora-cli 1.0 (Velmora 1.0)\n";
    return 0;
  }
  const Command* command = Find(args[0]);
  if (!command) {
    err << "velmora-cli: unknown command '" << args[0] << "' (see velmora-cli --help)\n";
    return 2;
  }
  try {
    Context ctx({args.begin() + 1, args.end()}, out, err, executablePath);
    command->run(ctx);
    return ctx.exitStatus;
  } catch (const UsageFailure& e) {
    err << "velmora-cli " << command->name << ": " << e.message << "\nUsage: velmora-cli " << command->usage
        << "\n";
    return 2;
  } catch (const CommandFailure& e) {
    err << "velmora-cli: " << e.message << "\n";
  } catch (const Error& e) {
    // Paths in a message are UTF-8 already; a classic design's captions in
    // it are code page text, which a terminal could not show.
    const std::string_view what = e.what();
    err << "velmora-cli: " << (IsValidUtf8(what) ? std::string(what) : Utf8FromWindows1252(what)) << "\n";
  } catch (const std::exception& e) {
    err << "velmora-cli: unexpected error: " << e.what() << "\n";
  }
  return 1;
}

}  // namespace velmora::cli
