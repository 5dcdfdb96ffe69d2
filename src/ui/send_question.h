// Sending the question in the assistant's input box: trimmed of spaces and tabs, answered by the
// local assistant on the UI thread (also while a job runs), both turns appended to the chat, the
// memory saved, the box emptied. Called by Enter in the input box and by the "Отправить" click.
#pragma once
#include "ui/ui_state.h"
#include "ui/window_host.h"

namespace vx::ui {

void sendQuestion(UiState& state, WindowHost& host);

}  // namespace vx::ui
