#include "platform/FileFailure.h"

namespace Platform {

EFileFailure::EFileFailure(TFileStep step, const std::string& path, int code)
    : std::system_error(code, std::generic_category(), path), step_(step), path_(path) {}

}  // namespace Platform
