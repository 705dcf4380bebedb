// Prompt sizes by emphasis.
#include "dialogs/inpstr/PromptSizes.h"

namespace inpstr {

TPromptSizes PromptPointSizes(char emphasis) {
  if (emphasis == 'A') return {8, 10};
  if (emphasis == 'B') return {10, 8};
  return {8, 8};
}

}  // namespace inpstr
