// The main window's own messages and ids: the job completion (WM_APP + 1, wParam a heap string the
// window takes over, lParam the job flags), the refresher's "states changed" note, the start of
// the background work once the first frame is out, the refresh timer and the control ids of the
// input box and the search box.
#pragma once
#include <windows.h>

namespace vx::app {

inline constexpr UINT kWmJobDone = WM_APP + 1;
inline constexpr UINT kWmStatesChanged = WM_APP + 2;
inline constexpr UINT kWmFirstFrameShown = WM_APP + 3;
inline constexpr UINT_PTR kRefreshTimerId = 1;
inline constexpr UINT kRefreshPeriodMs = 1500;
inline constexpr int kInputBoxId = 0x4001;
// The card title tooltip's half-second hover timer, and the refresher's "a read the window asked
// for (a card's changes, the journal) waits in its mailbox".
inline constexpr UINT_PTR kTitleTooltipTimerId = 2;
inline constexpr UINT kWmReadsReady = WM_APP + 4;
inline constexpr int kSearchBoxId = 0x4002;
inline constexpr const wchar_t* kWindowClassName = L"VantorixMainWnd";

}  // namespace vx::app
