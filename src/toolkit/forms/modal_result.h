#pragma once
// The results a modal form ends with: which button closed it, or mrCancel when it was closed
// any other way; mrNone keeps it open.
namespace tk {

using TModalResult = int;
inline constexpr TModalResult mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4,
                              mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9,
                              mrYesToAll = 10;

} // namespace tk
