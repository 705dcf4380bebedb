// The point sizes of the input dialog's two prompt lines, by LabelEmphasis.
#pragma once

namespace inpstr {

struct TPromptSizes {
  int First;
  int Second;
};

TPromptSizes PromptPointSizes(char emphasis);

}  // namespace inpstr
