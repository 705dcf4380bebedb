// The small calendar-page picture of the input dialog's calendar button,
// with a greyed image for the disabled button.
#pragma once

#include <QIcon>

namespace inpstr {

QIcon CalendarPagePicture();

}  // namespace inpstr
