// The binding table: which handler each menu command runs. Commands without a row do nothing.

#include <array>
#include <new>

#include "app/app.h"
#include "commands/edit_commands.h"
#include "commands/insertion_commands.h"
#include "commands/line_cleanup_commands.h"
#include "commands/replace_commands.h"
#include "editor/input_method.h"

namespace wendrill {
namespace {

struct Binding {
    Command command;
    void (*run)(App& app);
};

const std::array kBindings{
    Binding{Command::newDocument, [](App& app) { newDocument(app.documentPlace()); }},
    Binding{Command::openDocument, [](App& app) { openDocument(app.documentPlace()); }},
    Binding{Command::saveDocument, [](App& app) { saveDocument(app.documentPlace()); }},
    Binding{Command::quit, quitProgram},
    Binding{Command::trimLines, [](App& app) { trimLines(app.editor()); }},
    Binding{Command::deleteBlankLines, [](App& app) { deleteBlankLines(app.editor()); }},
    Binding{Command::showAbout, showAbout},
    Binding{Command::cutSelection, [](App& app) { cutSelection(app.editor()); }},
    Binding{Command::copySelection, [](App& app) { copySelection(app.editor()); }},
    Binding{Command::pasteClipboard, [](App& app) { pasteClipboard(app.editor()); }},
    Binding{Command::selectAll, [](App& app) { selectAll(app.editor()); }},
    Binding{Command::undoLastEdit, undoLastEdit},
    Binding{Command::deleteAtCaret, [](App& app) { deleteAtCaret(app.editor(), app.window()); }},
    Binding{Command::deleteLine, [](App& app) { deleteLine(app.editor(), app.window()); }},
    Binding{Command::copyAll, [](App& app) { copyAll(app.editor()); }},
    Binding{Command::toggleWordWrap, toggleWordWrap},
    Binding{Command::toggleAlwaysOnTop, toggleAlwaysOnTop},
    Binding{Command::insertDivider, [](App& app) { insertDivider(app.editor(), app.window()); }},
    Binding{Command::insertDate, [](App& app) { insertDate(app.editor()); }},
    Binding{Command::insertTime, [](App& app) { insertTime(app.editor()); }},
    Binding{Command::indentParagraphs,
            [](App& app) { indentParagraphs(app.editor(), app.window()); }},
    Binding{Command::addBlankLines, [](App& app) { addBlankLines(app.editor(), app.window()); }},
    Binding{Command::deleteSameText, [](App& app) { deleteSameText(app.editor(), app.window()); }},
    Binding{Command::joinSelectedLines, [](App& app) { joinSelectedLines(app.editor()); }},
    Binding{Command::replaceWords,
            [](App& app) {
                // Whether the box was confirmed is not looked at: cancelled, it gives nothing.
                const DocText input = app.inputBox(kReplacePrompt, kReplaceTitle);
                replaceWords(app.editor(), input);
            }},
};

}  // namespace

void App::runCommand(Command command) {
    if (commandWatcher_ && !commandWatcher_(command)) return;
    // A half-typed word belongs to the text the command reads: neither lost nor typed twice.
    completeComposition(GetFocus());
    // Every command computes its new text before it writes the Editor: one that cannot get the
    // memory stops before the document has changed.
    try {
        for (const Binding& binding : kBindings) {
            if (binding.command == command) binding.run(*this);
        }
    } catch (const std::bad_alloc&) {
        outOfMemory();
    }
    // The control reports typing; a command may have put a whole new text in, which it need not.
    recovery_.noteChange();
}

}  // namespace wendrill
