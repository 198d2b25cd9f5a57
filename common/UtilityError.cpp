#include "UtilityError.hpp"

#include "Desktop.hpp"

namespace zelvo {

void ShowUtilityError(const std::string& routine, const ZelvoError& error) {
    Desktop().MessageBox(ShortErrorText(error.Number(), error.Description()), routine,
                         MsgButtons::OK, MsgIcon::None);
}

void ShowUtilityError(const std::string& routine) {
    ShowUtilityError(routine, CurrentError());
}

}  // namespace zelvo
