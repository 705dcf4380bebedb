// The calendar module's state.
#include "dialogs/cal/Cal.h"

namespace cal {

TFCal* FCal = nullptr;
Cdatlib::TCalDate ShownDate{0, 0, 0};
bool GridUpdating = false;
std::string LastPickedText;

void Initialize() {
  ShownDate = {0, 0, 0};
  GridUpdating = false;
  LastPickedText.clear();
}

}  // namespace cal
