#include "app/explorers/comments_leaf.h"

#include "app/base/project_comment.h"
#include "app/base/project_state.h"

namespace Core {

CommentEdit::CommentEdit(HWND parent, int id) {
    Create(parent, "EDIT", ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN, id);
    SetDefaultFont();
    Show(ProjectComment::Get(false));
    ProjectComment::SetObserver(ProjectComment::MakeEditor(
        [this] { return FullText(); }, [this](const std::string& text) { Show(text); }));
}

CommentEdit::~CommentEdit() {
    ProjectComment::SetObserver(nullptr);
}

void CommentEdit::Show(const std::string& text) {
    // The program's own change is no edit of the user's.
    showing_ = true;
    SetWindowTextA(Handle(), text.c_str());
    showing_ = false;
}

std::string CommentEdit::FullText() const {
    std::string text(static_cast<size_t>(GetWindowTextLengthA(Handle())) + 1, '\0');
    text.resize(
        static_cast<size_t>(GetWindowTextA(Handle(), text.data(), static_cast<int>(text.size()))));
    return text;
}

bool CommentEdit::OnCommand(int code) {
    if (code != EN_CHANGE) return false;
    if (!showing_) MenuCore::SetSaved(false);
    return true;
}

bool CommentEdit::Move(int x, int y, int width, int height, bool repaint) {
    // The edit box sits a little further in than the trees.
    return ControlEdit::Move(x + 1, y, width - 2, height, repaint);
}

CommentsLeaf::CommentsLeaf(Winplus::Wnd parent)
    : ExplorerLeaf("CommentsClass", parent, L"Comments",
                   [](HWND leaf) { return Safe::MakeX<CommentEdit>(leaf, kExplorerContentId); }) {}

}  // namespace Core
