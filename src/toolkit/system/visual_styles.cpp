#include "visual_styles.h"

namespace tk {
namespace {

constexpr WORD kVisualStylesManifest = 101;

// Made once, at the first dialog, and kept for the process's life.
HANDLE VisualStylesContext() {
    static const HANDLE context = [] {
        ACTCTXW description{};
        description.cbSize = sizeof description;
        description.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        description.hModule = GetModuleHandleW(nullptr);
        description.lpResourceName = MAKEINTRESOURCEW(kVisualStylesManifest);
        return CreateActCtxW(&description);
    }();
    return context;
}

} // namespace

VisualStylesScope::VisualStylesScope() {
    HANDLE context = VisualStylesContext();
    active_ = context != INVALID_HANDLE_VALUE && ActivateActCtx(context, &cookie_);
}

VisualStylesScope::~VisualStylesScope() {
    if (active_) DeactivateActCtx(0, cookie_);
}

} // namespace tk
