// The input dialog's entry points and module state.
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <stdexcept>

#include "calendar/Cdatlib.h"
#include "dialogs/inpstr/Inpstr.h"
#include "dialogs/inpstr/PromptSizes.h"
#include "dialogs/inpstr/TFinpstr.h"
#include "platform/desktop/ProgramFonts.h"
#include "platform/qt/CursorPlacement.h"
#include "platform/qt/QtText.h"

namespace inpstr {

TFinpstr* Finpstr = nullptr;
char LabelEmphasis = 'A';

void Initialize() { LabelEmphasis = 'A'; }

namespace {

TFinpstr* RequireFinpstr() {
  if (Finpstr == nullptr) throw std::logic_error("The text input window has not been created");
  return Finpstr;
}

void ShowPrompt(QLabel* label, const std::string& prompt, int pointSize) {
  label->setFont(Desktop::SansSerifPointFont(pointSize, true));
  // The label has no buddy, so it reads no "&" as a shortcut marker, and it
  // takes the prompt as plain text: every character shows as itself.
  label->setText(PlatformQt::ToQt(prompt));
  label->adjustSize();
}

}  // namespace

bool InputText(const std::string& prompt1, const std::string& prompt2, std::string& text) {
  TFinpstr* const window = RequireFinpstr();
  const TPromptSizes sizes = PromptPointSizes(LabelEmphasis);
  ShowPrompt(window->Label1, prompt1, sizes.First);
  ShowPrompt(window->Label2, prompt2, sizes.Second);
  window->Label2->setVisible(!prompt2.empty());
  PlatformQt::PlaceOnPrimaryScreen(window, PlatformQt::DialogPointAtCursor());
  QLineEdit* const box = window->AnswerBox();
  box->setText(PlatformQt::ToQt(text));
  box->selectAll();
  box->setFocus();
  if (window->exec() != QDialog::Accepted) return false;
  text = PlatformQt::FromQt(box->text());
  return true;
}

bool InputTextNoCalendar(const std::string& prompt1, const std::string& prompt2, std::string& text) {
  RequireFinpstr()->CalBtn->hide();
  return InputText(prompt1, prompt2, text);
}

bool InputInteger(const std::string& prompt1, const std::string& prompt2, int32_t& value) {
  std::string text = value > 0 ? std::to_string(value) : std::string();
  if (!InputTextNoCalendar(prompt1, prompt2, text)) return false;
  return Cdatlib::TryParseIntEmptyZero(text, value);
}

bool InputNumber(const std::string& prompt, int32_t& value) { return InputInteger(prompt, "", value); }

}  // namespace inpstr
