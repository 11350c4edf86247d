#include "game/CoreTexts.h"

namespace sk {

std::string Message::Composed() const {
    std::string composed = Text;
    const auto mark = composed.find("%1");
    if (mark != std::string::npos) composed.replace(mark, 2, Value);
    return composed;
}

}  // namespace sk
