// The calendar dialog's module: the one window, the date it shows, the text
// of the last pick, and the entry points that pick a date through the window.
#pragma once

#include <string>

#include "calendar/Cdatlib.h"

namespace cal {

class TFCal;

// The one calendar window; its constructor sets this, its destructor clears it.
extern TFCal* FCal;
// The date the window shows; after an OK it is the picked date.
extern Cdatlib::TCalDate ShownDate;
// Set only while the grid fill moves the current cell, so that the move is not
// taken as the user's pick.
extern bool GridUpdating;
// The text handed back by the last PickDate that ended with OK.
extern std::string LastPickedText;

// The module start: an empty shown date and pick text, no grid fill running.
void Initialize();

// Opens the calendar on the date that text starts with (today when it holds
// none). On OK the text becomes what the window's date box showed and the
// result is true; otherwise the text stays and the result is false.
bool PickDate(std::string& text);

// Opens the calendar on date (today when it is not plausible). On OK date
// becomes the shown date and the result is true; otherwise it stays.
bool PickCalDate(Cdatlib::TCalDate& date);

// Shows the window modally just below and right of the mouse cursor, kept on
// the primary screen at its right and bottom edges; gives the QDialog result.
int ShowCalendarAtCursor();

}  // namespace cal
