// The text input dialog's module: the one window, the prompt emphasis, and
// the entry points that ask for a line of text or a whole number.
#pragma once

#include <cstdint>
#include <string>

namespace inpstr {

class TFinpstr;

// The one input window; its constructor sets this, its destructor clears it.
extern TFinpstr* Finpstr;
// Which prompt line is drawn larger: 'A' the second, 'B' the first, any other
// character neither.
extern char LabelEmphasis;

// The module start: LabelEmphasis 'A'.
void Initialize();

// Asks for a line of text under one or two prompt lines (an empty second
// prompt shows one). On OK text becomes the answer and the result is true;
// otherwise text stays and the result is false.
bool InputText(const std::string& prompt1, const std::string& prompt2, std::string& text);
// InputText with the calendar button hidden, for this and every later use.
bool InputTextNoCalendar(const std::string& prompt1, const std::string& prompt2, std::string& text);
// Asks for a whole number; the box starts empty for a value of 0 or less. An
// empty answer gives 0. False, with value unchanged, on Cancel or an answer
// that is not a whole number.
bool InputInteger(const std::string& prompt1, const std::string& prompt2, int32_t& value);
// InputInteger with a single prompt line.
bool InputNumber(const std::string& prompt, int32_t& value);

}  // namespace inpstr
