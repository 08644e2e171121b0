#include "ui/win32/dialog_host_impl.h"

namespace ui::win32 {

template class Win32DialogView<std::string>;
template class DialogHost<std::string>;

} // namespace ui::win32
