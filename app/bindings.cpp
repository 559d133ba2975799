// The binding table: which handler each menu command runs. Commands without a row do nothing.

#include <array>

#include "app/app.h"
#include "commands/line_cleanup_commands.h"

namespace wendrill {
namespace {

struct Binding {
    Command command;
    void (*run)(App& app);
};

const std::array kBindings{
    Binding{Command::quit, quitProgram},
    Binding{Command::trimLines, [](App& app) { trimLines(app.editor()); }},
    Binding{Command::deleteBlankLines, [](App& app) { deleteBlankLines(app.editor()); }},
    Binding{Command::showAbout, showAbout},
};

}  // namespace

void App::runCommand(Command command) {
    if (commandWatcher_ && !commandWatcher_(command)) return;
    for (const Binding& binding : kBindings) {
        if (binding.command == command) binding.run(*this);
    }
}

}  // namespace wendrill
