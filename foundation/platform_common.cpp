#include "foundation/platform.h"

#include <utility>

namespace Platform {

namespace {
MessageBoxHandler& Handler() {
    static MessageBoxHandler handler;
    return handler;
}
}  // namespace

BoxAnswer ShowSystemMessageBox(const MessageBoxRequest& request);  // per platform

void SetMessageBoxHandler(MessageBoxHandler handler) {
    Handler() = std::move(handler);
}

BoxAnswer ShowMessageBox(const MessageBoxRequest& request) {
    if (Handler()) return Handler()(request);
    return ShowSystemMessageBox(request);
}

}  // namespace Platform
