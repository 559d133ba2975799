#include "files/document_commands.h"

#include <optional>
#include <string>

#include "editor/codepage.h"
#include "files/document_file.h"
#include "files/known_folders.h"
#include "files/suggested_name.h"

namespace wendrill {
namespace {

constexpr wchar_t kRememberedFolderName[] = L"kel_path.ini";

std::u16string withPath(std::u16string_view text, std::wstring_view path) {
    return std::u16string(text) + std::u16string(utf16View(path));
}

// One line of document text, up to a NUL if there is one: a GBK folder keeps its bytes there.
DocText rememberedFolder() {
    const std::string bytes = readWholeFile(rememberedFolderFile());
    return bytes.substr(0, bytes.find('\0'));
}

}  // namespace

std::wstring rememberedFolderFile() {
    const std::wstring folder = specialFolder(SpecialFolder::temporaryFiles);
    return folder.empty() ? std::wstring() : folder + kRememberedFolderName;
}

void newDocument(const DocumentPlace& place) {
    if (place.editor.textLength() > 0 &&
        place.questions.messageBox(u"是否保存当前文章？", kYesNoQuestion, {}) == kAnswerYes &&
        !saveDocument(place)) {
        return;
    }
    place.editor.loadText("");
    place.encoding = FileEncoding::documentCodePage;
    place.path.clear();
    place.setCaption(kPlainCaption);
}

void openDocument(const DocumentPlace& place) {
    FileDialog& dialog = place.dialog;
    dialog.setDialogMode(DialogMode::open);
    dialog.setDialogInitialFolder(specialFolder(SpecialFolder::documents));
    if (!dialog.showFileDialog(place.dialogOwner)) return;
    openDocumentFile(place, dialog.dialogFileName(), kOpenCaptionPrefix);
}

bool saveDocument(const DocumentPlace& place) {
    FileDialog& dialog = place.dialog;
    dialog.setDialogMode(DialogMode::save);
    const DocText remembered = rememberedFolder();
    dialog.setDialogInitialFolder(remembered.empty() ? specialFolder(SpecialFolder::documents)
                                                     : wideFromDoc(remembered));
    // The dialog is modal, so this is still the text when it has been confirmed.
    DocText text = place.editor.getText();
    const DocText selection =
        place.editor.getSelectionLength() > 0 ? place.editor.getSelectedText() : DocText();
    dialog.setDialogFileName(wideFromDoc(suggestedFileName(remembered, text, selection)));
    if (!dialog.showFileDialog(place.dialogOwner)) return false;

    const std::wstring path = dialog.dialogFileName();
    if (!writeWholeFile(path, encodeDocumentFile(std::move(text), place.encoding))) {
        place.questions.messageBox(withPath(u"保存失败：", path), kWarning, {});
        return false;
    }
    // A folder that cannot be remembered costs only the next suggestion.
    writeWholeFile(rememberedFolderFile(), folderOfPath(docFromWide(path)));
    place.setCaption(kPlainCaption + path);
    place.path = path;
    place.markSaved();
    return true;
}

void openDocumentFile(const DocumentPlace& place, const std::wstring& path,
                      std::wstring_view captionPrefix) {
    if (isTooLargeToOpen(path)) {
        place.questions.messageBox(withPath(u"文件太大，无法打开：", path), kWarning, {});
        return;
    }
    const std::optional<DocumentFile> read = readDocumentFile(path);
    if (!read) {
        place.questions.messageBox(withPath(u"无法读取文件：", path), kWarning, {});
        return;
    }
    const DocumentFile& file = *read;
    place.editor.loadText(file.text);
    place.encoding = file.encoding;
    place.path = path;
    place.markSaved();
    place.setCaption(std::wstring(captionPrefix) + path);
    if (file.incomplete) {
        place.questions.messageBox(
            withPath(u"文件中有无法识别的字节或空字符，只读入了能识别的部分：", path), kWarning,
            {});
    }
}

// Several files open the first: there is one document.
void openDroppedFile(const DocumentPlace& place, const std::vector<std::wstring>& paths) {
    if (!paths.empty()) openDocumentFile(place, paths.front(), kPlainCaption);
}

}  // namespace wendrill
