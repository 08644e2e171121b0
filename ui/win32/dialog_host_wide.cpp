#include "ui/win32/dialog_host_impl.h"

namespace ui::win32 {

template class Win32DialogView<std::u16string>;
template class DialogHost<std::u16string>;

} // namespace ui::win32
