#pragma once

class QDialog;
class QHBoxLayout;

namespace tolvanw32 {

// A right-aligned row of OK (the default) and キャンセル, which accept and
// reject dialog; the buttons are named "ok" and "cancel".
QHBoxLayout* okCancelButtons(QDialog* dialog);

} // namespace tolvanw32
