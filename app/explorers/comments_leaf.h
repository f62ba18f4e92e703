#pragma once
// The "Comments" panel: an edit box over the project comment. Typing marks the project unsaved;
// the project writer takes the whole text from it, and New and Open show theirs in it.
#include "app/explorers/explorer_leaf.h"

namespace Core {

class CommentEdit : public Winplus::ControlEdit {
public:
    CommentEdit(HWND parent, int id);
    ~CommentEdit() override;
    // EN_CHANGE from typing marks the project unsaved.
    bool OnCommand(int code) override;
    // The whole text (the controls' read-back stops at 127 characters).
    std::string FullText() const;
    bool Move(int x, int y, int width, int height, bool repaint) override;

private:
    void Show(const std::string& text);

    bool showing_ = false;
};

class CommentsLeaf : public ExplorerLeaf<CommentEdit> {
public:
    explicit CommentsLeaf(Winplus::Wnd parent);
};

}  // namespace Core
